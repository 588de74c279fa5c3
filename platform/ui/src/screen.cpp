#include "platform/ui/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform::ui {

namespace {
    QScreen *mainScreen()
    {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return nullptr;
        return QGuiApplication::primaryScreen();
    }
} // namespace

bool Screen::hasMain() { return mainScreen() != nullptr; }

double Screen::mainBackingScaleFactor()
{
    QScreen *s = mainScreen();
    return s ? s->devicePixelRatio() : 1.0;
}

std::optional<Rect> Screen::mainFrame()
{
    QScreen *s = mainScreen();
    if (!s)
        return std::nullopt;
    const QRect g = s->geometry();
    const QRect all = s->virtualGeometry();
    // The desktop's y-up space: measured from the bottom of the whole virtual desktop.
    return Rect(g.x(), all.bottom() + 1 - (g.y() + g.height()), g.width(), g.height());
}

std::optional<Size> Screen::mainPhysicalSize()
{
    QScreen *s = mainScreen();
    if (!s)
        return std::nullopt;
    return Size::fromQSizeF(s->physicalSize());
}

} // namespace platform::ui
