// Draws every skin image of both looks into a program folder:
//   skingen <program folder> [--scales 1,2]
// A scale above 1 also writes "<name>@<scale>x.png" for high-density screens.
// With --icons it draws the programs' desktop icons instead, as an icon-theme tree:
//   skingen --icons <folder>   writes <folder>/hicolor/<n>x<n>/apps/{talix,talix-update}.png
#include "tools/skingen/appiconpainter.h"
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

bool save(const QImage& image, const QString& path, QTextStream& err) {
    if (QDir().mkpath(QFileInfo(path).absolutePath()) && image.save(path, "PNG"))
        return true;
    err << "skingen: cannot write " << path << "\n";
    return false;
}

// The sizes desktops look up in the hicolor theme.
int writeIcons(const QDir& root, QTextStream& err) {
    const struct {
        AppIconPainter::Program program;
        const char* name;
    } icons[] = {{AppIconPainter::Program::Editor, "talix"},
                 {AppIconPainter::Program::Updater, "talix-update"}};
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        for (const auto& icon : icons) {
            const QString path =
                root.filePath(QStringLiteral("hicolor/%1x%1/apps/%2.png").arg(side).arg(icon.name));
            if (!save(AppIconPainter::draw(icon.program, side), path, err))
                return 1;
        }
    }
    return 0;
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
    if (args.size() == 2 && args.first() == QStringLiteral("--icons"))
        return writeIcons(QDir(args.at(1)), err);
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
        err << "usage: skingen <program folder> [--scales 1,2] | skingen --icons <folder>\n";
        return 2;
    }

    const QDir root(args.first());
    for (const SkinCatalogue::Entry& entry : SkinCatalogue::entries()) {
        for (int scale : scales) {
            const QString path = scaledPath(root.filePath(entry.path), scale);
            if (!save(entry.draw(scale), path, err))
                return 1;
        }
    }
    return 0;
}
