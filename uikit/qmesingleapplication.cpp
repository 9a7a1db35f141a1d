#include "uikit/qmesingleapplication.h"

#include "uikit/qmescalerule.h"
#include "uikit/qmesingleinstance.h"

#include <QWidget>

// Runs before the application object exists, where the scaling attribute must be set: on a
// high-DPI screen windows keep their logical size and draw the double-size skin images.
int& QMESingleApplication::PrepareAttributes(int& argc, char** argv, const QSize& windowSize) {
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    // Both programs paint with the raster engine only; on X11 loading the OpenGL driver would
    // cost start time and tens of megabytes for nothing.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    if (windowSize.isValid())
        QMEScaleRule::Prepare(argc, argv, windowSize);
    return argc;
}

QMESingleApplication::QMESingleApplication(const QString& id, int& argc, char** argv,
                                           const QSize& windowSize)
    : QApplication(PrepareAttributes(argc, argv, windowSize), argv),
      m_instance(new QMESingleInstance(id, this)) {
    QMEScaleRule::Finish();
    connect(m_instance, &QMESingleInstance::messageReceived, this,
            &QMESingleApplication::messageReceived);
    // Closing the window joins its threads, which takes seconds: a start meanwhile must not
    // find an instance that no longer answers.
    connect(this, &QCoreApplication::aboutToQuit, m_instance, &QMESingleInstance::release);
}

QString QMESingleApplication::id() const {
    return m_instance->id();
}

bool QMESingleApplication::isRunning() const {
    return m_instance->isRunning();
}

bool QMESingleApplication::sendMessage(const QString& message, int timeout) {
    return m_instance->sendMessage(message, timeout);
}

void QMESingleApplication::setActivationWindow(QWidget* window, bool activateOnMessage) {
    m_window = window;
    disconnect(m_activation);
    if (activateOnMessage)
        m_activation = connect(m_instance, &QMESingleInstance::messageReceived, this,
                               &QMESingleApplication::activateWindow);
}

QWidget* QMESingleApplication::activationWindow() const {
    return m_window;
}

void QMESingleApplication::activateWindow() {
    if (!m_window)
        return;
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
