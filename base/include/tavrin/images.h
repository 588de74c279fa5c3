#pragma once

#include <platform/ui/color.h>
#include <platform/ui/font.h>
#include <platform/ui/image.h>

#include <QString>

namespace tavrin {

/// Images of the system's symbol set, by symbol name ("keyboard", "bolt.fill", "battery.100"...),
/// and images named in the program's resources.
///
/// Each symbol name maps to freedesktop icon names ("keyboard" → "input-keyboard-symbolic"); the
/// user's icon theme supplies the picture when it has one of them, else the library's own drawing
/// (Tavrin_Tavrin.bundle/Symbols/<name>.svg) does. Symbol images are template images whose natural
/// size is that of the library's drawing at the standard 13-point configuration. A name the library
/// does not know gives a blank image (and a warning once); it never stops the program.
class Images {
public:
    static platform::ui::Image symbol(const QString &name);
    /// The symbol at `pointSize` (its size scales from the 13-point one) and `weight` (the strokes of
    /// the library's own drawings thicken or thin with it; theme icons keep theirs).
    static platform::ui::Image symbolWithConfiguration(const QString &name, double pointSize, double weight);
    static platform::ui::Image tintedSymbol(const QString &name, const platform::ui::Color &color);
    static platform::ui::Image tintedSymbol(
        const QString &name, const platform::ui::Color &color, double pointSize, double weight);
    /// The image `name` among the main bundle's resources; blank (and a warning once) when there is none.
    static platform::ui::Image named(const QString &name);
    /// A template image becomes a copy filled with `color` where the image has paint (source-atop over
    /// its whole size), no longer a template; any other image is returned as it is (the same object).
    static platform::ui::Image tinted(const platform::ui::Color &color, const platform::ui::Image &image);

    /// Whether the library knows the symbol name.
    static bool knowsSymbol(const QString &name);
    /// The freedesktop icon names tried for a symbol, in order.
    static QStringList iconNames(const QString &name);

    Images() = delete;
};

} // namespace tavrin
