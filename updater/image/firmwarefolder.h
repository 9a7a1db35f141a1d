#pragma once

#include "updater/image/qfirmwareimage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Where firmware images are looked for, and which one an update writes: the same rule for the
// editor, which checks the image before it sends the pedal to its boot loader, and the updater.
namespace FirmwareFolder {

// The application folder + "/Firmware/".
QString Path();

// The "Firmware" folder in the user's documents folder, for images where the program folder
// cannot be written (an installed program).
QString UserPath();

// Both folders, the one beside the program first.
QStringList Folders();

// Creates the folder when it is missing; false when it neither exists nor can be made.
bool Ensure(const QString& folder);

struct Refusal {
    QString path;
    QFirmwareImage::Problem problem = QFirmwareImage::NoProblem;
};

struct Choice {
    // The image to write; empty when no file passed the checks.
    QString path;
    // The files that sort after the chosen one (all files when none was chosen), each with the
    // reason it was passed over, in name order.
    QList<Refusal> refused;
};

// Gathers the "*.zv" files of the folders and takes the one whose name sorts last
// (case-sensitive; for equal names the later folder's) among those that pass every check an
// upload to a pedal of deviceType makes. A refused file never hides a good one.
Choice Choose(const QStringList& folders, const QByteArray& deviceType);

} // namespace FirmwareFolder
