#include "files/presetfile.h"

#include "link/bytefields.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QSaveFile>

#include <algorithm>

namespace {

const char EditorTag[] = "TALIX Edit";
const char PresetTag[] = "PRESET";
constexpr int EditorTagOffset = 8;
constexpr int PresetTagOffset = 72;

} // namespace

QByteArray buildPresetImage(const QByteArray& data) {
    QByteArray image(PresetImageSize, '\0');
    using namespace ByteFields;
    putText(image, 0, "Sarnel");
    putText(image, EditorTagOffset, EditorTag);
    putText(image, 40, "V1.0.0");
    putText(image, PresetTagOffset, PresetTag);
    putLittleEndian(image, 80, 1, 4);
    putLittleEndian(image, 84, 512, 4);
    putLittleEndian(image, 88, 0, 4);
    const int count = std::min(int(data.size()), PresetDataSize);
    std::copy(data.begin(), data.begin() + count, image.begin() + PresetDataOffset);
    return image;
}

namespace {

unsigned saveBytes(const QByteArray& bytes, const QString& path, QString* error) {
    QSaveFile file(path);
    // Unbuffered and written to the end: a buffered write cut short by a full disk shows only
    // when the buffer is flushed on closing, which the commit does not check.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return PresetFileNotOpened;
    }
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            break;
        done += written;
    }
    if (done == bytes.size() && file.commit())
        return PresetFileOk;
    if (error)
        *error = file.errorString();
    return PresetFileNotWritten;
}

} // namespace

bool writePresetFile(const QByteArray& data, const QString& path, unsigned& code, QString* error) {
    code = saveBytes(buildPresetImage(data), path, error);
    return code == PresetFileOk;
}

bool writePresetBytes(const QByteArray& bytes, const QString& path, QString* error) {
    return saveBytes(bytes, path, error) == PresetFileOk;
}

unsigned readPresetFile(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PresetFileNotOpened;
    if (file.size() == 0)
        return PresetFileEmpty;
    bytes = file.readAll();
    return PresetFileOk;
}

unsigned checkPresetImage(const QByteArray& bytes) {
    if (bytes.size() < PresetImageSize)
        return PresetFileTooShort;
    if (!ByteFields::hasText(bytes, EditorTagOffset, EditorTag) ||
        !ByteFields::hasText(bytes, PresetTagOffset, PresetTag))
        return PresetFileBadTags;
    return PresetFileOk;
}

unsigned presetImageFromBytes(const QByteArray& bytes, QByteArray& image) {
    if (bytes.isEmpty())
        return PresetFileEmpty;
    const unsigned code = checkPresetImage(bytes);
    if (code == PresetFileOk)
        image = bytes.left(PresetImageSize);
    return code;
}

bool isPresetFile(const QString& path) {
    QByteArray bytes;
    return readPresetFile(path, bytes) == PresetFileOk && checkPresetImage(bytes) == PresetFileOk;
}

bool loadPresetFile(const QString& path, QByteArray& image) {
    QByteArray bytes;
    if (readPresetFile(path, bytes) != PresetFileOk || QFileInfo(path).baseName().isEmpty())
        return false;
    return presetImageFromBytes(bytes, image) == PresetFileOk;
}

bool renamePresetFile(const QString& oldPath, const QString& newPath, QString* error) {
    if (QFile::exists(newPath)) {
        if (error)
            *error = QObject::tr("a file of that name already exists");
        return false;
    }
    QFile file(oldPath);
    if (file.rename(newPath))
        return true;
    if (error)
        *error = file.errorString();
    return false;
}
