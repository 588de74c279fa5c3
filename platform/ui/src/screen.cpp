#include "platform/ui/screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <utility>

namespace platform::ui {

namespace {
    std::optional<ScopedMainScreen::Facts> s_standIn;

    QScreen *mainScreen()
    {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return nullptr;
        return QGuiApplication::primaryScreen();
    }
} // namespace

ScopedMainScreen::ScopedMainScreen(Facts facts)
    : m_previous(std::exchange(s_standIn, std::move(facts)))
{
}

ScopedMainScreen::~ScopedMainScreen() { s_standIn = m_previous; }

bool Screen::hasMain() { return s_standIn ? s_standIn->frame.has_value() : mainScreen() != nullptr; }

double Screen::mainBackingScaleFactor()
{
    if (s_standIn)
        return s_standIn->frame ? s_standIn->backingScaleFactor : 1.0;
    QScreen *s = mainScreen();
    return s ? s->devicePixelRatio() : 1.0;
}

std::optional<Rect> Screen::mainFrame()
{
    if (s_standIn)
        return s_standIn->frame;
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
    if (s_standIn)
        return s_standIn->frame ? std::optional<Size>(s_standIn->physicalSize) : std::nullopt;
    QScreen *s = mainScreen();
    if (!s)
        return std::nullopt;
    return Size::fromQSizeF(s->physicalSize());
}

} // namespace platform::ui
