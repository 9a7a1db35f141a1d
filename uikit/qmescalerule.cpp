#include "uikit/qmescalerule.h"

#include <QGuiApplication>
#include <QScreen>
#include <vector>

namespace {

const char* const kScaleVariable = "QT_SCALE_FACTOR";
bool g_scaleSet = false;

} // namespace

int QMEScaleRule::Factor(qreal desktopScale, const QSize& available, const QSize& window) {
    int factor = qMax(1, qRound(desktopScale));
    while (factor > 1 && (window.width() * factor > available.width() ||
                          window.height() * factor > available.height()))
        --factor;
    return factor;
}

void QMEScaleRule::Prepare(int argc, char** argv, const QSize& window) {
    if (qEnvironmentVariableIsSet(kScaleVariable) ||
        qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS") ||
        qEnvironmentVariableIsSet("QT_SCALE_FACTOR_ROUNDING_POLICY"))
        return;
    int rounded = 1;
    QSize available;
    {
        // The application consumes the arguments it knows from the array it gets.
        std::vector<char*> args(argv, argv + argc);
        args.push_back(nullptr);
        int count = argc;
        QGuiApplication probe(count, args.data());
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        // Qt rounds the desktop's scale to a whole factor already (its default rule).
        rounded = qRound(screen->devicePixelRatio());
        available = screen->availableGeometry().size() * rounded;
    }
    const int factor = Factor(rounded, available, window);
    if (factor == rounded)
        return;
    // Qt multiplies its own factor by this one; n / m times m is exact in doubles for the small
    // whole numbers here.
    qputenv(kScaleVariable, QByteArray::number(double(factor) / rounded, 'g', 17));
    g_scaleSet = true;
}

void QMEScaleRule::Finish() {
    if (g_scaleSet)
        qunsetenv(kScaleVariable);
    g_scaleSet = false;
}
