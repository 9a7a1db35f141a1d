#include "tools/screenshots/panelshots.h"

#include "editor/qleftset.h"
#include "editor/qrightset.h"
#include "link/qmebaselibusb.h"
#include "protocol/devicestate.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "virtualpedal/virtualpedal.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QTextStream>

#include <cstring>
#include <functional>
#include <memory>

using virtualpedal::PedalState;
using virtualpedal::VirtualPedal;

namespace {

// CAB A: level 80, cabinet 3, 2 ms, 125 Hz, 11500 Hz, on. CAB B: level 65, a user IR in slot 7,
// 5 ms, 313 Hz, 6559 Hz, off.
constexpr int kValues[DeviceState::kValueCount] = {80, 3, 8, 20, 35, 65, 7, 20, 55, 70};
constexpr char kUserIrName[] = "Studio 4x12 57.wav";

PedalState pedalWithValues() {
    PedalState state = VirtualPedal::snapshot();
    for (int i = 0; i < DeviceState::kValueCount; ++i)
        PedalState::setValue(state.current, i, kValues[i]);
    state.presets[state.currentPreset] = state.current;
    state.bypassA = 1;
    state.bypassB = 0;
    state.userIr[7] = 1;
    state.irNames[7].fill(0);
    std::memcpy(state.irNames[7].data(), kUserIrName, sizeof kUserIrName - 1);
    return state;
}

bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

} // namespace

bool savePanelShots(const QDir& out, int mode) {
    QMEBaseLibusb link;
    link.setTransferMode(QMEBaseLibusb::ModeInterrupt);
    auto thread = std::make_unique<QUsbWriteThread>();
    thread->attachLink(&link);
    QDataAnalysis parser;
    parser.setWriteThread(thread.get());

    QWidget pair;
    pair.setAutoFillBackground(true);
    QPalette palette = pair.palette();
    palette.setColor(QPalette::Window, mode == 2 ? QColor(36, 37, 44) : QColor(244, 245, 249));
    pair.setPalette(palette);
    auto* row = new QHBoxLayout(&pair);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);
    auto* left = new QLeftSet(&pair);
    auto* right = new QRightSet(&pair);
    left->SetTitle(QObject::tr("CAB A(Left)"));
    right->SetTitle(QObject::tr("CAB B(Right)"));
    for (QBaseSet* panel : {static_cast<QBaseSet*>(left), static_cast<QBaseSet*>(right)}) {
        panel->SetDropFormat(QStringLiteral("caplist/text/uri-list"));
        panel->ApplyMode(mode);
        panel->Retranslate();
        panel->setParser(&parser);
        panel->setFixedSize(panel->size());
        row->addWidget(panel);
    }

    // Connected as the editor connects, to a pedal that holds the values above.
    const bool connected =
        VirtualPedal::setState(pedalWithValues()) &&
        thread->openUsbConnect(0x0483, 0x5703, 200, "TAL_IX") == QMEBaseLibusb::OpenRunning;
    if (connected)
        thread->connectSequence();
    const DeviceState& state = *parser.deviceState();
    const bool filled = connected && waitFor([&state] {
                            return state.current[6] == kValues[6] && state.userIr[7] != 0 &&
                                   state.bypassA == 1 && state.bypassB == 0;
                        });
    thread->closeUsbConnect();
    thread.reset();
    if (!filled) {
        QTextStream(stderr) << "talix-screenshots: the virtual pedal did not answer\n";
        return false;
    }

    pair.show();
    QApplication::processEvents();
    const QString name = QStringLiteral("cabinet_panels_%1.png").arg(mode == 2 ? "dark" : "light");
    const bool ok = pair.grab().save(out.filePath(name));
    if (!ok)
        QTextStream(stderr) << "talix-screenshots: cannot write " << name << "\n";
    return ok;
}
