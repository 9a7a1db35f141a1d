#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// How a real-process test runs a program on the virtual pedal. By default the pedal's shared
// library is preloaded in place of libusb. With TALIX_TEST_PEDAL=usb the program keeps the system
// libusb and finds the pedal as an emulated kernel device, through talix-vpedal-run; the runner
// serves the program and every program it starts until all have ended.
namespace PedalProcess {

bool emulated();
// Empty when the chosen pedal can run here, else why not.
QString unavailable();
// Starts the program with the environment given (the pedal's TALIX_VP_* settings in it). Under
// the runner, output is merged so that the runner's note on the program's end can be read.
void start(QProcess& process, const QString& program, QProcessEnvironment env,
           const QStringList& args = QStringList());
// Waits until the program itself has ended, collecting the output; its exit code, or -1 when it
// crashed or did not end in time.
int waitForEnd(QProcess& process, QByteArray& output, int timeoutMs = 60000);
// Asks the process to end (the runner passes that on to every program it serves), then kills it.
void stop(QProcess& process);
// Reads what the process has written so far into output; false once it has ended.
bool read(QProcess& process, QByteArray& output, int waitMs = 100);

} // namespace PedalProcess
