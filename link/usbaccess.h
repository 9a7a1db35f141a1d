#pragma once

#include "link/qmebaselibusb.h"

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

// The reasons both programs word alike: a device with the pedal's ids that answered as another
// type (`detail`: that type), USB that cannot start (`detail`: libusb's error name). Empty for the
// others, whose advice differs between the programs.
QString CommonOpenFailureText(QMEBaseLibusb::OpenFailure failure, const QString& detail);

} // namespace UsbAccess
