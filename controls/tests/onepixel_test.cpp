// One device pixel in points, for a process without a screen (scale 0 here) or with a screen of the
// given backing scale.
#include "pirrow/constants.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScreen>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    constexpr int scale = ONE_PIXEL_SCREEN_SCALE;
    std::unique_ptr<QCoreApplication> app;
    if (scale > 0) {
        qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
        app = std::make_unique<QApplication>(argc, argv);
        if (QGuiApplication::primaryScreen()->devicePixelRatio() != scale) {
            std::fprintf(stderr, "FAIL: the screen's scale is %g, not %d\n",
                QGuiApplication::primaryScreen()->devicePixelRatio(), scale);
            return 1;
        }
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const double expected = scale > 0 ? 1.0 / scale : 1.0;
    const double first = pirrow::Constants::onePixel();
    if (first != expected) {
        std::fprintf(stderr, "FAIL: one pixel is %g, expected %g\n", first, expected);
        return 1;
    }
    if (scale > 0) {
        // A later change of screens does not change it.
        qputenv("QT_SCALE_FACTOR", "3");
        if (pirrow::Constants::onePixel() != first) {
            std::fprintf(stderr, "FAIL: one pixel changed\n");
            return 1;
        }
    }
    std::printf("PASS: one pixel is %g\n", first);
    return 0;
}
