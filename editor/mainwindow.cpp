#include "editor/mainwindow.h"

#include "editor/mainwindowrules.h"
#include "editor/qbuttonwidget.h"
#include "editor/qleftset.h"
#include "editor/qrightset.h"
#include "files/irfilereader.h"
#include "files/qbackupwritethread.h"
#include "files/qcabinettypeform.h"
#include "files/qcomputerform.h"
#include "files/qdropdragbutton.h"
#include "link/qmebaselibusb.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "settings/parserxml.h"
#include "settings/qmeappinfo.h"
#include "settings/qmefolders.h"
#include "uikit/qappupdatedialog.h"
#include "uikit/qloadingform.h"
#include "uikit/qmaskwidget.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmecheckbox.h"
#include "uikit/qmecombobox.h"
#include "uikit/qmefocusorder.h"
#include "uikit/qmefocusring.h"
#include "uikit/qmemenu.h"
#include "uikit/qmemenustyle.h"
#include "uikit/qmeprogramlauncher.h"
#include "uikit/qmewidget.h"
#include "uikit/qpromptdialog.h"
#include "updater/image/firmwarefolder.h"
#include "updater/image/firmwaretexts.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSessionManager>
#include <QShortcut>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace {

const char* const kSwitchOn = "/button_on.png";
const char* const kSwitchOff = "/button_off.png";
const char* const kConnectBackground = "/connected_bg.png";
const char* const kUpdate = "/btn_update.png";
const char* const kUpdateMismatch = "/btn_update2.png";
const char* const kReset = "/btn_reset.png";
const char* const kSet = "/btn_set.png";
const char* const kSave = "/btn_save.png";
const char* const kPlot = "/app_plot.png";
const char* const kBackup = "/btn_backup.png";
const char* const kRebackup = "/btn_rebackup.png";
const char* const kDarkModeButton = "/btn_darkmode.png";   // shown by mbtnLightMode
const char* const kLightModeButton = "/btn_lightmode.png"; // shown by mbtnDarkMode

const char* const kModeElement = "UI_Mode";
const char* const kModeAttribute = "UI_Mode_Value";
const char* const kLanguageElement = "Language_item";
const char* const kLanguageAttribute = "Language_Name";

constexpr int kLightLook = 1;
constexpr int kDarkLook = 2;
constexpr int kSwitchHeight = 24;
constexpr int kLanguageWidth = 110;
constexpr int kLanguageHeight = 30;
constexpr int kMenuGap = 5;

// Where the hosted panels sit, in window coordinates.
const QPoint kStripPosition(316, 132);
// The strip's slot reaches beyond its 14 buttons; mbtnSave sits at the slot's right end, where
// it covers no preset button.
constexpr int kStripSlotWidth = 940;
constexpr int kSaveInset = 12;
const QPoint kLeftSetPosition(312, 194);
const QPoint kRightSetPosition(786, 194);
const QSize kCabinetPanelSize(458, 520);
const QPoint kComputerPosition(29, 132);
const QPoint kCabinetListPosition(29, 420);

const char* const kUpdaterName = "TALIXUpdate";

const char* const kStripDragFormat = "btn/text/uri-list";
const char* const kBrowserDragFormat = "list/text/uri-list";
const char* const kCabinetListDragFormat = "caplist/text/uri-list";

const QPoint kPlotPosition(38, 103);
const QPoint kProductNamePosition(79, 103);
constexpr int kVersionGap = 15;
constexpr int kVersionRise = 5;

QString languageList() {
    return QMEFolders::applicationFolder("/Language/Language.xml");
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMEInitMainWindow(parent), m_handOver([this] {
          if (StartUpdater())
              QCoreApplication::quit();
      }) {
    CreateForm();
    InitFrame();

    // 1. Language list, connected only once filled.
    FillLanguages();
    connect(mccbLanguage, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::LanguageIndexChanged);

    // 2. Stored look.
    m_uiMode = ParserXML::ReadValue(kModeElement, kModeAttribute, "1").toInt();

    // 3. Device objects: the link and the write thread before anything else touching the pedal.
    m_link = new QMEBaseLibusb;
    m_link->setTransferMode(QMEBaseLibusb::ModeInterrupt);
    m_writeThread = new QUsbWriteThread;
    m_writeThread->attachLink(m_link);
    m_parser = new QDataAnalysis;
    connect(m_writeThread, &QUsbWriteThread::emitDeviceLostConnect, this,
            &MainWindow::DeviceLostConnect);
    m_parser->setWriteThread(m_writeThread);
    m_irReader = std::make_unique<IrFileReader>();
    m_writeThread->setIrFileLoader(m_irReader.get());
    connect(m_parser, &QDataAnalysis::emitUpdatePresetIndex, this, &MainWindow::updatePresetIndex);
    connect(m_writeThread, &QUsbWriteThread::emitImportIrProgress, this,
            &MainWindow::ImportIrProgress);
    m_backupThread = new QBackupWriteThread(this);
    connect(m_backupThread, &QBackupWriteThread::emitBackupProgress, this,
            &MainWindow::onBackupProgress);
    connect(m_backupThread, &QBackupWriteThread::emitRecallProgress, this,
            &MainWindow::onRecallProgress);
    m_backupThread->attachShared(m_link, m_writeThread->receiveThread());

    // 4. Look.
    SetLook(m_uiMode);

    // 5. The hosted panels take the parser.
    mwgtLeftSet->setParser(m_parser);
    mwgtRightSet->setParser(m_parser);
    mwgtCabInetType->setParser(m_parser);
    mwgtComputer->setParser(m_parser);
    mwgtBtnList->setParser(m_parser);
    connect(mwgtLeftSet, &QBaseSet::emitPromptDisConnect, this, &MainWindow::PromptDisConnect);
    connect(mwgtRightSet, &QBaseSet::emitPromptDisConnect, this, &MainWindow::PromptDisConnect);
    connect(mwgtCabInetType, &QCabInetTypeForm::emitPromptDisConnect, this,
            &MainWindow::PromptDisConnect);
    connect(mwgtBtnList, &QButtonWidget::emitPromptDisConnect, this, &MainWindow::PromptDisConnect);

    // 6. Reconnect after a firmware hand-over.
    m_reconnectTimer = new QTimer(this);
    m_reconnectTimer->setSingleShot(true);
    connect(m_reconnectTimer, &QTimer::timeout, this, &MainWindow::onConnTimer);

    connect(qApp, &QGuiApplication::commitDataRequest, this, &MainWindow::onCommitData,
            Qt::DirectConnection);
    SetFocusOrder();
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated,
            mbtnSave, &QMEBaseButton::click);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this),
            &QShortcut::activated, this, &MainWindow::actSavePresetFile);
}

void MainWindow::SetFocusOrder() {
    QList<QWidget*> order{mcbxConnect,      mccbLanguage,    mbtnLightMode, mbtnDarkMode,
                          mbtnUpdate,       mbtnReset,       mbtnSet,       MinimizeButton(),
                          MaximizeButton(), RestoreButton(), CloseButton()};
    for (QWidget* button : mwgtBtnList->buttons())
        order << button;
    order << mbtnSave;
    order << mwgtLeftSet->FocusOrder() << mwgtRightSet->FocusOrder();
    order << mwgtComputer->focusOrder() << mwgtCabInetType->focusOrder();
    QMEFocusOrder::Chain(order);
    // The window opens with the keyboard on the connect switch.
    mcbxConnect->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() {
    delete m_writeThread;
    m_writeThread = nullptr;
    delete m_parser;
    m_parser = nullptr;
    delete m_backupThread;
    m_backupThread = nullptr;
    delete m_link;
    m_link = nullptr;
    delete m_loadingForm;
    m_loadingForm = nullptr;
}

QStringList MainWindow::ImageNames() {
    return {kSwitchOn,
            kSwitchOff,
            kConnectBackground,
            kUpdate,
            kUpdateMismatch,
            kReset,
            kSet,
            kSave,
            kPlot,
            kDarkModeButton,
            kLightModeButton,
            kBackup,
            kRebackup};
}

void MainWindow::CreateForm() {
    auto* form = new QWidget(this);
    form->setObjectName("centralWidget");
    setCentralWidget(form);

    mwgtConnectbg = new QMEWidget(form);
    mwgtConnectbg->setObjectName("mwgtConnectbg");
    mcbxConnect = new QMECheckBox(form);
    mcbxConnect->setObjectName("mcbxConnect");
    mcbxConnect->setLayoutDirection(Qt::RightToLeft);
    mcbxConnect->resize(MainWindowRules::connectSizes(false, 0).switchWidth, kSwitchHeight);
    mccbLanguage = new QMEComboBox(form);
    mccbLanguage->setObjectName("mccbLanguage");
    mccbLanguage->resize(kLanguageWidth, kLanguageHeight);

    auto button = [form](const char* name) {
        auto* b = new QMEBaseButton(form);
        b->setObjectName(name);
        b->setCursor(Qt::PointingHandCursor);
        return b;
    };
    mbtnLightMode = button("mbtnLightMode");
    mbtnDarkMode = button("mbtnDarkMode");
    mbtnUpdate = button("mbtnUpdate");
    mbtnReset = button("mbtnReset");
    mbtnSet = button("mbtnSet");
    mbtnSave = button("mbtnSave");

    mwgtPlot = new QMEWidget(form);
    mwgtPlot->setObjectName("mwgtPlot");
    mlblProjectNane = new QLabel(QStringLiteral("TALIX"), form);
    mlblProjectNane->setObjectName("mlblProjectNane");
    mlblVersion = new QLabel(form);
    mlblVersion->setObjectName("mlblVersion");
    mlblVersion->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    mwgtBtnList = new QButtonWidget(form);
    mwgtBtnList->setObjectName("mwgtBtnList");
    mwgtLeftSet = new QLeftSet(form);
    mwgtLeftSet->setObjectName("mwgtLeftSet");
    mwgtRightSet = new QRightSet(form);
    mwgtRightSet->setObjectName("mwgtRightSet");
    for (QBaseSet* panel :
         {static_cast<QBaseSet*>(mwgtLeftSet), static_cast<QBaseSet*>(mwgtRightSet)})
        panel->setFixedSize(kCabinetPanelSize);
    mwgtComputer = new QComputerForm(form);
    mwgtComputer->setObjectName("mwgtComputer");
    mwgtCabInetType = new QCabInetTypeForm(form);
    mwgtCabInetType->setObjectName("mwgtCabInetType");
    mbtnBackup = button("mbtnBackup");
    mbtnRebackup = button("mbtnRebackup");
    // The strip covers the save button's slot otherwise.
    mbtnSave->raise();
}

void MainWindow::InitAppInfo() {
    QMEAppInfo& info = QMEAppInfo::instance();
    info.makerName = QStringLiteral("Zelva");
    info.productName = QStringLiteral("TALIX");
    info.caption = QStringLiteral("TALIX");
    info.titleHeight = 48;
    info.spareNumber = 0;
    info.marginLeft = info.marginTop = info.marginRight = info.marginBottom = kMargin;
    info.font.setFamily(QStringLiteral("Arial"));
}

void MainWindow::InitExtra() {}

QMargins MainWindow::FrameMargins() {
    return QMargins(kMargin, kMargin, kMargin, kMargin);
}

void MainWindow::InitReserved() {}

void MainWindow::SetWindowSize() {
    setFixedSize(kWidth, kHeight);
}

void MainWindow::InitConnections() {
    QMEInitMainWindow::InitConnections();
    connect(mbtnLightMode, &QMEBaseButton::clicked, this, &MainWindow::onLightMode);
    connect(mbtnDarkMode, &QMEBaseButton::clicked, this, &MainWindow::onDarkMode);
    connect(mbtnSave, &QMEBaseButton::clicked, this, &MainWindow::onSave);
    connect(mbtnReset, &QMEBaseButton::clicked, this, &MainWindow::onReset);
    connect(mbtnSet, &QMEBaseButton::clicked, this, &MainWindow::onSet);
    connect(mcbxConnect, &QMECheckBox::clicked, this, &MainWindow::onConnect);
    connect(mbtnUpdate, &QMEBaseButton::clicked, this, &MainWindow::onUpdateApp);
    mbtnUpdate->SetOpensMenu(true);
    mbtnSet->SetOpensMenu(true);
    MaximizeButton()->hide();
    RestoreButton()->hide();

    QFont name = QMEAppInfo::instance().font;
    name.setPixelSize(20);
    mlblProjectNane->setFont(name);
    QFont version = QMEAppInfo::instance().font;
    version.setPixelSize(15);
    mlblVersion->setFont(version);
    // Small enough that the longest state text fits the switch's fixed widths in every language.
    QFont switchText = QMEAppInfo::instance().font;
    switchText.setPixelSize(11);
    mcbxConnect->setFont(switchText);

    QStringList labels;
    for (int preset = 0; preset < kPresetButtons; ++preset)
        labels << QString::number(preset);
    mwgtBtnList->setButtons(labels);
    connect(mwgtBtnList, QOverload<int>::of(&QButtonWidget::emitSelectedTag), this,
            &MainWindow::btnSelectedTag);
    mwgtBtnList->setDragFormat(kStripDragFormat);
    mwgtBtnList->setDropFormat(kBrowserDragFormat);
    mwgtComputer->setDragFormat(kBrowserDragFormat);
    mwgtComputer->setDropFormat(kStripDragFormat);
    mwgtCabInetType->setDragFormat(kCabinetListDragFormat);
    mwgtLeftSet->SetDropFormat(kCabinetListDragFormat);
    mwgtRightSet->SetDropFormat(kCabinetListDragFormat);
    connect(mbtnBackup, &QMEBaseButton::clicked, this, &MainWindow::onBackupFile);
    connect(mbtnRebackup, &QMEBaseButton::clicked, this, &MainWindow::onRebackupFile);
    mbtnBackup->hide();
    mbtnRebackup->hide();

    m_mask = new QMaskWidget(this);
    m_mask->setObjectName("mwgtMask");
    m_mask->SetShadowColor(QColor(0, 0, 0, 80));
    m_mask->hide();
    m_loadingForm = new QLoadingForm(this);
    m_loadingForm->setObjectName("mLoadingForm");
    m_loadingForm->SetTextPattern(QStringLiteral("%1%"));
}

void MainWindow::AfterConnections() {
    m_actFirmwareUpdate = new QAction(this);
    m_actAppUpdate = new QAction(this);
    m_menu = new QMEMenu(this);
    connect(m_actFirmwareUpdate, &QAction::triggered, this, &MainWindow::actFirmwareUpdate);
    connect(m_actAppUpdate, &QAction::triggered, this, &MainWindow::actAppUpdate);
    m_actBackup = new QAction(this);
    m_actRecall = new QAction(this);
    connect(m_actBackup, &QAction::triggered, this, &MainWindow::onBackupFile);
    connect(m_actRecall, &QAction::triggered, this, &MainWindow::onRebackupFile);
    m_actShortcuts = new QAction(this);
    connect(m_actShortcuts, &QAction::triggered, this, &MainWindow::actShortcuts);
    m_setActions << m_actBackup << m_actRecall << m_actShortcuts;
    RetranslateFrame();
}

void MainWindow::RetranslateFrame() {
    QMEInitMainWindow::RetranslateFrame();
    if (!mcbxConnect)
        return;
    mbtnUpdate->setToolTip(QObject::tr("Update"));
    mbtnReset->setToolTip(QObject::tr("Factory reset"));
    mbtnSave->setToolTip(QObject::tr("Save"));
    mbtnSet->setToolTip(QObject::tr("Set"));
    mbtnLightMode->setToolTip(QObject::tr("Dark Mode"));
    mbtnDarkMode->setToolTip(QObject::tr("Light Mode"));
    mcbxConnect->setText(mcbxConnect->isChecked() ? QObject::tr("Connected")
                                                  : QObject::tr("Disconnected"));
    mcbxConnect->setAccessibleName(QObject::tr("Connect"));
    mccbLanguage->setAccessibleName(QObject::tr("Language"));
    if (m_actFirmwareUpdate) {
        m_actFirmwareUpdate->setText(QObject::tr("Firmware Update"));
        m_actAppUpdate->setText(QObject::tr("Software Update"));
    }
    if (m_actBackup) {
        m_actBackup->setText(QObject::tr("Backup"));
        m_actRecall->setText(QObject::tr("Recall"));
        m_actShortcuts->setText(QObject::tr("Keyboard shortcuts"));
    }
    mbtnBackup->setToolTip(QObject::tr("Backup File"));
    mwgtLeftSet->SetTitle(QObject::tr("CAB A(Left)"));
    mwgtRightSet->SetTitle(QObject::tr("CAB B(Right)"));
    mwgtLeftSet->Retranslate();
    mwgtRightSet->Retranslate();
}

void MainWindow::LayoutTitleBar() {
    QMEInitMainWindow::LayoutTitleBar();
    if (!mcbxConnect || !CloseButton())
        return;
    using namespace MainWindowRules;
    QMEBaseButton* look = mbtnLightMode->isHidden() ? mbtnDarkMode : mbtnLightMode;
    QWidget* band[BandControls] = {CloseButton(), MinimizeButton(), mbtnSet,
                                   mbtnReset,     mbtnUpdate,       look,
                                   mccbLanguage,  mwgtConnectbg};
    QVector<QSize> sizes;
    for (QWidget* control : band)
        sizes << control->size();
    const QVector<QPoint> at = titleBand(width(), FrameMargins().right(), sizes);
    for (int control = Close; control < BandControls; ++control)
        band[control]->move(at[control]);
    mcbxConnect->move(switchPosition(at[Connect], mwgtConnectbg->size(), mcbxConnect->width(),
                                     mcbxConnect->height()));

    mwgtPlot->move(kPlotPosition);
    mlblProjectNane->adjustSize();
    mlblProjectNane->move(kProductNamePosition);
    mlblVersion->adjustSize();
    mlblVersion->move(mlblProjectNane->geometry().right() + 1 + kVersionGap,
                      mlblProjectNane->y() - kVersionRise);
    mwgtBtnList->move(kStripPosition);
    mbtnSave->move(kStripPosition.x() + kStripSlotWidth - kSaveInset - mbtnSave->width(),
                   kStripPosition.y() - 1);
    mwgtLeftSet->move(kLeftSetPosition);
    mwgtRightSet->move(kRightSetPosition);
    mwgtComputer->move(kComputerPosition);
    mwgtCabInetType->move(kCabinetListPosition);
    if (m_mask)
        m_mask->setGeometry(rect().marginsRemoved(FrameMargins()));
}

void MainWindow::ApplyTheme(int mode) {
    QMEInitMainWindow::ApplyTheme(mode);
    if (!mcbxConnect)
        return;
    QMEFocusRing::Install(mode);
    const QString folder = QMEFolders::imageFolder(mode);
    mwgtCabInetType->ApplyTheme(mode);
    mwgtComputer->ApplyTheme(mode);
    mwgtBtnList->ApplyTheme(mode);
    mwgtLeftSet->ApplyMode(mode);
    mwgtRightSet->ApplyMode(mode);
    if (m_loadingForm)
        m_loadingForm->ApplyMode(mode);
    mbtnBackup->SetButtonImage(folder + kBackup);
    mbtnRebackup->SetButtonImage(folder + kRebackup);
    mcbxConnect->SetIndicatorImages(folder + kSwitchOn, folder + kSwitchOff);
    mwgtConnectbg->SetBackgroundImage(folder + kConnectBackground, true);
    mbtnUpdate->SetButtonImage(folder + (m_firmwareMatches ? kUpdate : kUpdateMismatch));
    mbtnReset->SetButtonImage(folder + kReset);
    mbtnSet->SetButtonImage(folder + kSet);
    mbtnSave->SetButtonImage(folder + kSave);
    mbtnLightMode->SetButtonImage(folder + kDarkModeButton);
    mbtnDarkMode->SetButtonImage(folder + kLightModeButton);
    mwgtPlot->SetBackgroundImage(folder + kPlot, false);
    // The twin takes the keyboard from the button that hides: focus must not fall elsewhere.
    const bool lookFocused = mbtnLightMode->hasFocus() || mbtnDarkMode->hasFocus();
    QMEBaseButton* const twin = mode == kLightLook ? mbtnDarkMode : mbtnLightMode;
    twin->show();
    if (lookFocused)
        twin->setFocus(Qt::OtherFocusReason);
    (twin == mbtnDarkMode ? mbtnLightMode : mbtnDarkMode)->hide();

    const bool dark = mode == kDarkLook;
    mccbLanguage->SetBaseStyle();
    const QColor languageText = dark ? QColor(255, 255, 255) : QColor(51, 51, 51);
    mccbLanguage->SetTextColor(languageText.name());
    mccbLanguage->SetPopupBorder(1, dark ? "#4a4d57" : "#d0d0d0");
    mccbLanguage->SetPopupBackground(dark ? "#2b2d33" : "#f1f1f1");
    // The list's entries keep the look's text colour, on a highlight as pale (or as deep) as the
    // cabinet choosers' so that they stay readable.
    const QString highlight = dark ? "#3e4152" : "#e8ecfc";
    mccbLanguage->SetItemHover(highlight, highlight);
    mccbLanguage->SetItemSelected(highlight, highlight);
    // The style rule alone leaves the read-only line edit's text black; every rule set above
    // polishes it again, so this comes last.
    QPalette languagePalette = mccbLanguage->lineEdit()->palette();
    languagePalette.setColor(QPalette::Text, languageText);
    mccbLanguage->lineEdit()->setPalette(languagePalette);
    QPalette listPalette = mccbLanguage->view()->palette();
    listPalette.setColor(QPalette::Text, languageText);
    listPalette.setColor(QPalette::HighlightedText, languageText);
    mccbLanguage->view()->setPalette(listPalette);
    m_menu->MenuStyle()->SetColors(dark ? QColor(43, 45, 51) : QColor(241, 241, 241),
                                   dark ? QColor(255, 255, 255) : QColor(51, 51, 51),
                                   QColor(84, 116, 192), QColor(255, 255, 255));

    QPalette labels = mlblProjectNane->palette();
    labels.setColor(QPalette::WindowText, dark ? QColor(255, 255, 255) : QColor(51, 51, 51));
    mlblProjectNane->setPalette(labels);
    mlblVersion->setPalette(labels);
    QPalette switchText = mcbxConnect->palette();
    // Darker on the light look's pale pill, where the dark look's grey is hard to read.
    switchText.setColor(QPalette::WindowText, dark ? QColor(191, 193, 199) : QColor(110, 111, 115));
    mcbxConnect->setPalette(switchText);

    ShowConnectState(mcbxConnect->isChecked());
}

void MainWindow::FillLanguages() {
    const QString current = ParserXML::ReadValue(kLanguageElement, kLanguageAttribute, "English");
    const QStringList names = ParserXML::LanguageNames(languageList());
    mccbLanguage->addItems(names);
    const int index = names.indexOf(current);
    if (index >= 0)
        mccbLanguage->setCurrentIndex(index);
}

void MainWindow::SetLook(int mode) {
    m_uiMode = mode;
    ApplyTheme(mode);
}

std::uint8_t MainWindow::Probe() {
    const std::uint8_t code = OpenPedal();
    m_writeThread->closeUsbConnect();
    return code;
}

void MainWindow::SetHandOver(std::function<void()> handOver) {
    m_handOver = std::move(handOver);
}

bool MainWindow::StartUpdater() {
    if (QMEProgramLauncher::startDetached(kUpdaterName))
        return true;
    ShowConnectState(false);
    show();
    PromptLong(MainWindowRules::updaterMissing(
                   QDir::toNativeSeparators(QMEProgramLauncher::programPath(kUpdaterName))),
               QPromptDialog::IconError);
    return false;
}

std::uint8_t MainWindow::OpenPedal() {
    return m_writeThread->openUsbConnect(kVendorId, kProductId, kReleaseNumber, kDeviceType);
}

bool MainWindow::LinkOpen() const {
    return m_writeThread && m_writeThread->usbIsOpen();
}

QString MainWindow::PedalFirmware() const {
    return MainWindowRules::firmwareText(m_link->getIdentity());
}

void MainWindow::ShowConnectState(bool connected) {
    mcbxConnect->setChecked(connected);
    mcbxConnect->setText(connected ? QObject::tr("Connected") : QObject::tr("Disconnected"));
    const auto sizes = MainWindowRules::connectSizes(connected, ParserXML::LanguageType());
    mcbxConnect->resize(sizes.switchWidth, mcbxConnect->height());
    mwgtConnectbg->resize(sizes.background);
    LayoutTitleBar();
}

int MainWindow::Prompt(const QString& text, int width, int height, int icon, int buttons,
                       int defaultResult) {
    qInfo().noquote() << "-------prompt------" << text;
    return QPromptDialog::ShowPrompt(this, text, width, height, QObject::tr("Prompt"), icon,
                                     buttons, defaultResult);
}

int MainWindow::PromptLong(const QString& text, int icon, int buttons, int width) {
    qInfo().noquote() << "-------prompt------" << text;
    return QPromptDialog::ShowFittedPrompt(this, text, width, QObject::tr("Prompt"), icon, buttons);
}

bool MainWindow::OffersFirmwareUpdate(const QString& version) {
    QAPPUpdateDialog dialog(this);
    dialog.SetFirmwareVersion(version);
    dialog.SetSoftwareVersion(QString::fromLatin1(MainWindowRules::kExpectedFirmware));
    dialog.move(geometry().center() - dialog.rect().center());
    return dialog.exec() == QDialog::Accepted;
}

bool MainWindow::OpenRunningPedal() {
    switch (OpenPedal()) {
    case QMEBaseLibusb::OpenFailed:
        mcbxConnect->setChecked(false);
        PromptOpenFailure();
        ShowConnectState(false);
        return false;
    case QMEBaseLibusb::OpenBootLoader:
        ShowConnectState(true);
        // The updater must find the pedal free: a claim kept until this program ends would
        // answer its open with "busy".
        m_writeThread->closeUsbConnect();
        m_handOver();
        return false;
    case QMEBaseLibusb::OpenRunning:
        return true;
    default:
        return false;
    }
}

void MainWindow::onConnect() {
    m_reconnectTimer->stop();
    if (!mcbxConnect->isChecked()) {
        m_writeThread->closeUsbConnect();
        ShowConnectState(false);
        return;
    }
    if (!OpenRunningPedal())
        return;
    const QString version = PedalFirmware();
    m_firmwareMatches = MainWindowRules::firmwareMatches(version);
    // Declining the image question, or having none, goes on as "Continue using" does.
    if (!m_firmwareMatches && OffersFirmwareUpdate(version) && SwitchToUpdateMode())
        return;
    const QString folder = QMEFolders::imageFolder(m_uiMode);
    mbtnUpdate->SetButtonImage(folder + (m_firmwareMatches ? kUpdate : kUpdateMismatch));
    mlblVersion->setText(version);
    ShowConnectState(true);
    m_writeThread->connectSequence();
}

void MainWindow::onConnTimer() {
    m_reconnectTimer->stop();
    if (!OpenRunningPedal())
        return;
    const QString version = PedalFirmware();
    if (!MainWindowRules::firmwareMatches(version) && OffersFirmwareUpdate(version) &&
        SwitchToUpdateMode())
        return;
    ShowConnectState(true);
    m_writeThread->reconnectSequence();
}

void MainWindow::DeviceLostConnect() {
    PromptDisConnect();
    m_writeThread->closeUsbConnect();
    ShowConnectState(false);
}

void MainWindow::PromptOpenFailure() {
    const QString text = MainWindowRules::openFailureText(
        m_link->lastOpenFailure(), QString::fromStdString(m_link->lastOpenDetail()));
    if (text.isEmpty()) {
        PromptDisConnect();
        return;
    }
    PromptLong(text, QPromptDialog::IconError);
}

void MainWindow::PromptDisConnect() {
    Prompt(QObject::tr("Device Disconnected!"), 200, 100, QPromptDialog::IconError);
}

void MainWindow::onSave() {
    if (Prompt(QObject::tr("Are you sure to save the Preset?"), 250, 60, QPromptDialog::IconWarning,
               QPromptDialog::ButtonsYesNo) == QPromptDialog::ResultYes)
        m_parser->saveCurrentPreset();
}

void MainWindow::onReset() {
    if (!LinkOpen()) {
        PromptDisConnect();
        return;
    }
    // Enter alone must not wipe the pedal: No is the default.
    if (Prompt(QObject::tr("Do you really want to reset the database? Device needs to be restart!"),
               250, 60, QPromptDialog::IconWarning, QPromptDialog::ButtonsYesNo,
               QPromptDialog::ResultNo) != QPromptDialog::ResultYes)
        return;
    const QScopedValueRollback<bool> resetting(m_resetting, true);
    m_writeThread->receiveThread()->stop();
    ShowConnectState(false);
    m_writeThread->resetDevice();
    // The pedal restarts: what the user does next meets a closed link, not a dead one.
    m_writeThread->closeUsbConnect();
    Prompt(QObject::tr("Device connection disconnected, please reconnect!"), 250, 80,
           QPromptDialog::IconWarning);
}

void MainWindow::PopupMenu(QMEBaseButton* button, const QList<QAction*>& actions) {
    m_menu->clear();
    if (actions.isEmpty())
        return;
    m_menu->addActions(actions);
    m_menu->PopupAt(button->mapToGlobal(QPoint(0, button->height() + kMenuGap)));
}

void MainWindow::onSet() {
    PopupMenu(mbtnSet, m_setActions);
}

void MainWindow::onUpdateApp() {
    PopupMenu(mbtnUpdate, {m_actFirmwareUpdate, m_actAppUpdate});
}

void MainWindow::actFirmwareUpdate() {
    SwitchToUpdateMode();
}

bool MainWindow::SwitchToUpdateMode() {
    if (!LinkOpen()) {
        PromptDisConnect();
        return false;
    }
    // A pedal switched without an image the updater can write would wait in its boot loader
    // with no way forward.
    const QString userFolder = FirmwareFolder::UserPath();
    FirmwareFolder::Ensure(userFolder);
    const FirmwareFolder::Choice image =
        FirmwareFolder::Choose(FirmwareFolder::Folders(), QByteArray(kDeviceType));
    if (image.path.isEmpty()) {
        PromptNoFirmware(userFolder, FirmwareTexts::RefusalLines(image.refused));
        return false;
    }
    const QString question =
        QObject::tr("Update the pedal with \"%1\"? The pedal restarts into its update mode; keep "
                    "it plugged in until the updater says it has finished.")
            .arg(QFileInfo(image.path).fileName());
    if (PromptLong(question, QPromptDialog::IconWarning, QPromptDialog::ButtonsYesNo) !=
        QPromptDialog::ResultYes)
        return false;
    m_writeThread->receiveThread()->stop();
    m_writeThread->enterUpdateMode();
    m_reconnectTimer->start(kReconnectDelayMs);
    return true;
}

void MainWindow::PromptNoFirmware(const QString& folder, const QString& refusals) {
    QString text = FirmwareTexts::NoImageLine(folder);
    if (!refusals.isEmpty())
        text += QStringLiteral("\n\n") + refusals;
    if (PromptLong(text, QPromptDialog::IconWarning, QPromptDialog::ButtonsOpenOk, 420) ==
        QPromptDialog::ResultOpen)
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void MainWindow::actShortcuts() {
    QPromptDialog::ShowFittedPrompt(this, MainWindowRules::keyboardHelp(), 420,
                                    QObject::tr("Keyboard shortcuts"), QPromptDialog::IconHelp,
                                    QPromptDialog::ButtonsOk);
}

void MainWindow::actSavePresetFile() {
    // As the drag: before a pedal was read the presets hold zeros.
    if (!m_parser->deviceState()->presetsRead)
        PromptDisConnect();
    else
        mwgtComputer->savePreset(mwgtBtnList->currentIndex());
}

void MainWindow::actAppUpdate() {
    QDesktopServices::openUrl(QUrl(MainWindowRules::downloadPage(ParserXML::LanguageType())));
}

MainWindowRules::Busy MainWindow::BusyWith() const {
    using MainWindowRules::Busy;
    if (m_resetting)
        return Busy::FactoryReset;
    if (m_backupThread && m_backupThread->isWorkerRunning())
        return m_backupThread->mode() == QBackupWriteThread::ModeRestore ? Busy::Restore
                                                                         : Busy::Backup;
    // The write thread's worker runs only for an IR import.
    if (m_writeThread && m_writeThread->isWorkerRunning())
        return Busy::IrImport;
    return Busy::None;
}

bool MainWindow::RefusesClose() {
    const QString refusal = MainWindowRules::closeRefusal(BusyWith());
    if (refusal.isEmpty())
        return false;
    PromptLong(refusal, QPromptDialog::IconWarning);
    return true;
}

bool MainWindow::AsksExit() {
    return Prompt(QObject::tr("Exit the application!"), 200, 60, QPromptDialog::IconWarning,
                  QPromptDialog::ButtonsYesNo) == QPromptDialog::ResultYes;
}

void MainWindow::OnClose() {
    // Ending the program mid-transfer would leave the pedal partly written.
    if (!RefusesClose() && AsksExit())
        QMEInitMainWindow::OnClose();
}

bool MainWindow::SessionMayEnd(bool mayAsk) {
    if (mayAsk)
        return !RefusesClose() && AsksExit();
    // Only a transfer's worker can finish meanwhile.
    const auto transferRuns = [this] {
        const MainWindowRules::Busy busy = BusyWith();
        return busy != MainWindowRules::Busy::None && busy != MainWindowRules::Busy::FactoryReset;
    };
    const QDeadlineTimer grace(kSessionGraceMs);
    while (transferRuns() && !grace.hasExpired())
        QThread::msleep(10);
    return true;
}

void MainWindow::onCommitData(QSessionManager& manager) {
    m_sessionMayEnd = SessionMayEnd(manager.allowsInteraction());
    if (!m_sessionMayEnd)
        manager.cancel();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The session's own closes follow the answer it already has.
    if (qApp->isSavingSession() && !IsClosing()) {
        event->setAccepted(m_sessionMayEnd);
        return;
    }
    QMEInitMainWindow::closeEvent(event);
}

void MainWindow::onLightMode() {
    SetLook(kLightLook);
    ParserXML::WriteValue(kModeElement, kModeAttribute, "1");
}

void MainWindow::onDarkMode() {
    SetLook(kDarkLook);
    ParserXML::WriteValue(kModeElement, kModeAttribute, "2");
}

void MainWindow::LanguageIndexChanged(int) {
    const QString name = mccbLanguage->currentText();
    ParserXML::WriteValue(kLanguageElement, kLanguageAttribute, name);
    ParserXML::SetLanguageType(ParserXML::FindLanguage(languageList(), name).type);
    LangugeChangeSet(true);
    RetranslateFrame();
    ShowConnectState(mcbxConnect->isChecked());
}

void MainWindow::updatePresetIndex() {
    mwgtBtnList->setCurrentFromDevice(m_parser->deviceState()->currentPreset);
}

void MainWindow::btnSelectedTag(int index) {
    if (m_parser->isPresetModified())
        onSave();
    m_parser->choosePreset(index);
}

void MainWindow::onBackupFile() {
    StartTransfer(false);
}

void MainWindow::onRebackupFile() {
    StartTransfer(true);
}

void MainWindow::StartTransfer(bool restore) {
    if (!LinkOpen()) {
        PromptDisConnect();
        return;
    }
    QUtilThread::StartResult started = QUtilThread::StartResult::Cancelled;
    if (m_chooseBackupFile) {
        // As the thread's own dialogs: nothing is asked while a transfer runs.
        if (m_backupThread->isWorkerRunning()) {
            started = QUtilThread::StartResult::Busy;
        } else {
            const QString file = m_chooseBackupFile(restore);
            if (!file.isEmpty())
                started = restore ? m_backupThread->startRestoreFrom(file)
                                  : m_backupThread->startBackupTo(file);
        }
    } else {
        started = restore ? m_backupThread->startRestore(this) : m_backupThread->startBackup(this);
    }
    if (started == QUtilThread::StartResult::Cancelled)
        return;
    // A busy start leaves the running transfer's template: its progress keeps arriving.
    if (started == QUtilThread::StartResult::Started)
        m_loadingForm->SetTextPattern(restore ? QObject::tr("Restore...%1%...")
                                              : QObject::tr("Backuping...%1%..."));
    ShowProgress(true);
    CentreLoadingForm();
}

void MainWindow::ShowProgress(bool shown) {
    if (shown) {
        m_mask->setGeometry(rect().marginsRemoved(FrameMargins()));
        m_mask->raise();
        m_mask->show();
        m_loadingForm->show();
    } else {
        m_loadingForm->hide();
        m_mask->hide();
    }
}

void MainWindow::CentreLoadingForm() {
    m_loadingForm->move(geometry().center() - m_loadingForm->rect().center());
}

void MainWindow::onBackupProgress(int value, int msgType) {
    ShowTransferStep(value, msgType, QObject::tr("Device data backup successful."),
                     QObject::tr("Backup failed,Please try again."));
}

void MainWindow::onRecallProgress(int value, int msgType) {
    // The pedal restarts with the restored data: the link to it has ended.
    if (msgType == QMEBaseWriteThread::MSG_FINISHED) {
        m_writeThread->closeUsbConnect();
        ShowConnectState(false);
    }
    ShowTransferStep(value, msgType, QObject::tr("Device data restore successful."),
                     QObject::tr("Restore failed,Please try again."));
}

void MainWindow::ShowTransferStep(int value, int msgType, const QString& success,
                                  const QString& failure) {
    m_loadingForm->SetValue(value);
    switch (msgType) {
    case QMEBaseWriteThread::MSG_PROGRESS:
        ShowProgress(true);
        break;
    case QMEBaseWriteThread::MSG_STOPPED:
        ShowProgress(false);
        ShowProgress(true);
        break;
    case QMEBaseWriteThread::MSG_FINISHED:
        Prompt(success, 250, 80, QPromptDialog::IconSuccess);
        ShowProgress(false);
        break;
    case QMEBaseWriteThread::MSG_FAILED:
        Prompt(failure, 250, 80, QPromptDialog::IconError);
        ShowProgress(false);
        break;
    default:
        break;
    }
}

void MainWindow::ImportIrProgress(int value, QString, int msgType) {
    m_loadingForm->SetValue(value);
    auto showImport = [this, value] {
        if (!m_loadingForm->isHidden())
            return;
        // The value went in under the previous transfer's text.
        m_loadingForm->SetTextPattern(QObject::tr("Adding Ir...%1%..."));
        m_loadingForm->SetValue(value);
        ShowProgress(true);
        CentreLoadingForm();
    };
    switch (msgType) {
    case QMEBaseWriteThread::MSG_PROGRESS:
        showImport();
        break;
    case QMEBaseWriteThread::MSG_STOPPED:
        ShowProgress(false);
        showImport();
        break;
    case QMEBaseWriteThread::MSG_FINISHED:
        ShowProgress(false);
        m_writeThread->requestIrList();
        break;
    case QMEBaseWriteThread::MSG_FAILED:
        ShowProgress(false);
        break;
    default:
        break;
    }
}
