#pragma once

#include <QByteArray>
#include <QString>

class QDataAnalysis;
class QMimeData;
class QWidget;

// The MIME format under which the preset browser's list drags a preset file path.
inline const QString PresetDragFormat = QStringLiteral("list/text/uri-list");

// The path as the browser stores it under PresetDragFormat: a QString written with QDataStream.
QByteArray encodePresetDragPath(const QString& path);
// The path carried under format; empty when there is none.
QString decodePresetDragPath(const QMimeData* mime, const QString& format);

// Loads the preset file and hands it to the parser as preset buttonIndex (0-13), which sends it
// to the pedal and makes it current. A file that fails its checks is never sent.
bool importPresetFile(QDataAnalysis& analysis, int buttonIndex, const QString& path);

// A drop on preset button buttonIndex: imports the file the data names and, while the pedal is
// connected, tells the user how it went. Data without the format is ignored.
void importDroppedPreset(QWidget* parent, QDataAnalysis& analysis, int buttonIndex,
                         const QMimeData* mime, const QString& format = PresetDragFormat);
