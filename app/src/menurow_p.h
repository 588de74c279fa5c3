#pragma once

#include <QString>

namespace olvane {
class MenuBarHostView;
}
namespace platform::ui {
class ImageView;
class TextField;
}

namespace quenby {

class CustomContentView;

/// The common part of a device row of the status menu, built in code: the content view, the host
/// view filling it, the status dot and the name label.
struct MenuRow {
    CustomContentView *content = nullptr;
    olvane::MenuBarHostView *host = nullptr;
    platform::ui::ImageView *statusIcon = nullptr;
    platform::ui::TextField *name = nullptr;

    static MenuRow make(double width, double height, double nameWidth);
    /// A label for a level, right-aligned.
    static platform::ui::TextField *levelField(double x, double width, double height);
    /// The dot for an identifier: red when the user hid it from the status bar, green otherwise.
    static void showStatus(platform::ui::ImageView &icon, const QString &identifier);
    /// Stops the program: a row whose outlet is missing cannot be shown.
    [[noreturn]] static void missingOutlet(const char *name);
};

} // namespace quenby
