#include "files/qlistpanelform.h"

#include "files/listpanellook.h"
#include "files/qbaseitem.h"
#include "files/qscrollareaframeselection.h"
#include "settings/qmefolders.h"
#include "uikit/qmeaccessible.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmefocusorder.h"
#include "uikit/qmemenu.h"
#include "uikit/qmescrollbar.h"

#include <QCursor>
#include <QDrag>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

using ListPanelLook::kHeaderHeight;
using ListPanelLook::kMargin;
constexpr int kButtonSize = 26;

} // namespace

QListPanelForm::QListPanelForm(const QSize& size, const Parts& parts, QWidget* parent)
    : QWidget(parent), mParts(parts), mLblTitle(new QLabel(this)),
      mBtnLeft(new QMEBaseButton(this)), mBtnRight(new QMEBaseButton(this)),
      mScroll(new QScrollAreaFrameSelection(this)), mList(new QWidget), mMenu(new QMEMenu(this)) {
    setFixedSize(size);
    mLblTitle->setObjectName("mlblTitle");
    mBtnLeft->setObjectName(parts.leftButton);
    mBtnRight->setObjectName(parts.rightButton);
    mScroll->setObjectName(parts.scrollArea);

    QFont title = font();
    title.setBold(true);
    title.setPixelSize(14);
    mLblTitle->setFont(title);
    mLblTitle->setGeometry(kMargin, 0, 160, kHeaderHeight);
    const int buttonTop = (kHeaderHeight - kButtonSize) / 2;
    mBtnRight->setGeometry(width() - kMargin - kButtonSize, buttonTop, kButtonSize, kButtonSize);
    mBtnLeft->setGeometry(mBtnRight->x() - 8 - kButtonSize, buttonTop, kButtonSize, kButtonSize);

    auto* bar = new QMEScrollBar(Qt::Vertical);
    mScroll->setVerticalScrollBar(bar);
    mScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mScroll->setFrameShape(QFrame::NoFrame);
    // The rows take the keys; the area itself is no stop for Tab.
    mScroll->setFocusPolicy(Qt::NoFocus);
    mScroll->viewport()->setAutoFillBackground(false);
    mScroll->setGeometry(8, kHeaderHeight + 4, width() - 16, height() - kHeaderHeight - 12);
    auto* layout = new QVBoxLayout(mList);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    mScroll->setListWidget(mList);
    // The scroll area makes its widget fill its background: below the last row the card shows.
    mList->setAutoFillBackground(false);
    QMEAccessible::SetRole(mList, QAccessible::List);

    QFont menuFont = mMenu->font();
    menuFont.setPixelSize(12);
    mMenu->setFont(menuFont);

    mRunDrag = [](QDrag* drag) { drag->exec(Qt::CopyAction); };
}

void QListPanelForm::applyLook(int theme) {
    mTheme = theme;
    const QString folder = QMEFolders::imageFolder(theme) + "/";
    mBtnLeft->SetButtonImage(folder + mParts.leftImage);
    mBtnRight->SetButtonImage(folder + mParts.rightImage);
    ListPanelLook::apply(theme, mLblTitle, mMenu, mScroll);
    update();
}

void QListPanelForm::setTitle(const QString& title) {
    mLblTitle->setText(title);
    mList->setAccessibleName(title);
}

void QListPanelForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void QListPanelForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ListPanelLook::paintHeaderRule(painter, *this, mTheme);
}

void QListPanelForm::addRow(QBaseItem* row) {
    connect(row, &QBaseItem::emitMousePress, this, &QListPanelForm::itemMousePress);
    connect(row, &QBaseItem::emitShowTreeMenu, this, &QListPanelForm::itemShowMenu);
    connect(row, &QBaseItem::emitStartDrag, this, &QListPanelForm::itemStartDrag);
    connect(row, &QBaseItem::emitKeyMove, this, &QListPanelForm::itemKeyMove);
    static_cast<QVBoxLayout*>(mList->layout())->insertWidget(mRows.size(), row);
    mRows << row;
}

void QListPanelForm::removeRows() {
    mCurrent = nullptr;
    for (QBaseItem* row : qAsConst(mRows)) {
        mList->layout()->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    mRows.clear();
}

void QListPanelForm::chainRows() {
    QMEFocusOrder::Chain(focusOrder());
    followCurrent();
}

QList<QWidget*> QListPanelForm::focusOrder() const {
    return QList<QWidget*>{mBtnLeft, mBtnRight} + QList<QWidget*>(mRows.begin(), mRows.end());
}

void QListPanelForm::setCurrentRow(QBaseItem* row) {
    mCurrent = row;
    followCurrent();
}

void QListPanelForm::followCurrent() {
    QMEFocusOrder::SetTabStop(QList<QWidget*>(mRows.begin(), mRows.end()), mCurrent);
}

void QListPanelForm::itemMousePress() {
    auto* pressed = qobject_cast<QBaseItem*>(sender());
    if (!pressed)
        return;
    for (QBaseItem* row : qAsConst(mRows)) {
        if (row != pressed)
            row->setState(QBaseItem::StateNormal);
    }
    setCurrentRow(pressed);
}

void QListPanelForm::itemShowMenu() {
    // The menu's actions work on the current row: that is the row the menu was opened on, also
    // when it was already selected without being current.
    auto* pressed = qobject_cast<QBaseItem*>(sender());
    if (pressed)
        setCurrentRow(pressed);
    mMenu->PopupAt(pressed ? pressed->menuPosition() : QCursor::pos());
}

void QListPanelForm::itemKeyMove(int step, bool extend) {
    QBaseItem::MoveByKey(mRows, qobject_cast<QBaseItem*>(sender()), step, extend, mCurrent,
                         mScroll);
}

void QListPanelForm::itemStartDrag() {
    auto* row = qobject_cast<QBaseItem*>(sender());
    if (!row)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(dragData(row));
    drag->setPixmap(row->grab());
    drag->setHotSpot(QPoint(row->width() / 2, row->height() / 2));
    mRunDrag(drag);
    drag->deleteLater();
}

QStringList QListPanelForm::chooseFiles(const QString& caption, const QString& folder,
                                        const QString& filter) {
    return mChooseFiles(this, caption, folder, filter);
}
