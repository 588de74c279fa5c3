#include "menurow_p.h"
#include "quenby/customcontentview.h"
#include "quenby/settings.h"
#include "quenby/statusdot.h"

#include <olvane/menubarhostview.h>
#include <olvane/viewextensions.h>
#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>

#include <cstdio>
#include <cstdlib>

namespace quenby {

using platform::ui::Rect;

namespace {
    constexpr double kFieldHeight = 16;
    constexpr double kDotX = 12;
    constexpr double kNameX = 28;

    double fieldY(double height) { return (height - kFieldHeight) / 2; }
}

MenuRow MenuRow::make(double width, double height, double nameWidth)
{
    MenuRow row;
    row.content = new CustomContentView(Rect(0, 0, width, height));
    row.host = new olvane::MenuBarHostView(Rect(0, 0, width, height));
    row.content->addSubview(row.host);
    olvane::ViewExtensions::pinToSuperview(*row.host);

    row.statusIcon = new platform::ui::ImageView(
        Rect(kDotX, (height - StatusDot::kDiameter) / 2, StatusDot::kDiameter, StatusDot::kDiameter));
    row.host->addSubview(row.statusIcon);

    row.name = new platform::ui::TextField(Rect(kNameX, fieldY(height), nameWidth, kFieldHeight));
    row.name->setFont(platform::ui::Font::systemFont(13));
    row.host->addSubview(row.name);
    return row;
}

platform::ui::TextField *MenuRow::levelField(double x, double width, double height)
{
    auto *field = new platform::ui::TextField(Rect(x, fieldY(height), width, kFieldHeight));
    field->setFont(platform::ui::Font::monospacedDigitSystemFont(13));
    field->setAlignment(platform::ui::TextAlignment::right);
    return field;
}

void MenuRow::showStatus(platform::ui::ImageView &icon, const QString &identifier)
{
    icon.setImage(Settings::isIgnored(identifier) ? StatusDot::unavailable() : StatusDot::available());
}

void MenuRow::missingOutlet(const char *name)
{
    std::fprintf(stderr, "Quenby: the status-menu row has no %s\n", name);
    std::abort();
}

} // namespace quenby
