#include "uikit/qmesingleapplication.h"

#include "uikit/qmesingleinstance.h"

#include <QWidget>

// Runs before the application object exists, where the scaling attribute must be set: on a
// high-DPI screen windows keep their logical size and draw the double-size skin images.
int& QMESingleApplication::PrepareAttributes(int& argc) {
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    return argc;
}

QMESingleApplication::QMESingleApplication(const QString& id, int& argc, char** argv)
    : QApplication(PrepareAttributes(argc), argv), m_instance(new QMESingleInstance(id, this)) {
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
