#include "uikit/qmeimageloader.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace QMEImageLoader {

namespace {

// Qt also derives this ratio from an "@2x" file name; stating it keeps that out of the way.
constexpr qreal kTwinRatio = 2.0;

QImage LoadFile(const QString& path) {
    QImage image;
    if (QFile::exists(path))
        image.load(path);
    return image;
}

QSize Logical(const QSize& size, qreal ratio) {
    return QSize(int(size.width() / ratio), int(size.height() / ratio));
}

} // namespace

QString TwinPath(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf('.');
    if (dot <= 0)
        return path + "@2x";
    const int at = path.size() - name.size() + dot;
    return path.left(at) + "@2x" + path.mid(at);
}

qreal ScreenRatio() {
    // qGuiApp casts blindly: a program without a GUI application has a core one at most.
    const auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return app ? app->devicePixelRatio() : 1.0;
}

QImage Load(const QString& path, qreal screenRatio) {
    if (screenRatio > 1.0) {
        QImage twin = LoadFile(TwinPath(path));
        if (!twin.isNull()) {
            twin.setDevicePixelRatio(kTwinRatio);
            return twin;
        }
    }
    return LoadFile(path);
}

QImage Load(const QString& path) {
    return Load(path, ScreenRatio());
}

QPixmap LoadPixmap(const QString& path) {
    return QPixmap::fromImage(Load(path));
}

QIcon LoadIcon(const QString& path) {
    QIcon icon;
    const QImage plain = LoadFile(path);
    if (plain.isNull())
        return icon;
    icon.addPixmap(QPixmap::fromImage(plain));
    QImage twin = LoadFile(TwinPath(path));
    if (!twin.isNull()) {
        twin.setDevicePixelRatio(kTwinRatio);
        icon.addPixmap(QPixmap::fromImage(twin));
    }
    return icon;
}

QSize LogicalSize(const QImage& image) {
    return Logical(image.size(), image.devicePixelRatio());
}

QSize LogicalSize(const QPixmap& pixmap) {
    return Logical(pixmap.size(), pixmap.devicePixelRatio());
}

} // namespace QMEImageLoader
