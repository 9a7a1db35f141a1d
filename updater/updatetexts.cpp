#include "updater/updatetexts.h"

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
        return true;
    default:
        return false;
    }
}

QString FailureLine(int type, float progress, const QString& fileName) {
    switch (type) {
    case QMEUpdateWriteThread::MsgImageFailed:
        if (fileName.isEmpty())
            return QObject::tr("No firmware file (*.zv) is in the folder \"Firmware\" beside the "
                               "updater. Copy the firmware file there, close this window and "
                               "start the updater again.");
        if (int(progress) == QMEUpdateWriteThread::OtherDeviceType)
            return QObject::tr("The firmware file \"%1\" is not made for this pedal. Put the "
                               "firmware for TALIX in its place, close this window and start the "
                               "updater again.")
                .arg(fileName);
        return QObject::tr("The firmware file \"%1\" cannot be read or is damaged. Replace it "
                           "with an intact copy, close this window and start the updater again.")
            .arg(fileName);
    case QMEUpdateWriteThread::MsgHandshakeFailed:
        return QObject::tr("The pedal did not answer. Check the USB cable, unplug the pedal and "
                           "plug it in again, then start the updater again.");
    case QMEUpdateWriteThread::MsgStartRejected:
        return QObject::tr("The pedal refused to begin the update. Unplug the pedal and plug it "
                           "in again, then start the updater again.");
    case QMEUpdateWriteThread::MsgBlockFailed:
        return QObject::tr("The pedal stopped taking the firmware. Unplug the pedal and plug it "
                           "in again, then start the updater again to repeat the update.");
    default:
        return QString();
    }
}

} // namespace UpdateTexts
