#include "files/irskipreport.h"

#include "protocol/irfileloader.h"

#include <QFileInfo>
#include <QObject>

QString IrSkipReport::reasonText(int reason) {
    switch (static_cast<IrSkipReason>(reason)) {
    case IrSkipReason::Unsupported:
        return QObject::tr("unsupported format");
    case IrSkipReason::Damaged:
        return QObject::tr("damaged or truncated");
    case IrSkipReason::NotOpened:
        return QObject::tr("could not be opened");
    case IrSkipReason::NoFreeSlot:
        return QObject::tr("no free slot");
    case IrSkipReason::NotIrFile:
        break;
    }
    return QObject::tr("not a WAVE or GIR file");
}

QString IrSkipReport::failureText(int failure) {
    switch (static_cast<IrImportFailure>(failure)) {
    case IrImportFailure::LinkLost:
        return QObject::tr("the connection to the pedal was lost");
    case IrImportFailure::Stopped:
        return QObject::tr("the import was stopped");
    case IrImportFailure::NoAnswer:
        break;
    }
    return QObject::tr("the pedal stopped answering");
}

QString IrSkipReport::message(const QList<Entry>& skipped) {
    if (skipped.isEmpty())
        return QString();
    QString text = QObject::tr("These files were not imported:");
    for (const Entry& entry : skipped)
        text += QStringLiteral("\n") + QObject::tr("%1: %2").arg(QFileInfo(entry.path).fileName(),
                                                                 reasonText(entry.reason));
    return text;
}

QString IrSkipReport::failureMessage(const QString& path, int failure, const QList<Entry>& skipped,
                                     bool namesUnread) {
    QStringList parts{QObject::tr("The import stopped at %1: %2.")
                          .arg(QFileInfo(path).fileName(), failureText(failure))};
    if (!skipped.isEmpty())
        parts << message(skipped);
    if (namesUnread)
        parts << QObject::tr("The slot names are read again when the pedal is connected.");
    return parts.join(QStringLiteral("\n"));
}
