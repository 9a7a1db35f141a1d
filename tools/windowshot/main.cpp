// Grabs a window of the X display named by DISPLAY, by its window id, into a PNG file.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    bool ok = false;
    const WId window = argc == 3 ? QString(argv[1]).toULongLong(&ok, 0) : 0;
    if (!ok) {
        std::fprintf(stderr, "usage: talix-windowshot <window id> <file.png>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
    if (shot.isNull() || !shot.save(path)) {
        std::fprintf(stderr, "talix-windowshot: cannot grab window %s into %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
