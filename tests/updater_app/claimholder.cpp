// Holds the pedal's interface, as an editor that has not ended yet does, while it starts another
// program; lets go after a while and ends.
//   updater_claimholder <program> <milliseconds>
// Prints "held <open result>" once the pedal is claimed and "released" when it lets go.
#include "link/qmebaselibusb.h"

#include <QProcess>
#include <QString>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    QMEBaseLibusb link;
    link.setTransferMode(QMEBaseLibusb::ModeInterrupt);
    std::printf("held %d\n", link.openDevice(0x0483, 0x5703, 200, "TAL_IX", true));
    std::fflush(stdout);
    if (!QProcess::startDetached(QString::fromLocal8Bit(argv[1]), {}))
        return 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
    link.closeDevice();
    std::printf("released\n");
    return 0;
}
