#include "editor/qbuttonwidget.h"

#include "files/presetdropimport.h"
#include "files/qdropdragbutton.h"
#include "protocol/qdataanalysis.h"
#include "settings/qmefolders.h"
#include "uikit/qmeaccessible.h"
#include "uikit/qmefocusorder.h"

#include <QDataStream>
#include <QDrag>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>

QButtonWidget::QButtonWidget(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mRunDrag = [](QDrag* drag) { drag->exec(Qt::CopyAction); };
    QMEAccessible::SetRole(this, QAccessible::Grouping);
    nameButtons();
}

void QButtonWidget::nameButtons() {
    setAccessibleName(QObject::tr("Presets"));
    for (QDropDragButton* button : qAsConst(mButtons))
        button->setAccessibleName(QObject::tr("Preset %1").arg(button->text()));
}

void QButtonWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        nameButtons();
    QWidget::changeEvent(event);
}

void QButtonWidget::setButtons(const QStringList& labels) {
    qDeleteAll(mButtons);
    mButtons.clear();
    mCurrent = -1;
    for (int index = 0; index < labels.size(); ++index) {
        auto* button = new QDropDragButton(this);
        button->setObjectName(QStringLiteral("mbtnPreset%1").arg(index));
        button->setText(labels.at(index));
        button->setCheckable(true);
        button->setFixedSize(kButtonWidth, kButtonHeight);
        QFont label = button->font();
        label.setBold(true);
        label.setPixelSize(16);
        button->setFont(label);
        button->setDragFormat(mDragFormat);
        button->setDropFormat(mDropFormat);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, index] { onButtonClicked(index); });
        connect(button, &QDropDragButton::emitDragStart, this, [this, index] { startDrag(index); });
        connect(button, &QDropDragButton::emitDropMimeData, this,
                [this, index](const QMimeData* mime) {
                    if (mParser)
                        importDroppedPreset(this, *mParser, index, mime, mDropFormat);
                });
        layout()->addWidget(button);
        mButtons << button;
    }
    ApplyTheme(mMode);
    nameButtons();
    if (!mButtons.isEmpty()) {
        mCurrent = 0;
        checkOnly(0);
    }
    setFixedSize(labels.size() * kButtonWidth, kButtonHeight);
}

void QButtonWidget::setParser(QDataAnalysis* parser) {
    mParser = parser;
}

void QButtonWidget::setDragFormat(const QString& format) {
    mDragFormat = format;
    for (QDropDragButton* button : mButtons)
        button->setDragFormat(format);
}

void QButtonWidget::setDropFormat(const QString& format) {
    mDropFormat = format;
    for (QDropDragButton* button : mButtons)
        button->setDropFormat(format);
}

void QButtonWidget::ApplyTheme(int mode) {
    mMode = mode;
    const QString folder = QMEFolders::imageFolder(mode);
    for (int index = 0; index < mButtons.size(); ++index) {
        QDropDragButton* button = mButtons.at(index);
        button->SetButtonImage(folder + QStringLiteral("/btns/btn_%1.png").arg(index + 1));
        // The image sizes the button to its frame; the strip keeps its own size.
        button->setFixedSize(kButtonWidth, kButtonHeight);
        applyTextColours(button);
    }
}

void QButtonWidget::applyTextColours(QDropDragButton* button) const {
    // The checked button shows its pressed frame in every state: its number stays light on it.
    const bool checked = button->isChecked();
    const QColor text = mMode == 2 || checked ? QColor(255, 255, 255) : QColor(51, 51, 51);
    button->SetTextColor(0, text);
    button->SetTextColor(1, text);
    button->SetTextColor(2, QColor(255, 255, 255));
    button->SetTextColor(3, mMode == 2 ? QColor(120, 123, 140) : QColor(170, 173, 186));
    button->update();
}

void QButtonWidget::checkOnly(int index) {
    for (int i = 0; i < mButtons.size(); ++i) {
        mButtons.at(i)->setChecked(i == index);
        applyTextColours(mButtons.at(i));
    }
    QMEFocusOrder::SetTabStop(QList<QWidget*>(mButtons.begin(), mButtons.end()),
                              mButtons.value(index));
}

bool QButtonWidget::eventFilter(QObject* watched, QEvent* event) {
    const int at = mButtons.indexOf(qobject_cast<QDropDragButton*>(watched));
    if (at < 0 || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Left && key->key() != Qt::Key_Right) ||
        key->modifiers() != Qt::NoModifier)
        return false;
    // Hidden buttons are passed over; the ends stop the move.
    const int step = key->key() == Qt::Key_Left ? -1 : 1;
    for (int i = at + step; i >= 0 && i < mButtons.size(); i += step) {
        if (!mButtons.at(i)->isHidden()) {
            mButtons.at(i)->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    return true;
}

void QButtonWidget::onButtonClicked(int index) {
    checkOnly(index);
    if (index == mCurrent)
        return;
    mCurrent = index;
    emit emitSelectedTag(index);
    emit emitSelectedTag(mButtons.at(index)->text());
}

void QButtonWidget::setCurrentFromDevice(int index) {
    if (index < 0 || index >= mButtons.size())
        return;
    mCurrent = index;
    for (int i = index; i < mButtons.size(); ++i) {
        if (!mButtons.at(i)->isHidden()) {
            onButtonClicked(i);
            return;
        }
    }
}

QMimeData* QButtonWidget::buttonMimeData(int index, const QString& format) {
    auto* data = new QMimeData;
    data->setText(QString::number(index + 1));
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << qint64(index);
    data->setData(format, bytes);
    return data;
}

void QButtonWidget::startDrag(int index) {
    // Before a pedal was read the presets hold zeros, which a file would later load onto it.
    QDropDragButton* button = mButtons.at(index);
    if (!mParser || !mParser->deviceState()->presetsRead) {
        // The gesture ends here: the release after the prompt is no click.
        button->setDown(false);
        emit emitPromptDisConnect();
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(buttonMimeData(index, mDragFormat));
    drag->setPixmap(button->grab());
    drag->setHotSpot(QPoint(button->width() / 2, button->height() / 2));
    mRunDrag(drag);
    drag->deleteLater();
}
