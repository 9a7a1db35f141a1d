#pragma once

#include "link/identityrecord.h"
#include "link/qmebaselibusb.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QVector>

// The main window's rules that need no widget: firmware check, download page, connect switch
// sizes, the positions of the title band and the texts of its longer prompts.
namespace MainWindowRules {

// The firmware this software was made for.
constexpr const char* kExpectedFirmware = "V1.2.2";
constexpr const char* kDownloadPage = "https://www.zelva-audio.com/download/talix";
constexpr const char* kDownloadPageChinese = "https://www.zelva-audio.cn/download/talix";
constexpr int kChineseLanguageType = 1;

// The firmware text of an identity answer; the field need not end in a NUL.
QString firmwareText(const IdentityRecord& identity);
// True when the version equals the expected one, ignoring letter case.
bool firmwareMatches(const QString& version);

QString downloadPage(int languageType);

// What a connect says when the pedal could not be opened, with what the failure names (the
// device node, the type another device answered, libusb's error); empty where the plain
// "Device Disconnected!" says it: no pedal, or one that went away.
QString openFailureText(QMEBaseLibusb::OpenFailure failure, const QString& detail);

struct ConnectSizes {
    int switchWidth;
    QSize background;
};
ConnectSizes connectSizes(bool connected, int languageType);

// Top of a control of `height` centred in the title band.
int bandTop(int height);

// Title-band controls from the right edge inwards.
enum BandControl { Close, Minimise, Set, Reset, Update, Look, Language, Connect, BandControls };

// Top-left corners in a window `width` wide, for controls of the given sizes (one per
// BandControl; Connect is the switch's background).
QVector<QPoint> titleBand(int width, int rightMargin, const QVector<QSize>& sizes);

// What "Keyboard shortcuts" in the settings menu lists, one line per kind of control, in the
// current language.
QString keyboardHelp();

// The switch's top-left corner on its background.
QPoint switchPosition(const QPoint& background, const QSize& backgroundSize, int switchWidth,
                      int switchHeight);

// Message width of the prompts below; their height follows the text.
constexpr int kLongPromptWidth = 320;

// What a close of the window would cut short.
enum class Busy { None, Backup, Restore, IrImport, FactoryReset };
// The prompt refusing a close while it runs; empty for None.
QString closeRefusal(Busy busy);

// The updater could not be started from path.
QString updaterMissing(const QString& path);

} // namespace MainWindowRules
