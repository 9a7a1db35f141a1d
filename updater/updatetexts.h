#pragma once

#include <QString>

// Texts the updater window shows for the upload's messages, apart from the window.
namespace UpdateTexts {

// The percentage with two decimals and a "%" sign, as the progress label shows it.
QString ProgressText(float progress);

// True for the message types that end an upload without success.
bool IsFailure(int type);

// The line that says what went wrong and what to do next, for a failure message (type, figure).
// `fileName` is the image that was chosen, empty when the folder held none. Empty for messages
// that are no failure.
QString FailureLine(int type, float progress, const QString& fileName);

} // namespace UpdateTexts
