#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// Every skin image comes as "name.png" and a twin "name@2x.png" drawn at double size. On a screen
// with a device pixel ratio above 1 the twin is loaded and marked with ratio 2, so that sizes taken
// from the image stay in logical pixels and the image paints pixel for pixel.
namespace QMEImageLoader {

// "folder/name.png" -> "folder/name@2x.png"; a name without extension gets "@2x" appended.
QString TwinPath(const QString& path);

// The highest device pixel ratio of the application's screens, 1 without a GUI application.
qreal ScreenRatio();

// The twin when `screenRatio` is above 1 and the twin loads, otherwise the file itself; a null
// image when neither loads.
QImage Load(const QString& path, qreal screenRatio);
QImage Load(const QString& path);
QPixmap LoadPixmap(const QString& path);
// An icon holding the file and, when present, its twin, so that each screen gets the sharper one.
QIcon LoadIcon(const QString& path);

QSize LogicalSize(const QImage& image);
QSize LogicalSize(const QPixmap& pixmap);

} // namespace QMEImageLoader
