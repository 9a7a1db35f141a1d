// Writes the demo firmware image for the virtual pedal:
//   talix-demofirmware <output file>
// Two sections of made-up bytes for the boot loader's default codes. It is no pedal's firmware and
// lives outside the program folder, so an updater run from the build tree never offers it to a
// real pedal.
#include "tests/updater/firmwareimagebuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        QTextStream(stderr) << "usage: talix-demofirmware <output file>\n";
        return 2;
    }
    const QString path = app.arguments().at(1);
    FirmwareImageBuilder image;
    FirmwareImageBuilder::Section first;
    first.data = FirmwareImageBuilder::pattern(40 * 512, 1);
    first.sectorAddrStart = 0x0000;
    FirmwareImageBuilder::Section second;
    second.data = FirmwareImageBuilder::pattern(24 * 512, 2);
    second.sectorAddrStart = 0x0100;
    image.sections = {first, second};
    if (!QDir().mkpath(QFileInfo(path).path()) || !image.write(path)) {
        QTextStream(stderr) << "talix-demofirmware: cannot write " << path << "\n";
        return 1;
    }
    return 0;
}
