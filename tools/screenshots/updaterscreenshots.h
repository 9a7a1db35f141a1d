#pragma once

#include <QString>

#include <functional>

class QWidget;

// Saves a shown widget as a picture named `name`, laid out for a person to judge in look `mode`.
using SaveShot = std::function<bool(QWidget& widget, int mode, const QString& name)>;

// The updater's window ready, during an upload, at its end and with each failure line, in both
// looks, and the failure lines in every translated language.
bool SaveUpdaterScreenshots(const SaveShot& save);
