#include "olvane/menubar.h"

#include "olvane/menubartheme.h"

#include <platform/ui/statusbar.h>
#include <platform/ui/statusbarbutton.h>
#include <platform/ui/statusitem.h>

namespace olvane {

namespace {
    double s_firstPadding = 2.0;
    double s_secondPadding = 3.0;

    std::shared_ptr<platform::ui::StatusItem> &mainItem()
    {
        static std::shared_ptr<platform::ui::StatusItem> s_item;
        return s_item;
    }
} // namespace

double MenuBar::thickness() { return platform::ui::StatusBar::system().thickness(); }

double MenuBar::barHeight() { return thickness(); }

double MenuBar::halfThickness() { return thickness() * 0.5; }

double MenuBar::fullThickness() { return thickness() * 0.5 + thickness() * 0.5; }

std::pair<double, double> MenuBar::halfOffset()
{
    const double first = thickness() * 0.5 - thickness() * 0.5;
    return { first, thickness() * 0.5 };
}

double MenuBar::firstPadding() { return s_firstPadding; }

void MenuBar::setFirstPadding(double padding) { s_firstPadding = padding; }

double MenuBar::secondPadding() { return s_secondPadding; }

void MenuBar::setSecondPadding(double padding) { s_secondPadding = padding; }

double MenuBar::paddedThickness() { return thickness() + s_secondPadding + s_firstPadding; }

bool MenuBar::isDark()
{
    const std::shared_ptr<platform::ui::StatusItem> &item = mainItem();
    if (!item)
        return false;
    return item->button()->effectiveAppearance().name().toLower().contains(QLatin1String("dark"));
}

platform::ui::Color MenuBar::textColor()
{
    const MenuBarTheme theme = isDark() ? MenuBarTheme::dark : MenuBarTheme::light;
    return theme == MenuBarTheme::light ? platform::ui::Color::black() : platform::ui::Color::white();
}

std::shared_ptr<platform::ui::StatusItem> MenuBar::mainStatusItem() { return mainItem(); }

void MenuBar::setMainStatusItem(std::shared_ptr<platform::ui::StatusItem> item) { mainItem() = std::move(item); }

} // namespace olvane
