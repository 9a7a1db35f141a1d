#pragma once

#include "updater/image/firmwarefolder.h"

#include <QString>

// What both programs say about firmware images: why a file is refused, and where to put one.
namespace FirmwareTexts {

// One sentence naming the file and why it cannot be written to the pedal. A file this user may
// not read is named with its whole path, the others by their name.
QString RefusalLine(const FirmwareFolder::Refusal& refusal);

// Says that no usable image was found and names the folder to put one in.
QString NoImageLine(const QString& folder);

// The refusal lines of a choice, one per line.
QString RefusalLines(const QList<FirmwareFolder::Refusal>& refused);

} // namespace FirmwareTexts
