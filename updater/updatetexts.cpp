#include "updater/updatetexts.h"

#include "link/usbaccess.h"
#include "updater/image/firmwaretexts.h"
#include "updater/qmeupdatewritethread.h"

#include <QObject>

namespace UpdateTexts {

QString ProgressText(float progress) {
    return QString::number(double(progress), 'f', 2) + QLatin1Char('%');
}

bool IsFailure(int type) {
    switch (type) {
    case QMEUpdateWriteThread::MsgHandshakeFailed:
    case QMEUpdateWriteThread::MsgStartRejected:
    case QMEUpdateWriteThread::MsgImageFailed:
    case QMEUpdateWriteThread::MsgBlockFailed:
    case QMEUpdateWriteThread::MsgFinishRefused:
        return true;
    default:
        return false;
    }
}

QString FailureLine(int type, float progress, const FirmwareFolder::Refusal& image) {
    switch (type) {
    case QMEUpdateWriteThread::MsgImageFailed:
        if (image.path.isEmpty() || int(progress) == QMEUpdateWriteThread::NoPath)
            return FirmwareTexts::NoImageLine(FirmwareFolder::UserPath());
        return FirmwareTexts::RefusalLine(image) + QLatin1Char(' ') +
               QObject::tr("Replace it, close this window and start the updater again.");
    case QMEUpdateWriteThread::MsgHandshakeFailed:
        return QObject::tr("The pedal did not answer. Check the USB cable, unplug the pedal and "
                           "plug it in again, then start the updater again.");
    case QMEUpdateWriteThread::MsgStartRejected:
        return QObject::tr("The pedal refused to begin the update. Unplug the pedal and plug it "
                           "in again, then start the updater again.");
    case QMEUpdateWriteThread::MsgBlockFailed:
        return QObject::tr("The pedal stopped taking the firmware. Unplug the pedal and plug it "
                           "in again, then start the updater again to repeat the update.");
    case QMEUpdateWriteThread::MsgFinishRefused:
        return QObject::tr("The pedal did not accept the new firmware. Unplug it, plug it in "
                           "again and run the update again.");
    default:
        return QString();
    }
}

QString MissingImageLine(const QList<FirmwareFolder::Refusal>& refused) {
    QString line = FirmwareTexts::NoImageLine(FirmwareFolder::UserPath()) + QLatin1Char(' ') +
                   QObject::tr("Then press Start.");
    // The newest file is the one the user most likely meant.
    if (!refused.isEmpty())
        line += QLatin1Char('\n') + FirmwareTexts::RefusalLine(refused.last());
    return line;
}

QString OpenFailureLine(QMEBaseLibusb::OpenFailure failure, const QString& detail) {
    using F = QMEBaseLibusb::OpenFailure;
    switch (failure) {
    case F::AccessDenied: {
        const QString line =
            QObject::tr("The pedal is plugged in, but this user may not open it. Install the "
                        "TALIX package, then unplug the pedal, plug it in again and start the "
                        "updater again.");
        const QString details = UsbAccess::AccessDetails(detail);
        return details.isEmpty() ? line : line + QLatin1Char(' ') + details;
    }
    case F::Busy:
        return QObject::tr("Another program is using the pedal. Close other TALIX or TALIXUpdate "
                           "windows (also those of other users on this computer), then start the "
                           "updater again.");
    case F::DriverStuck:
        return QObject::tr("A driver of the system holds the pedal and does not let it go. Unplug "
                           "the pedal, plug it in again and start the updater again.");
    case F::NoAnswer:
        return FailureLine(QMEUpdateWriteThread::MsgHandshakeFailed, 0, {});
    default:
        return UsbAccess::CommonOpenFailureText(failure, detail);
    }
}

} // namespace UpdateTexts
