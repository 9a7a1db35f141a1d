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
    case IrSkipReason::NotIrFile:
        break;
    }
    return QObject::tr("not a WAVE or GIR file");
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
