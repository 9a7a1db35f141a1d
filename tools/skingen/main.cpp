// Draws every skin image of both looks into a program folder:
//   skingen <program folder> [--scales 1,2]
// A scale above 1 also writes "<name>@<scale>x.png" for high-density screens.
#include "tools/skingen/skincatalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// "folder/name.png" -> "folder/name@<scale>x.png": only the suffix changes, so a folder whose name
// holds ".png" keeps its name.
QString scaledPath(const QString& path, int scale) {
    if (scale == 1)
        return path;
    const QString suffix = QStringLiteral(".png");
    const QString stem = path.endsWith(suffix) ? path.chopped(suffix.size()) : path;
    return stem + QStringLiteral("@%1x").arg(scale) + suffix;
}

} // namespace

int main(int argc, char** argv) {
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Build machines often have no session; give the application a private runtime folder.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);

    QStringList args = app.arguments().mid(1);
    QList<int> scales{1};
    const int scaleAt = args.indexOf(QStringLiteral("--scales"));
    if (scaleAt >= 0 && scaleAt + 1 < args.size()) {
        scales.clear();
        for (const QString& s : args.at(scaleAt + 1).split(',')) {
            const int scale = s.toInt();
            if (scale < 1 || scale > 4) {
                err << "skingen: bad scale " << s << "\n";
                return 2;
            }
            scales.append(scale);
        }
        args.erase(args.begin() + scaleAt, args.begin() + scaleAt + 2);
    }
    if (args.size() != 1) {
        err << "usage: skingen <program folder> [--scales 1,2]\n";
        return 2;
    }

    const QDir root(args.first());
    for (const SkinCatalogue::Entry& entry : SkinCatalogue::entries()) {
        for (int scale : scales) {
            const QString path = scaledPath(root.filePath(entry.path), scale);
            if (!QDir().mkpath(QFileInfo(path).absolutePath()) ||
                !entry.draw(scale).save(path, "PNG")) {
                err << "skingen: cannot write " << path << "\n";
                return 1;
            }
        }
    }
    return 0;
}
