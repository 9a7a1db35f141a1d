#include "updater/image/firmwaretexts.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>

namespace FirmwareTexts {

QString RefusalLine(const FirmwareFolder::Refusal& refusal) {
    const QString name = QFileInfo(refusal.path).fileName();
    switch (refusal.problem) {
    case QFirmwareImage::Unreadable:
        return QObject::tr("The firmware file \"%1\" cannot be read by this user.")
            .arg(QDir::toNativeSeparators(refusal.path));
    case QFirmwareImage::CutOff:
        return QObject::tr("The firmware file \"%1\" is too short or cut off.").arg(name);
    case QFirmwareImage::NotFirmware:
        return QObject::tr("The file \"%1\" is not a firmware image.").arg(name);
    case QFirmwareImage::OtherDevice:
        return QObject::tr("The firmware file \"%1\" is made for another pedal.").arg(name);
    case QFirmwareImage::NoBlocks:
        return QObject::tr("The firmware file \"%1\" holds no firmware to write.").arg(name);
    case QFirmwareImage::PartialBlock:
        return QObject::tr("The firmware file \"%1\" is damaged: a section does not end on a "
                           "whole block.")
            .arg(name);
    case QFirmwareImage::NoProblem:
        break;
    }
    return QString();
}

QString NoImageLine(const QString& folder) {
    return QObject::tr("No usable firmware file (*.zv) was found. Put the firmware file into the "
                       "folder \"%1\".")
        .arg(QDir::toNativeSeparators(QDir::cleanPath(folder)));
}

QString RefusalLines(const QList<FirmwareFolder::Refusal>& refused) {
    QStringList lines;
    for (const FirmwareFolder::Refusal& refusal : refused)
        lines << RefusalLine(refusal);
    return lines.join(QLatin1Char('\n'));
}

} // namespace FirmwareTexts
