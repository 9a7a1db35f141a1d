#include "files/qcomputeritem.h"

#include "files/presetfolder.h"
#include "files/qcabinettypeitem.h"
#include "uikit/retractlabel.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

namespace {

constexpr int kNumberLeft = 12;
constexpr int kNameLeft = 44;
constexpr int kRightMargin = 10;

bool dark(int theme) {
    return theme == 2;
}

} // namespace

QComputerItem::QComputerItem(QWidget* parent) : QBaseItem(parent), mLabel(new RetractLabel(this)) {
    setFixedHeight(kRowHeight);
    QFont rowFont = font();
    rowFont.setPixelSize(12);
    setFont(rowFont);
    mLabel->setFont(rowFont);
    mLabel->setObjectName("mlblName");
    connect(mLabel, &RetractLabel::emitChangeName, this, &QComputerItem::onNameEdited);
    updateLabelColour();
}

void QComputerItem::setNumber(int number) {
    mNumber = number;
    update();
}

void QComputerItem::setFilePath(const QString& path) {
    mPath = path;
    setName(PresetFolder::shownName(QFileInfo(path).fileName()));
}

QString QComputerItem::name() const {
    return mLabel->Name();
}

void QComputerItem::setName(const QString& name) {
    mLabel->SetName(name);
    setAccessibleName(name);
}

void QComputerItem::setTheme(int theme) {
    mTheme = theme;
    updateLabelColour();
    update();
}

void QComputerItem::updateLabelColour() {
    QPalette palette = mLabel->palette();
    palette.setColor(QPalette::WindowText,
                     dark(mTheme) ? QColor(255, 255, 255) : QColor(51, 51, 51));
    mLabel->setPalette(palette);
}

void QComputerItem::startRename() {
    mLabel->StartRename();
    mLabel->Editor()->setStyleSheet(
        dark(mTheme) ? QStringLiteral("QLineEdit{background:rgb(40,41,50);color:white;"
                                      "border:1px solid rgb(112,134,250);border-radius:3px}")
                     : QStringLiteral("QLineEdit{background:white;color:rgb(51,51,51);"
                                      "border:1px solid rgb(112,134,250);border-radius:3px}"));
}

void QComputerItem::onNameEdited(const QString& newName) {
    const QString oldName = name();
    if (newName == oldName)
        return;
    // The row shows the new name until the owner refuses it.
    setName(newName);
    emit emitChangedName(oldName, newName);
}

void QComputerItem::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        startRename();
        return;
    }
    QBaseItem::keyPressEvent(event);
}

void QComputerItem::resizeEvent(QResizeEvent* event) {
    QBaseItem::resizeEvent(event);
    mLabel->setGeometry(kNameLeft, 2, qMax(0, width() - kNameLeft - kRightMargin), height() - 4);
}

void QComputerItem::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QCabInetTypeItem::rowColor(mNumber, mTheme));
    const QColor accent(112, 134, 250);
    if (state() == StateSelected) {
        QColor fill = accent;
        fill.setAlpha(dark(mTheme) ? 70 : 30);
        painter.fillRect(rect(), fill);
        painter.fillRect(QRect(0, 0, 3, height()), accent);
    } else if (state() == StateHovered) {
        painter.fillRect(rect(),
                         dark(mTheme) ? QColor(255, 255, 255, 14) : QColor(112, 134, 250, 18));
    }
    painter.setPen(QCabInetTypeItem::numberColor(mTheme));
    painter.drawText(QRect(kNumberLeft, 0, kNameLeft - kNumberLeft, height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QCabInetTypeItem::numberText(mNumber));
}
