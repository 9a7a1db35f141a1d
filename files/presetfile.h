#pragma once

#include <QByteArray>
#include <QString>

// Result codes of the preset file operations.
enum PresetFileCode : unsigned {
    PresetFileOk = 0,
    PresetFileEmpty = 7,
    PresetFileBadTags = 13,
    PresetFileNotWritten = 14,
    PresetFileNotOpened = 17,
    // Too short to hold the whole image; refused before anything is copied out of it.
    PresetFileTooShort = 18,
};

constexpr int PresetImageSize = 660;
constexpr int PresetDataOffset = 640;
constexpr int PresetDataSize = 20;

// The 660-byte file image holding the 20 preset bytes at offset 640.
QByteArray buildPresetImage(const QByteArray& data);

// Writes the image atomically: an earlier file survives a failed write unchanged and no partial
// file is left. `error`, when given, gets the reason of a failure.
bool writePresetFile(const QByteArray& data, const QString& path, unsigned& code,
                     QString* error = nullptr);
// Writes bytes as they are, in the same way.
bool writePresetBytes(const QByteArray& bytes, const QString& path, QString* error = nullptr);
unsigned readPresetFile(const QString& path, QByteArray& bytes);
unsigned checkPresetImage(const QByteArray& bytes);
// Checks the bytes of a file and copies out its first 660 bytes on success.
unsigned presetImageFromBytes(const QByteArray& bytes, QByteArray& image);
bool isPresetFile(const QString& path);
bool loadPresetFile(const QString& path, QByteArray& image);
bool renamePresetFile(const QString& oldPath, const QString& newPath, QString* error = nullptr);
