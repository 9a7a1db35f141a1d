#include "link/usbaccess.h"

#include <QDir>
#include <QFile>
#include <QObject>

namespace UsbAccess {

QStringList RuleFolders() {
#ifdef Q_OS_LINUX
    return {QStringLiteral("/etc/udev/rules.d"), QStringLiteral("/run/udev/rules.d"),
            QStringLiteral("/lib/udev/rules.d"), QStringLiteral("/usr/lib/udev/rules.d"),
            QStringLiteral("/usr/local/lib/udev/rules.d")};
#else
    return {};
#endif
}

bool PedalRuleInstalled(const QStringList& folders) {
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({QStringLiteral("*.rules")}, QDir::Files)) {
            QFile rules(dir.filePath(name));
            if (!rules.open(QIODevice::ReadOnly | QIODevice::Text))
                continue;
            while (!rules.atEnd()) {
                const QByteArray line = rules.readLine().trimmed().toLower();
                if (!line.startsWith('#') && line.contains("\"0483\"") && line.contains("\"5703\""))
                    return true;
            }
        }
    }
    return false;
}

QString AccessDetails(const QString& deviceNode, const QStringList& ruleFolders) {
    QStringList sentences;
    if (!deviceNode.isEmpty())
        sentences << QObject::tr("The pedal's device is %1.").arg(deviceNode);
    if (!ruleFolders.isEmpty() && !PedalRuleInstalled(ruleFolders))
        sentences << QObject::tr("No udev rule for USB 0483:5703 is installed.");
    return sentences.join(QLatin1Char(' '));
}

QString CommonOpenFailureText(QMEBaseLibusb::OpenFailure failure, const QString& detail) {
    switch (failure) {
    case QMEBaseLibusb::OpenFailure::OtherDevice:
        return QObject::tr("The device on USB 0483:5703 answered as \"%1\", not as a TALIX pedal.")
            .arg(detail);
    case QMEBaseLibusb::OpenFailure::UsbUnavailable:
        return QObject::tr("USB is not available to TALIX here (%1). Run it outside the sandbox "
                           "or container, or give it access to USB devices.")
            .arg(detail);
    default:
        return QString();
    }
}

} // namespace UsbAccess
