#include "tests/common/pedalprocess.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString buildDir() {
    return qEnvironmentVariable("TALIX_BUILD_DIR");
}

QString runner() {
    return buildDir() + "/bin/talix-vpedal-run";
}

} // namespace

namespace PedalProcess {

bool emulated() {
    return qEnvironmentVariable("TALIX_TEST_PEDAL") == QLatin1String("usb");
}

QString unavailable() {
    if (buildDir().isEmpty())
        return "TALIX_BUILD_DIR does not name the build folder";
    if (emulated() && !QFileInfo(runner()).isExecutable())
        return "talix-vpedal-run was not built: the umockdev development files are missing";
    return QString();
}

void start(QProcess& process, const QString& program, QProcessEnvironment env,
           const QStringList& args) {
    if (!emulated()) {
        env.insert("LD_PRELOAD", buildDir() + "/lib/libtalix-virtualpedal.so");
        process.setProcessEnvironment(env);
        process.start(program, args);
        return;
    }
    env.remove("LD_PRELOAD");
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(runner(), QStringList{program} + args);
}

void stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(10000);
    }
}

bool read(QProcess& process, QByteArray& output, int waitMs) {
    if (process.processChannelMode() == QProcess::ForwardedChannels)
        return process.state() != QProcess::NotRunning;
    process.waitForReadyRead(waitMs);
    output += process.readAllStandardOutput();
    output += process.readAllStandardError();
    return process.state() != QProcess::NotRunning;
}

int waitForEnd(QProcess& process, QByteArray& output, int timeoutMs) {
    if (!emulated()) {
        if (!process.waitForFinished(timeoutMs))
            return -1;
        read(process, output, 0);
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    static const QRegularExpression note("talix-vpedal-run: program ended(, exit code (\\d+)|)");
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        const bool running = read(process, output);
        const QRegularExpressionMatch match = note.match(QString::fromLocal8Bit(output));
        if (match.hasMatch())
            return match.captured(2).isEmpty() ? -1 : match.captured(2).toInt();
        if (!running || timer.elapsed() > timeoutMs)
            return -1;
    }
}

} // namespace PedalProcess
