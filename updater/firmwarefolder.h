#pragma once

#include <QString>

// The "Firmware" folder beside the updater and the image chosen from it.
namespace FirmwareFolder {

// The application folder + "/Firmware/".
QString Path();

// Creates the folder when it is missing; false when it neither exists nor can be made.
bool Ensure(const QString& folder);

// The name of the readable "*.zv" file in folder whose name sorts last (case-sensitive); empty
// when there is none.
QString LastImage(const QString& folder);

} // namespace FirmwareFolder
