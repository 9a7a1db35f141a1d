#include "editor/mainwindowrules.h"

#include "link/usbaccess.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringList>

#include <cstring>

namespace MainWindowRules {

namespace {

constexpr int kBandOrigin = 8;
constexpr int kBandHeight = 70;
constexpr int kCloseInset = 30;
constexpr int kMinimiseGap = 30;
constexpr int kSetGap = 40;
constexpr int kControlGap = 26;
constexpr int kSwitchInset = 6;

} // namespace

QString firmwareText(const IdentityRecord& identity) {
    const char* text = identity.firmwareVersion;
    const void* end = std::memchr(text, 0, sizeof identity.firmwareVersion);
    const int length =
        end ? int(static_cast<const char*>(end) - text) : int(sizeof identity.firmwareVersion);
    return QString::fromLatin1(text, length);
}

bool firmwareMatches(const QString& version) {
    return version.compare(QLatin1String(kExpectedFirmware), Qt::CaseInsensitive) == 0;
}

QString downloadPage(int languageType) {
    return QString::fromLatin1(languageType == kChineseLanguageType ? kDownloadPageChinese
                                                                    : kDownloadPage);
}

QString openFailureText(QMEBaseLibusb::OpenFailure failure, const QString& detail) {
    using F = QMEBaseLibusb::OpenFailure;
    switch (failure) {
    case F::AccessDenied: {
        QString text = QObject::tr("The pedal is plugged in, but this user may not open it. "
                                   "Install the TALIX package (its rule gives the person at the "
                                   "computer access), then unplug the pedal and plug it in again.");
        const QString details = UsbAccess::AccessDetails(detail);
        return details.isEmpty() ? text : text + QLatin1Char(' ') + details;
    }
    case F::Busy:
        return QObject::tr("Another program is using the pedal. Close other TALIX or TALIXUpdate "
                           "windows (also those of other users on this computer), then connect "
                           "again.");
    case F::DriverStuck:
        return QObject::tr("A driver of the system holds the pedal and does not let it go. Unplug "
                           "the pedal, plug it in again and connect again.");
    case F::NoAnswer:
        return QObject::tr("The pedal did not answer. Unplug it, plug it in again and connect "
                           "again.");
    default:
        return UsbAccess::CommonOpenFailureText(failure, detail);
    }
}

ConnectSizes connectSizes(bool connected, int languageType) {
    if (languageType == kChineseLanguageType)
        return connected ? ConnectSizes{75, QSize(95, 40)} : ConnectSizes{91, QSize(111, 40)};
    return connected ? ConnectSizes{117, QSize(134, 40)} : ConnectSizes{137, QSize(153, 40)};
}

int bandTop(int height) {
    return kBandOrigin + (kBandHeight - height) / 2;
}

QVector<QPoint> titleBand(int width, int rightMargin, const QVector<QSize>& sizes) {
    QVector<QPoint> out(BandControls);
    if (sizes.size() != BandControls)
        return out;
    int right = width - rightMargin - kCloseInset;
    for (int control = Close; control < BandControls; ++control) {
        const QSize size = sizes[control];
        out[control] = QPoint(right - size.width(), bandTop(size.height()));
        const int gap =
            control == Close ? kMinimiseGap : (control == Minimise ? kSetGap : kControlGap);
        right = out[control].x() - gap;
    }
    return out;
}

QPoint switchPosition(const QPoint& background, const QSize& backgroundSize, int switchWidth,
                      int switchHeight) {
    return QPoint(background.x() + backgroundSize.width() - switchWidth - kSwitchInset,
                  bandTop(switchHeight));
}

QString closeRefusal(Busy busy) {
    switch (busy) {
    case Busy::Backup:
        return QObject::tr("A backup is reading the pedal's memory. Wait until it has finished, "
                           "then close TALIX.");
    case Busy::Restore:
        return QObject::tr("A restore is writing the pedal's memory. Wait until it has finished, "
                           "then close TALIX.");
    case Busy::IrImport:
        return QObject::tr("An IR import is writing to the pedal. Wait until it has finished, then "
                           "close TALIX.");
    case Busy::FactoryReset:
        return QObject::tr("A factory reset is restarting the pedal. Wait until it has finished, "
                           "then close TALIX.");
    case Busy::None:
        break;
    }
    return QString();
}

QString updaterMissing(const QString& path) {
    return QObject::tr("TALIXUpdate could not be started from \"%1\". Reinstall TALIX.").arg(path);
}

QString keyboardHelp() {
    static const char* const kLines[] = {
        QT_TRANSLATE_NOOP("QObject", "Tab, Shift+Tab: next or previous control"),
        QT_TRANSLATE_NOOP("QObject", "Space, Enter: press a button or switch"),
        QT_TRANSLATE_NOOP("QObject", "Dials: Left or Down -1, Right or Up +1, Page Down or Page "
                                     "Up -10 or +10, Home or End to the minimum or maximum"),
        QT_TRANSLATE_NOOP("QObject", "Menus and choosers: Space, Enter or Down opens, the arrows "
                                     "move, Enter chooses, Escape closes"),
        QT_TRANSLATE_NOOP("QObject", "Presets: Left and Right move, Space or Enter chooses; "
                                     "Ctrl+S saves the current preset"),
        QT_TRANSLATE_NOOP("QObject", "Ctrl+Shift+S: save the current preset as a file in the "
                                     "computer's preset list"),
        QT_TRANSLATE_NOOP("QObject", "Lists: Up and Down move, Shift+Up and Shift+Down extend the "
                                     "selection, Space adds or removes a row"),
        QT_TRANSLATE_NOOP("QObject", "Lists: Enter, the menu key or Shift+F10 opens the row's "
                                     "menu, Delete deletes, F2 renames a preset file"),
        QT_TRANSLATE_NOOP("QObject", "Prompts: Enter takes the default button, Escape closes"),
    };
    // A bullet each, so that a line that wraps stays apart from the next.
    QStringList lines;
    for (const char* line : kLines)
        lines << QStringLiteral("\u2022 ") + QCoreApplication::translate("QObject", line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace MainWindowRules
