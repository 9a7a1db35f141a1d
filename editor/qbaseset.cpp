#include "editor/qbaseset.h"

#include "editor/cabinetdrop.h"
#include "editor/qhighcutsliderwidget.h"
#include "editor/qlowcutsliderwidget.h"
#include "editor/qsliderwidget.h"
#include "editor/sliderdisplay.h"
#include "protocol/devicestate.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "settings/qmefolders.h"
#include "uikit/qmeaccessible.h"
#include "uikit/qmecheckbox.h"
#include "uikit/qmecircleslider.h"
#include "uikit/qmecombobox.h"
#include "uikit/qmeimageloader.h"

#include <QAbstractItemView>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>

namespace {

const QSize kDialSize(80, 136);
const QSize kPictureSize(284, 208);
const QSize kChooserSize(220, 32);
constexpr int kSwitchWidth = 70;
constexpr int kSwitchHeight = 24;
constexpr int kFirstDialX = 47;
constexpr int kDialGap = 25;
constexpr int kTitlePixels = 18;
constexpr int kSwitchPixels = 14;

void setTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

} // namespace

QBaseSet::QBaseSet(QWidget* parent)
    : QMEWidget(parent), mwgtLevel(new QSliderWidget(this)), mwgtLatency(new QSliderWidget(this)),
      mwgtLowCut(new QLowCutSliderWidget(this)), mwgtHighCut(new QHighCutSliderWidget(this)),
      mcbxBypass(new QMECheckBox(this)), mlblTitle(new QLabel(this)), mlblPicture(new QLabel(this)),
      mccbCabinet(new QMEComboBox(this)) {
    setAcceptDrops(true);

    mwgtLevel->setObjectName("mwgtLevel");
    mwgtLevel->setMaxMinValue(0, 100);
    mwgtLevel->ShowField(true);
    mwgtLatency->setObjectName("mwgtLatency");
    mwgtLatency->setMaxMinValue(0, 20);
    mwgtLatency->setSuffix("ms");
    mwgtLatency->ShowField(true);
    mwgtLowCut->setObjectName("mwgtLowCut");
    mwgtLowCut->setMaxMinValue(3, 100);
    mwgtLowCut->setSuffix("Hz");
    mwgtHighCut->setObjectName("mwgtHighCut");
    mwgtHighCut->setMaxMinValue(0, 100);
    mwgtHighCut->setSuffix("Hz");
    mwgtHighCut->SetInverted(true);
    for (int dial = DialLevel; dial <= DialHighCut; ++dial) {
        QSliderWidget* slider = SliderWidget(dial);
        slider->resize(kDialSize);
        connect(slider, &QSliderWidget::emitValueChanged, this,
                [this, dial] { ValueChanged(dial); });
    }

    QFont switchFont = font();
    switchFont.setPixelSize(kSwitchPixels);
    mcbxBypass->setObjectName("mcbxBypass");
    mcbxBypass->setFont(switchFont);
    mcbxBypass->resize(kSwitchWidth, kSwitchHeight);
    connect(mcbxBypass, &QMECheckBox::clicked, this, &QBaseSet::cbxAudit);

    QFont titleFont = font();
    titleFont.setPixelSize(kTitlePixels);
    titleFont.setBold(true);
    mlblTitle->setObjectName("mlblTitle");
    mlblTitle->setFont(titleFont);

    mlblPicture->setObjectName("mlblPicture");
    mlblPicture->resize(kPictureSize);
    mlblPicture->setAlignment(Qt::AlignCenter);

    mccbCabinet->setObjectName("mccbCabinet");
    mccbCabinet->resize(kChooserSize);
    // Its display-only line edit would swallow dropped text meant for the panel.
    mccbCabinet->lineEdit()->setAcceptDrops(false);
    ConnectChooser();

    connect(this, &QBaseSet::emitDropMimeData, this, &QBaseSet::OnDropMimeData);
    QMEAccessible::SetRole(this, QAccessible::Grouping);
    // The names need to know which cabinet this is, which the constructor cannot ask yet:
    // Retranslate gives them.
    ShowTexts();
    LayoutWidgets();
}

QSliderWidget* QBaseSet::SliderWidget(int dial) const {
    switch (dial) {
    case DialLevel:
        return mwgtLevel;
    case DialLatency:
        return mwgtLatency;
    case DialLowCut:
        return mwgtLowCut;
    case DialHighCut:
        return mwgtHighCut;
    default:
        return nullptr;
    }
}

QColor QBaseSet::TextColor(int mode) {
    return mode == 2 ? QColor(219, 219, 219) : QColor(97, 97, 97);
}

QList<QWidget*> QBaseSet::FocusOrder() const {
    QList<QWidget*> order{mcbxBypass, mccbCabinet};
    for (int dial = DialLevel; dial <= DialHighCut; ++dial)
        order << SliderWidget(dial)->Dial();
    return order;
}

void QBaseSet::SetTitle(const QString& text) {
    mlblTitle->setText(text);
    mlblTitle->adjustSize();
}

void QBaseSet::setParser(QDataAnalysis* parser) {
    mParser = parser;
    mState = parser->deviceState();
    mWriteThread = parser->writeThread();
    connect(parser, &QDataAnalysis::emitUpdateBypass, this, &QBaseSet::UpdateBypass);
    connect(parser, &QDataAnalysis::emitUpdateIR, this, &QBaseSet::UpdateIR);
    connect(parser, &QDataAnalysis::emitUpdateCAB, this, &QBaseSet::UpdateCAB);
    UpdateIR();
    ccbIndexChanged(0);
}

void QBaseSet::ValueChanged(int type) {
    QSliderWidget* slider = SliderWidget(type);
    if (!slider || !mParser)
        return;
    const int position = slider->value();
    const int value = type == DialLatency ? SliderDisplay::latencyToDevice(position) : position;
    const int stored = mParser->storeValue(Cabinet(), type, value);
    if (mWriteThread)
        mWriteThread->setParameter(uint8_t(Cabinet()), type, uint16_t(stored));
}

void QBaseSet::ccbIndexChanged(int index) {
    if (!mParser || index < 0)
        return;
    mParser->chooseCabinetSlot(Cabinet(), index);
    ShowPicture(index);
}

uint8_t& QBaseSet::OwnBypass() const {
    return Cabinet() == 0 ? mState->bypassA : mState->bypassB;
}

void QBaseSet::cbxAudit(bool checked) {
    if (mState) {
        OwnBypass() = checked ? 1 : 0;
        if (mWriteThread)
            mWriteThread->setBypass(mState->bypassA, mState->bypassB);
    }
    ShowSwitchText();
}

void QBaseSet::UpdateBypass() {
    if (!mState)
        return;
    mcbxBypass->setChecked(OwnBypass() != 0);
    ShowSwitchText();
}

int QBaseSet::CurrentValue(int position) const {
    return mState->current[DeviceState::valuePosition(Cabinet(), position)];
}

void QBaseSet::UpdateIR() {
    if (!mParser)
        return;
    disconnect(mChooserConnection);
    mccbCabinet->clear();
    for (int slot = 0; slot < DeviceState::kSlotCount; ++slot)
        mccbCabinet->addItem(mParser->slotName(slot));
    const int slot = CurrentValue(DeviceState::CabinetSlot);
    mccbCabinet->setCurrentIndex(slot);
    ConnectChooser();
    ShowPicture(slot);
}

void QBaseSet::UpdateCAB() {
    if (!mState)
        return;
    mwgtLevel->setValue(CurrentValue(DeviceState::Level));
    mwgtLatency->setValue(SliderDisplay::latencyFromDevice(CurrentValue(DeviceState::Latency)));
    mwgtLowCut->setValue(CurrentValue(DeviceState::LowCut));
    mwgtHighCut->setValue(CurrentValue(DeviceState::HighCut));
    const int slot = CurrentValue(DeviceState::CabinetSlot);
    SelectChooserEntry(slot);
    ShowPicture(slot);
}

void QBaseSet::OnDropMimeData(const QMimeData* mimeData) {
    const int slot = cabinetDropSlot(mimeData, mDropFormat);
    if (slot < 0 || !mParser)
        return;
    mParser->chooseCabinetSlot(Cabinet(), slot);
    ShowPicture(slot);
}

void QBaseSet::SelectChooserEntry(int slot) {
    disconnect(mChooserConnection);
    mccbCabinet->setCurrentIndex(slot);
    ConnectChooser();
}

void QBaseSet::ConnectChooser() {
    mChooserConnection = connect(mccbCabinet, QOverload<int>::of(&QComboBox::currentIndexChanged),
                                 this, &QBaseSet::ccbIndexChanged);
}

void QBaseSet::ShowPicture(int slot) {
    mPicturePath =
        mParser && mParser->hasUserIr(slot)
            ? QMEFolders::applicationFolder("/image/sound/soundir.png")
            : QMEFolders::applicationFolder(QStringLiteral("/image/sound/sound%1.png").arg(slot));
    const QPixmap picture = QMEImageLoader::LoadPixmap(mPicturePath);
    if (picture.isNull())
        mlblPicture->clear();
    else
        mlblPicture->setPixmap(picture);
}

void QBaseSet::ShowSwitchText() {
    mcbxBypass->setText(mcbxBypass->isChecked() ? QObject::tr("ON") : QObject::tr("OFF"));
    mcbxBypass->resize(kSwitchWidth, mcbxBypass->height());
    mcbxBypass->move(width() - 100, 20);
}

void QBaseSet::Retranslate() {
    ShowTexts();
    NameControls();
}

void QBaseSet::ShowTexts() {
    mwgtLevel->setTitle(QObject::tr("Level"));
    mwgtLatency->setTitle(QObject::tr("Latency"));
    mwgtLowCut->setTitle(QObject::tr("Low-Cut"));
    mwgtHighCut->setTitle(QObject::tr("High-Cut"));
    ShowSwitchText();
}

void QBaseSet::NameControls() {
    const QString cabinet = Cabinet() == 0 ? QObject::tr("CAB A") : QObject::tr("CAB B");
    setAccessibleName(cabinet);
    mcbxBypass->setAccessibleName(QObject::tr("%1 switch").arg(cabinet));
    mccbCabinet->setAccessibleName(QObject::tr("%1 cabinet").arg(cabinet));
    for (QSliderWidget* slider : {mwgtLevel, mwgtLatency, static_cast<QSliderWidget*>(mwgtLowCut),
                                  static_cast<QSliderWidget*>(mwgtHighCut)})
        slider->SetAccessibleNames(QObject::tr("%1 %2", "a cabinet and its dial: CAB A Level")
                                       .arg(cabinet, slider->title()));
}

void QBaseSet::ApplyMode(int mode) {
    const QString folder = QMEFolders::imageFolder(mode);
    SetBackgroundImage(folder + "/cabab_bg.png", false);
    for (int dial = DialLevel; dial <= DialHighCut; ++dial) {
        QSliderWidget* slider = SliderWidget(dial);
        slider->ApplyMode(mode);
        slider->SetValueColor(ValueColor());
    }
    ApplyChooserLook(mccbCabinet, mode);
    mcbxBypass->SetIndicatorImages(folder + "/button_on.png", folder + "/button_off.png");
    setTextColor(mlblTitle, TextColor(mode));
    setTextColor(mcbxBypass, TextColor(mode));
    LayoutWidgets();
}

void QBaseSet::StyleChooser(QMEComboBox* chooser, int mode, const QString& background) {
    const QString folder = QMEFolders::imageFolder(mode);
    const bool dark = mode == 2;
    const QString text = TextColor(mode).name();
    const QString popup = dark ? "#2f3039" : "#ffffff";
    const QString border = dark ? "#4c4e5c" : "#dadde7";
    const QString hover = dark ? "#3e4152" : "#e8ecfc";
    chooser->SetBaseStyle();
    chooser->SetTextColor(text);
    chooser->SetPopupMinWidth(chooser->width());
    chooser->SetPopupBorder(1, border);
    chooser->SetPopupPadding(2, 2, 2, 2);
    chooser->SetPopupBackground(popup);
    chooser->SetItemBackground(popup, popup);
    chooser->SetItemHover(hover, hover);
    chooser->SetItemSelected(hover, hover);
    // The kit's rules carry no images: the box face and its arrow come last.
    chooser->setStyleSheet(
        chooser->styleSheet() +
        QStringLiteral("\nQComboBox {border-image:url(%1); padding-left:16px; color:%3}"
                       "\nQComboBox::drop-down {border:none; width:28px}"
                       "\nQComboBox::down-arrow {image:url(%2)}"
                       // The highlighted entry keeps the text colour on its pale highlight.
                       "\nQComboBox QAbstractItemView {color:%3; selection-color:%3}")
            .arg(folder + background, folder + "/mode_arrow.png", text));
    chooser->view()->verticalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar:vertical {width:8px; background:%1; border:none}"
                       "QScrollBar::handle:vertical {background:%2; border-radius:4px;"
                       " min-height:20px}"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical"
                       " {height:0px}")
            .arg(popup, border));
}

void QBaseSet::resizeEvent(QResizeEvent* event) {
    QMEWidget::resizeEvent(event);
    LayoutWidgets();
}

void QBaseSet::LayoutWidgets() {
    const int w = width();
    mlblTitle->move(30, 20);
    mcbxBypass->move(w - 100, 20);
    const int chooserTop = mcbxBypass->geometry().bottom() + 1 + 20;
    mccbCabinet->move((w - mccbCabinet->width()) / 2, chooserTop);
    const int pictureTop = mccbCabinet->geometry().bottom() + 1 + 30;
    mlblPicture->move((w - mlblPicture->width()) / 2, pictureTop);
    int x = kFirstDialX;
    for (int dial = DialLevel; dial <= DialHighCut; ++dial) {
        QSliderWidget* slider = SliderWidget(dial);
        slider->move(x, height() - 155 + (140 - slider->height()) / 2);
        x = slider->geometry().right() + 1 + kDialGap;
    }
}

void QBaseSet::dragEnterEvent(QDragEnterEvent* event) {
    if (!mDropFormat.isEmpty() && event->mimeData()->hasFormat(mDropFormat))
        event->acceptProposedAction();
    else
        event->ignore();
}

void QBaseSet::dropEvent(QDropEvent* event) {
    if (mDropFormat.isEmpty() || !event->mimeData()->hasFormat(mDropFormat)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit emitDropMimeData(event->mimeData());
}
