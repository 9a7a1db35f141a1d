#include "uikit/qmeinitmainwindow.h"

#include "settings/parserxml.h"
#include "settings/qmeappinfo.h"
#include "settings/qmefolders.h"
#include "uikit/qdialogcolseanimation.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmeframegeometry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QTimer>
#include <QTranslator>

namespace {

const char* const kBackground = "/background.png";
const char* const kLogo = "/logo.png";
const char* const kClose = "/btn_close.png";
const char* const kMin = "/btn_min.png";
const char* const kMax = "/btn_max.png";
const char* const kRestore = "/btn_restore.png";

} // namespace

QMEInitMainWindow::QMEInitMainWindow(QWidget* parent) : QMEMainWindow(parent) {
    m_fade = new QDialogColseAnimation(this);
    connect(m_fade, &QDialogColseAnimation::emitRefused, this, [this] { m_closing = false; });
}

QMEInitMainWindow::~QMEInitMainWindow() {
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator);
    delete m_translator;
}

QStringList QMEInitMainWindow::ImageNames() {
    return {kBackground, kLogo, kClose, kMin, kMax, kRestore};
}

void QMEInitMainWindow::RetranslateFrame() {
    if (m_close)
        m_close->setToolTip(QObject::tr("Close"));
    if (m_max)
        m_max->setToolTip(QObject::tr("Maximize"));
    if (m_min)
        m_min->setToolTip(QObject::tr("Minimize"));
    if (m_restore)
        m_restore->setToolTip(QObject::tr("Restore File"));
}

void QMEInitMainWindow::SetWindowSize() {}

QMEBaseButton* QMEInitMainWindow::CloseButton() const {
    return m_close;
}

QMEBaseButton* QMEInitMainWindow::MinimizeButton() const {
    return m_min;
}

QMEBaseButton* QMEInitMainWindow::MaximizeButton() const {
    return m_max;
}

QMEBaseButton* QMEInitMainWindow::RestoreButton() const {
    return m_restore;
}

QTranslator* QMEInitMainWindow::Translator() const {
    return m_translator;
}

bool QMEInitMainWindow::IsClosing() const {
    return m_closing;
}

QDialogColseAnimation* QMEInitMainWindow::CloseAnimation() const {
    return m_fade;
}

void QMEInitMainWindow::UpdateMaxRestoreButtons() {
    if (m_max)
        m_max->setVisible(!IsMaximised());
    if (m_restore)
        m_restore->setVisible(IsMaximised());
}

void QMEInitMainWindow::OnMaxSize() {
    ToggleMaximise();
    UpdateMaxRestoreButtons();
    LayoutTitleBar();
}

void QMEInitMainWindow::OnRestoreSize() {
    OnMaxSize();
}

void QMEInitMainWindow::OnClose() {
    if (m_closing)
        return;
    m_closing = true;
    m_fade->Start();
}

void QMEInitMainWindow::OnMinimized() {
    showMinimized();
}

void QMEInitMainWindow::ActShowLog() {}

void QMEInitMainWindow::iconActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
        showNormal();
}

void QMEInitMainWindow::LangugeChangeSet(bool bChange) {
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator);
        QCoreApplication::installTranslator(m_translator);
    }
    if (bChange)
        InitLanguage();
}

void QMEInitMainWindow::LayoutTitleBar() {
    if (!m_close || !m_min || !m_max || !m_restore)
        return;
    // Hidden-ness is asked of the widgets themselves, so it holds before the window is shown.
    const bool maxShown = !m_max->isHidden() || !m_restore->isHidden();
    const auto pos = QMEFrameGeometry::LayoutTitleBar(width(), FrameMargins(), m_close->size(),
                                                      m_max->size(), m_min->size(), maxShown);
    m_close->move(pos.close);
    m_max->move(pos.maximise);
    m_restore->move(pos.restore);
    m_min->move(pos.minimise);
}

void QMEInitMainWindow::InitFrame() {
    InitAppInfo();
    InitExtra();

    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    if (centralWidget())
        centralWidget()->setMouseTracking(true);

    SetWindowSize();

    const QMEAppInfo& info = QMEAppInfo::instance();
    SetTitleBandHeight(info.marginTop + info.titleHeight);
    // The task bar shows the native caption; a window may name itself in RetranslateFrame.
    setWindowTitle(info.productName);

    const QMargins margins = FrameMargins();
    SetInsets(margins.left(), margins.top(), margins.right(), margins.bottom());
    SetLogoRect(margins.left() + 37, margins.top() + 16, margins.left() + 36, margins.top() + 15);
    SetTitleRect(margins.left() + 35, margins.top() + 5, margins.left() + 34, margins.top() + 24);
    QFont windowFont = font();
    windowFont.setPixelSize(15);
    setFont(windowFont);

    BeforeConnections();
    InitConnections();
    AfterConnections();
    InitLanguage();
    RetranslateFrame();
}

void QMEInitMainWindow::InitConnections() {
    m_close = new QMEBaseButton(this);
    m_min = new QMEBaseButton(this);
    m_max = new QMEBaseButton(this);
    m_restore = new QMEBaseButton(this);
    m_close->setObjectName("mbtnClose");
    m_min->setObjectName("mbtnMin");
    m_max->setObjectName("mbtnMax");
    m_restore->setObjectName("mbtnRestore");
    m_restore->hide();
    connect(m_close, &QMEBaseButton::clicked, this, &QMEInitMainWindow::OnClose);
    connect(m_min, &QMEBaseButton::clicked, this, &QMEInitMainWindow::OnMinimized);
    connect(m_max, &QMEBaseButton::clicked, this, &QMEInitMainWindow::OnMaxSize);
    connect(m_restore, &QMEBaseButton::clicked, this, &QMEInitMainWindow::OnRestoreSize);
}

void QMEInitMainWindow::AfterConnections() {}

void QMEInitMainWindow::BeforeConnections() {}

void QMEInitMainWindow::InitLanguage() {
    const QString name = ParserXML::ReadValue("Language_item", "Language_Name", "English");
    const ParserXML::LanguageEntry entry =
        ParserXML::FindLanguage(QMEFolders::applicationFolder("/Language/Language.xml"), name);
    ParserXML::SetLanguageType(entry.type);
    LoadTranslator(QMEFolders::applicationFolder("/Language/") + entry.file);
}

bool QMEInitMainWindow::LoadTranslator(const QString& path) {
    if (!QFile::exists(path))
        return false;
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator);
        delete m_translator;
    }
    m_translator = new QTranslator;
    // A file that does not load leaves an empty translator: the built-in texts show.
    m_translator->load(path);
    QCoreApplication::installTranslator(m_translator);
    RetranslateFrame();
    LayoutTitleBar();
    return true;
}

void QMEInitMainWindow::ApplyTheme(int mode) {
    const QString folder = QMEFolders::imageFolder(mode);
    SetBackgroundImage(folder + kBackground, false);
    SetLogoImage(folder + kLogo);
    if (m_close)
        m_close->SetButtonImage(folder + kClose);
    if (m_min)
        m_min->SetButtonImage(folder + kMin);
    if (m_max)
        m_max->SetButtonImage(folder + kMax);
    if (m_restore)
        m_restore->SetButtonImage(folder + kRestore);
    LayoutTitleBar();
}

void QMEInitMainWindow::closeEvent(QCloseEvent* event) {
    // The fade's own close at the end of OnClose goes through, and so does a logout's: a window
    // that must keep the session waiting answers it itself.
    if (m_closing || qApp->isSavingSession()) {
        QMEMainWindow::closeEvent(event);
        return;
    }
    event->ignore();
    // Queued: a question asked from inside the close event would run under it.
    QTimer::singleShot(0, this, &QMEInitMainWindow::OnClose);
}

void QMEInitMainWindow::resizeEvent(QResizeEvent* event) {
    QMEMainWindow::resizeEvent(event);
    LayoutTitleBar();
}

void QMEInitMainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    const bool wasMaximised = IsMaximised();
    QMEMainWindow::mouseDoubleClickEvent(event);
    // A double click on the frame toggles maximise too: the title-bar buttons follow it.
    if (IsMaximised() != wasMaximised) {
        UpdateMaxRestoreButtons();
        LayoutTitleBar();
    }
}
