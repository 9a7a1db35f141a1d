#include "updater/mainwindow.h"

#include "link/qmebaselibusb.h"
#include "settings/parserxml.h"
#include "settings/qmeappinfo.h"
#include "settings/qmefolders.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmebaseprogress.h"
#include "uikit/qmefocusring.h"
#include "uikit/qmeprogramlauncher.h"
#include "uikit/qpromptdialog.h"
#include "updater/qmeupdatewritethread.h"
#include "updater/updatetexts.h"

#include <QApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QThread>

#include <algorithm>

namespace {

constexpr ushort kVendorId = 0x0483;
constexpr ushort kProductId = 0x5703;
constexpr ushort kReleaseNum = 200;
const char* const kDeviceType = "TAL_IX";

const char* const kBackground = "/common_bg.png";
const char* const kClose = "/btn_common_close.png";
const char* const kButton = "/btn_common.png";
const char* const kTrack = "/update_pro_bottom.png";
const char* const kFill = "/update_pro_up.png";

void setTextColor(QWidget* widget, const QColor& color) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, color);
    pal.setColor(QPalette::Text, color);
    widget->setPalette(pal);
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMEInitMainWindow(parent) {
    auto* central = new QWidget(this);
    central->setObjectName("centralWidget");
    setCentralWidget(central);
    resize(434, 300);

    mbtnUpdate = new QMEBaseButton(central);
    mbtnUpdate->setObjectName("mbtnUpdate");
    mbtnUpdate->setGeometry(140, 210, 151, 41);
    mproUpdate = new QMEBaseProgress(central);
    mproUpdate->setObjectName("mproUpdate");
    mproUpdate->setGeometry(50, 110, 341, 21);
    mlblUpdate = new QLabel(central);
    mlblUpdate->setObjectName("mlblUpdate");
    mlblUpdate->setGeometry(140, 50, 161, 31);
    mlblUpdate->setAlignment(Qt::AlignCenter);
    mlblReady = new QLabel(central);
    mlblReady->setObjectName("mlblReady");
    mlblReady->setGeometry(50, 150, kReadyWidth, 30);
    mlblReady->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    mlblProgress = new QLabel(central);
    mlblProgress->setObjectName("mlblProgress");
    mlblProgress->setGeometry(320, 150, 71, 30);
    mlblProgress->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Takes the place of the heading when an upload fails.
    mlblMessage = new QLabel(central);
    mlblMessage->setObjectName("mlblMessage");
    mlblMessage->setAlignment(Qt::AlignCenter);
    mlblMessage->setWordWrap(true);
    mlblMessage->hide();
    // The image the update writes, under the bar.
    mlblFile = new QLabel(central);
    mlblFile->setObjectName("mlblFile");
    mlblFile->setAlignment(Qt::AlignCenter);

    mlblUpdate->setText(QObject::tr("Update"));
    mlblReady->setText(QObject::tr("Loading..."));
    mlblProgress->setText(UpdateTexts::ProgressText(0));

    InitFrame();
    ApplyTheme(ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", "1").toInt());
}

MainWindow::~MainWindow() = default;

int MainWindow::Probe() {
    m_link = std::make_unique<QMEBaseLibusb>();
    m_link->setTransferMode(QMEBaseLibusb::ModeInterrupt);
    m_thread = std::make_unique<QMEUpdateWriteThread>();
    m_thread->attachLink(m_link.get());
    QElapsedTimer waited;
    waited.start();
    int result = 0;
    for (;;) {
        result = m_thread->openUsbConnect(kVendorId, kProductId, kReleaseNum, kDeviceType);
        if (result != 0 || m_link->lastOpenFailure() != QMEBaseLibusb::OpenFailure::Busy ||
            waited.elapsed() >= kBusyRetryMs)
            break;
        QThread::msleep(kBusyPollMs);
    }
    m_connectResult = result == 1 || result == 2 ? result : 0;
    if (m_connectResult == 0) {
        m_openFailureLine = UpdateTexts::OpenFailureLine(
            m_link->lastOpenFailure(), QString::fromStdString(m_link->lastOpenDetail()));
        mbtnUpdate->setEnabled(m_openFailureLine.isEmpty());
        RetranslateTexts();
    }
    if (m_connectResult == 1) {
        m_thread->startReceiving();
        connect(m_thread.get(), &QMEUpdateWriteThread::emitUpdateMsg, this, &MainWindow::updateMsg);
        ChooseImage();
    }
    return m_connectResult;
}

void MainWindow::InitAppInfo() {
    QMEAppInfo& info = QMEAppInfo::instance();
    info.makerName = QStringLiteral("ZELVA");
    info.productName = QStringLiteral("TALIX");
    info.caption = QStringLiteral("TALIX");
    info.titleHeight = 48;
    info.spareNumber = 0;
    info.marginLeft = info.marginTop = info.marginRight = info.marginBottom = 8;
    QFont base = font();
    base.setFamily(QStringLiteral("Arial"));
    info.font = base;
}

void MainWindow::InitExtra() {}

QMargins MainWindow::FrameMargins() {
    return QMargins(8, 8, 8, 8);
}

void MainWindow::InitReserved() {}

void MainWindow::SetWindowSize() {
    setFixedSize(kWidth, kHeight);
}

void MainWindow::AfterConnections() {
    MinimizeButton()->hide();
    MaximizeButton()->hide();
    RestoreButton()->hide();
    SetTitleText(QMEAppInfo::instance().makerName);
    SetTitleRect(33, 20, 32, 39);

    QFont windowFont = font();
    windowFont.setPixelSize(18);
    windowFont.setWeight(75);
    setFont(windowFont);
    QFont frameFont = QMEAppInfo::instance().font;
    frameFont.setPixelSize(18);
    frameFont.setWeight(75);
    mlblUpdate->setFont(frameFont);
    mbtnUpdate->setFont(frameFont);
    QFont small = mlblReady->font();
    small.setPixelSize(16);
    small.setWeight(QFont::Normal);
    mlblReady->setFont(small);
    mlblProgress->setFont(small);
    QFont line = small;
    line.setPixelSize(kLinePixels);
    mlblMessage->setFont(line);
    mlblFile->setFont(line);

    mproUpdate->setValue(0);
    mproUpdate->SetFormat(QString());
    connect(mbtnUpdate, &QMEBaseButton::clicked, this, &MainWindow::onUpdate);
    RetranslateTexts();
}

void MainWindow::RetranslateFrame() {
    QMEInitMainWindow::RetranslateFrame();
    RetranslateTexts();
}

void MainWindow::RetranslateTexts() {
    // The task bar tells the updater from the editor.
    setWindowTitle(QObject::tr("TALIX Update"));
    mbtnUpdate->setText(m_updateStarted ? QObject::tr("Down") : QObject::tr("Start"));
    mlblUpdate->setText(QObject::tr("Update"));
    mproUpdate->setAccessibleName(QObject::tr("Firmware update progress"));
    mlblReady->setText(m_failureType == 0 ? QObject::tr("Loading...") : QObject::tr("Failed"));
    // Wider than its designed width where a translation needs it.
    mlblReady->resize(std::max(kReadyWidth, mlblReady->sizeHint().width()), mlblReady->height());
    mlblFile->setText(m_choice.path.isEmpty()
                          ? QString()
                          : QObject::tr("File: %1").arg(QFileInfo(m_choice.path).fileName()));
    if (m_failureType != 0) {
        ShowLine(UpdateTexts::FailureLine(m_failureType, m_failureFigure,
                                          {m_choice.path, m_thread ? m_thread->imageProblem()
                                                                   : QFirmwareImage::NoProblem}),
                 true);
    } else if (m_finished) {
        ShowLine(QObject::tr("The pedal now runs the new firmware."), false);
    } else if (m_updateStarted) {
        ShowLine(QObject::tr("Writing the firmware — keep the pedal plugged in and this "
                             "window open."),
                 false);
    } else if (!m_openFailureLine.isEmpty()) {
        ShowLine(m_openFailureLine, true);
    } else if (m_chosen && m_choice.path.isEmpty()) {
        ShowLine(UpdateTexts::MissingImageLine(m_choice.refused), true);
    } else {
        ShowLine(QString(), false);
    }
}

void MainWindow::ShowLine(const QString& text, bool warning) {
    const bool light = m_mode == 1;
    const QColor info = light ? QColor(112, 112, 112) : QColor(232, 240, 254);
    // A warning reads in a warm tone that both backgrounds carry.
    const QColor warm = light ? QColor(196, 64, 48) : QColor(255, 150, 130);
    setTextColor(mlblMessage, warning ? warm : info);
    mlblMessage->setText(text);
    FitLine();
    mlblMessage->setVisible(!text.isEmpty());
    mlblUpdate->setVisible(text.isEmpty());
}

void MainWindow::FitLine() {
    // A long folder path or a long translation takes a smaller font rather than being cut.
    QFont font = mlblMessage->font();
    for (int pixels = kLinePixels; pixels >= kLineMinPixels; --pixels) {
        font.setPixelSize(pixels);
        mlblMessage->setFont(font);
        if (mlblMessage->heightForWidth(mlblMessage->width()) <= mlblMessage->height())
            return;
    }
}

void MainWindow::LayoutTitleBar() {
    QMEBaseButton* close = CloseButton();
    if (close) {
        const QMargins m = FrameMargins();
        close->move(width() - close->width() - m.right() - 10,
                    m.top() + (50 - close->height()) / 2 - 2);
    }
    LayoutContent();
}

void MainWindow::LayoutContent() {
    if (!mproUpdate)
        return;
    // The central widget covers the whole window, so window coordinates serve.
    const int w = width();
    const int h = height();
    mproUpdate->move((w - mproUpdate->width()) / 2, (h - mproUpdate->height()) / 2 - 20);
    const QRect bar = mproUpdate->geometry();
    mlblUpdate->move((w - mlblUpdate->width()) / 2, bar.top() - mlblUpdate->height() - 10);
    mbtnUpdate->move((w - mbtnUpdate->width()) / 2, bar.bottom() + 70);
    mlblReady->move(bar.left() + 10, bar.bottom() + 25);
    mlblProgress->move(bar.right() - 11 - mlblProgress->width() + 1, bar.bottom() + 25);
    mlblFile->setGeometry(bar.left(), bar.bottom() + 3, bar.width(), 20);
    // The failure line fills the band between the title and the bar.
    const QMargins m = FrameMargins();
    const int top = m.top() + QMEAppInfo::instance().titleHeight + 2;
    mlblMessage->setGeometry(m.left() + 20, top, w - m.left() - m.right() - 40,
                             bar.top() - top - 3);
    FitLine();
}

void MainWindow::ApplyTheme(int mode) {
    QMEFocusRing::Install(mode);
    const QString folder = QMEFolders::imageFolder(mode);
    SetBackgroundImage(folder + kBackground, false);
    if (CloseButton())
        CloseButton()->SetButtonImage(folder + kClose);
    mbtnUpdate->SetButtonImage(folder + kButton);
    mproUpdate->SetTrackImage(folder + kTrack);
    mproUpdate->SetFillImage(folder + kFill);

    const bool light = mode == 1;
    const QColor heading = light ? QColor(123, 123, 123) : QColor(255, 255, 255);
    // Smaller than the heading, the lines need a darker grey on the light look's pale body.
    const QColor text = light ? QColor(112, 112, 112) : QColor(232, 240, 254);
    setTextColor(this, heading);
    setTextColor(mlblUpdate, heading);
    for (QWidget* w : {static_cast<QWidget*>(mlblReady), static_cast<QWidget*>(mproUpdate),
                       static_cast<QWidget*>(mlblProgress)})
        setTextColor(w, text);
    setTextColor(mlblFile, text);
    m_mode = mode;
    RetranslateTexts();
    mbtnUpdate->SetLookTextColors(mode);
    LayoutTitleBar();
}

void MainWindow::ChooseImage() {
    // The user's folder is where the line tells the user to put an image.
    FirmwareFolder::Ensure(FirmwareFolder::Path());
    FirmwareFolder::Ensure(FirmwareFolder::UserPath());
    m_choice = FirmwareFolder::Choose(FirmwareFolder::Folders(), kDeviceType);
    m_chosen = true;
    RetranslateTexts();
}

bool MainWindow::Writing() const {
    return m_updateStarted && !m_finished && m_failureType == 0 && m_thread &&
           m_thread->isWorkerRunning();
}

void MainWindow::onUpdate() {
    if (m_updateStarted)
        return;
    // Looked for again: the user may have put an image in place since.
    ChooseImage();
    if (m_choice.path.isEmpty())
        return;
    m_updateStarted = true;
    mbtnUpdate->setEnabled(false);
    RetranslateTexts();
    // Without a probed pedal there is nothing to upload to.
    if (m_thread) {
        m_thread->setFirmwarePath(m_choice.path);
        m_thread->startWorker();
    }
}

void MainWindow::OnClose() {
    if (Writing()) {
        const QString question =
            QObject::tr("The pedal is being updated. If you close now it stays in its update mode "
                        "until you run the update again. Close anyway?");
        // Only Yes closes: Enter (No is the default), Escape and the prompt's own close button
        // keep the update going.
        if (QPromptDialog::ShowFittedPrompt(this, question, 300, QObject::tr("Prompt"),
                                            QPromptDialog::IconWarning, QPromptDialog::ButtonsYesNo,
                                            QPromptDialog::ResultNo) != QPromptDialog::ResultYes)
            return;
    }
    QMEInitMainWindow::OnClose();
}

void MainWindow::updateMsg(int errortype, float progress) {
    qDebug() << "-------------errortype-----------" << errortype;
    mproUpdate->setValue(double(progress));
    mlblProgress->setText(UpdateTexts::ProgressText(progress));
    if (errortype == QMEUpdateWriteThread::MsgComplete) {
        QCoreApplication::quit();
        QMEProgramLauncher::startDetached(QStringLiteral("TALIX"));
        return;
    }
    if (UpdateTexts::IsFailure(errortype)) {
        m_failureType = errortype;
        m_failureFigure = progress;
    } else if (errortype == QMEUpdateWriteThread::MsgProgress && progress >= 100) {
        m_finished = true;
    } else {
        return;
    }
    RetranslateTexts();
}
