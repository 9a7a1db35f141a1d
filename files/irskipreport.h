#pragma once

#include <QList>
#include <QString>

// Files an IR import skipped, and the one message that tells the user about them.
namespace IrSkipReport {

struct Entry {
    QString path;
    int reason; // IrSkipReason
};

// The translated short reason for an IrSkipReason value.
QString reasonText(int reason);
// A heading, then one line per file: its name and why it was skipped. Empty for no files.
QString message(const QList<Entry>& skipped);

} // namespace IrSkipReport
