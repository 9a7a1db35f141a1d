#pragma once

#include <QApplication>
#include <QPointer>
#include <QSize>

class QMESingleInstance;

// The application object of a single-instance program: a second start finds the first with
// isRunning() and passes it a message; the first raises its activation window on a message. The
// instance lets go when the event loop is about to end. A start that finds the other instance
// ending takes its place: after a failed sendMessage() check isRunning() again —
//     if (app.isRunning() && (app.sendMessage(raise, 4000) || app.isRunning()))
//         return 0;
class QMESingleApplication : public QApplication {
    Q_OBJECT
public:
    // `windowSize`, when valid, is the fixed size of the program's main window: the scale factor
    // is then chosen so that the window fits the screen (QMEScaleRule).
    QMESingleApplication(const QString& id, int& argc, char** argv,
                         const QSize& windowSize = QSize());

    QString id() const;
    bool isRunning() const;
    bool sendMessage(const QString& message, int timeout = 5000);
    void setActivationWindow(QWidget* window, bool activateOnMessage = true);
    QWidget* activationWindow() const;

signals:
    void messageReceived(const QString& message);

public slots:
    void activateWindow();

private:
    static int& PrepareAttributes(int& argc, char** argv, const QSize& windowSize);

    QMESingleInstance* m_instance;
    QPointer<QWidget> m_window;
    QMetaObject::Connection m_activation;
};
