#pragma once

#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

// Runs a widget test with the user's folders (documents, data, temporary) in a private place, so
// settings and user files of the machine are never touched.
#define TALIX_WIDGET_TEST_MAIN(TestClass) TALIX_WIDGET_TEST_MAIN_SCALED(TestClass, "1")

// The same on screens with the device pixel ratio `factor` (a string), as on a high-DPI desktop.
#define TALIX_WIDGET_TEST_MAIN_SCALED(TestClass, factor)                                           \
    int main(int argc, char** argv) {                                                              \
        qputenv("QT_SCALE_FACTOR", factor);                                                        \
        QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);                                  \
        QTemporaryDir home;                                                                        \
        qputenv("HOME", home.path().toLocal8Bit());                                                \
        qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());                           \
        qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());                       \
        qputenv("TMPDIR", home.path().toLocal8Bit());                                              \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

// A plain grey image of the given size saved as dir/name, for controls that load image files.
inline QString saveImage(const QTemporaryDir& dir, const QString& name, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::gray);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}
