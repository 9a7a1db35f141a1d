#pragma once

#include <QString>
#include <QStringList>

// What the programs tell a user whom the system does not let open the pedal.
namespace UsbAccess {

// The folders udev reads its rules from; none where the system has no udev.
QStringList RuleFolders();

// True when a rule in one of the folders names the pedal's USB ids (0483:5703).
bool PedalRuleInstalled(const QStringList& folders);

// The sentences that follow the refusal: which device node was refused, and, where the system
// has udev rule folders, that no rule gives access to the pedal when none does. Empty when
// neither applies.
QString AccessDetails(const QString& deviceNode, const QStringList& ruleFolders = RuleFolders());

// The sentences both programs show alike: a device with the pedal's ids that answered as
// another type, and USB that cannot start (with libusb's error name).
QString OtherDeviceText(const QString& answeredType);
QString UsbUnavailableText(const QString& error);

} // namespace UsbAccess
