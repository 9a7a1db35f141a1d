#pragma once

#include <QString>
#include <QStringList>

// The "Firmware" folder beside the updater, the one in the user's data folder, and the image
// chosen from them.
namespace FirmwareFolder {

// The application folder + "/Firmware/".
QString Path();

// Creates the folder when it is missing; false when it neither exists nor can be made.
bool Ensure(const QString& folder);

// The name of the readable "*.zv" file in folder whose name sorts last (case-sensitive); empty
// when there is none.
QString LastImage(const QString& folder);

// The "Firmware" folder in the user's data folder, for images where the program folder cannot be
// written (an installed program).
QString UserPath();

// The first of folders that holds an image; the first folder when none does.
QString ImageFolder(const QStringList& folders);

} // namespace FirmwareFolder
