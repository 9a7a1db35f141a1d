#pragma once

#include "files/qbackupwritethread.h"
#include "tests/files_backup/pedalsession.h"

#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <vector>

// Times whole transfers of the backup thread against the virtual pedal at full-speed timing and
// prints the median run as "bench <name> time_s=.. wire_s=.. ratio=..".
//
// The wire figure of a run is the shared stop-and-wait model (bench/wiretime.h) over the run's
// part of the pedal's traffic log.
class TransferBench final {
public:
    using Progress = void (QBackupWriteThread::*)(int, int);
    enum LastAnswer { LastAnswerAwaited, LastAnswerNotAwaited };

    static constexpr int runs = 3;

    // Keeps the backup folder and the debug output of the transfer out of the way; name is the
    // word after "bench" in the printed line; last tells whether the transfer ends on the answer
    // to its last request.
    TransferBench(const char* name, LastAnswer last);

    bool valid() const { return dir.isValid(); }
    // The pedal's variables for PedalSession: full-speed timing and this bench's traffic log.
    PedalSession::Environment environment() const;
    QString filePath(const QString& name) const { return dir.filePath(name); }

    // Calls start and waits (bounded) for the transfer's last message on progress; records the
    // run when that is the finished message, else says why on stderr and returns false.
    bool run(QBackupWriteThread& thread, Progress progress, const std::function<bool()>& start);

    // Prints the line for the median run; the exit code.
    int report() const;

private:
    struct Run {
        double time = 0;
        double wire = 0;
    };

    bool wireSeconds(qint64 from, double& seconds) const;

    const char* benchName;
    LastAnswer lastAnswer;
    QTemporaryDir dir;
    QString logPath;
    std::vector<Run> results;
};
