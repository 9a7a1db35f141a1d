#pragma once

#include <QList>
#include <QString>

// Files an IR import skipped or failed on, and the one message that tells the user about them.
namespace IrSkipReport {

struct Entry {
    QString path;
    int reason; // IrSkipReason
};

// The translated short reason for an IrSkipReason value.
QString reasonText(int reason);
// The translated short text for an IrImportFailure value.
QString failureText(int failure);
// A heading, then one line per file: its name and why it was skipped. Empty for no files.
QString message(const QList<Entry>& skipped);
// The report of an import that failed at `path` (an IrImportFailure): the file and what happened,
// then the files skipped before it, and, when the slot names could not be asked for again, that
// the next connect reads them.
QString failureMessage(const QString& path, int failure, const QList<Entry>& skipped,
                       bool namesUnread);

} // namespace IrSkipReport
