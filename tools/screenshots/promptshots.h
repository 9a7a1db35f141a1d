#pragma once

#include <QDir>
#include <QImage>
#include <QList>
#include <QString>

#include <functional>

class QWidget;

// A prompt as the programs size it: as high as its text needs at the given width.
struct TextPrompt {
    QString name;
    QString text;
    int width;
    int icon;
    int buttons;
};

// A window grabbed on its own has a transparent shadow margin; this lays it on a calm backdrop of
// its look so that a person can judge it.
QImage onBackdrop(const QImage& shot, int mode);
QImage grabShown(QWidget& widget);
// Writes folder/name.png, saying so when it cannot.
bool saveShot(const QImage& image, const QDir& folder, const QString& name);
// Each prompt on its backdrop as prompt_<name>_<suffix>.png, titled in the current language.
bool saveTextPrompts(const QList<TextPrompt>& prompts, int mode, const QString& suffix,
                     const QDir& out);
// Runs shoot in the light look once with each translated language's translator installed; true
// when every run saved its pictures.
bool inEachLanguage(const std::function<bool(const QString& language)>& shoot);
