#pragma once

#include "link/qmebaselibusb.h"
#include "updater/image/firmwarefolder.h"

#include <QString>

// Texts the updater window shows for the upload's messages, apart from the window.
namespace UpdateTexts {

// The percentage with two decimals and a "%" sign, as the progress label shows it.
QString ProgressText(float progress);

// True for the message types that end an upload without success.
bool IsFailure(int type);

// The line that says what went wrong and what to do next, for a failure message (type, figure).
// `image` is the file that was handed to the upload and, after an image failure, why it was
// refused. Empty for messages that are no failure.
QString FailureLine(int type, float progress, const FirmwareFolder::Refusal& image);

// Before the upload, when no image can be written: where to put one and why the newest file
// found was refused.
QString MissingImageLine(const QList<FirmwareFolder::Refusal>& refused);

// Why a pedal that is there cannot be updated, and what to do; the updater keeps its window
// for these, since the editor could not use the pedal either. Empty when no pedal is there.
QString OpenFailureLine(QMEBaseLibusb::OpenFailure failure, const QString& detail);

} // namespace UpdateTexts
