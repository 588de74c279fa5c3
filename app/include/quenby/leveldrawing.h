#pragma once

#include <platform/ui/color.h>
#include <platform/ui/geometry.h>
#include <platform/ui/image.h>
#include <platform/ui/textattributes.h>

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace platform::ui {
class GraphicsContext;
}
namespace fennic {
class BatteryDevice;
}

namespace quenby {

/// The pieces the status-item views draw levels with: bars, level texts and their colours, and the
/// device pictures in the status bar's text colour.
///
/// Colours that depend on the status bar read `olvane::MenuBar` at the time of the call, so a view
/// that draws through these follows a change of the bar's look on its next redraw. Main thread only.
class LevelDrawing {
public:
    LevelDrawing() = delete;

    static constexpr double kBarCornerRadius = 2;
    /// The alpha of the track behind a level.
    static constexpr double kTrackAlpha = 0.25;
    /// Level texts at or below this are drawn in orange.
    static constexpr std::uint8_t kWarningLevel = 10;

    /// A bar: the whole track in the colour at kTrackAlpha, then the level's share of it (growing to
    /// the right, or upward when `vertical`) at full colour. A level of 0 leaves only the track; a level
    /// above 100 fills the track and no more.
    static void paintBar(platform::ui::GraphicsContext &context, const platform::ui::Rect &track, std::uint8_t level,
        const platform::ui::Color &color, bool vertical = false);

    /// The colour of a bar (`quenby::Utilities::levelColor` for the status bar's current look).
    static platform::ui::Color barColor(std::uint8_t level, bool useLevelColors, bool charging);
    /// The same for a level that may be unknown: the bar's text colour without one (for its empty track).
    static platform::ui::Color barColor(std::optional<std::uint8_t> level, bool useLevelColors, bool charging);
    /// The colour of a level text: orange at kWarningLevel or below, else the status bar's text colour.
    static platform::ui::Color levelTextColor(std::uint8_t level);
    /// "85%"
    static QString percentText(std::uint8_t level);
    /// "85%", or the no-value text "-" without a level.
    static QString percentText(std::optional<std::uint8_t> level);
    /// The no-value text "-" in the status bar's text colour, vertically centred in `rect`: what a view
    /// draws where a level it does not know would stand, so that no item is ever blank.
    static void drawNoValue(platform::ui::GraphicsContext &context, const platform::ui::Rect &rect, double fontSize,
        platform::ui::TextAlignment alignment);

    /// The picture of a symbol as the status bar shows it: a template tinted in the bar's text colour,
    /// anything else as it is. Blank for an unknown symbol.
    static platform::ui::Image icon(const QString &symbolName);
    /// `icon` scaled to `size`.
    static platform::ui::Image icon(const QString &symbolName, platform::ui::Size size);
    /// The device's picture (`BatteryDevice::imageName`) as `icon` gives it.
    static platform::ui::Image deviceIcon(const fennic::BatteryDevice &device);
    /// Whether the device has a picture at all (its symbol is known).
    static bool hasImage(const fennic::BatteryDevice &device);
    // Tray renditions: a tray host gives each status item a square about as wide as the bar is
    // thick, too small for the item's own picture. The renditions show what matters there, after the
    // app mode as the item's own views do: compact the level as digits as large as the square allows
    // over a thin bar in the level's colour; icon and text the device's symbol above its level's
    // digits; vertical bars the symbol beside a vertical bar in the level's colour. Digits and symbols
    // take the bar's text colour (so they read whatever the level). Trays set their icons side by side
    // with no gap, so nothing is drawn within kTrayInset of the square's left and right edges: two
    // neighbours' digits ("69" and "88") must not read as one number.

    /// The empty margin at the left and right of a tray rendition, in points.
    static constexpr double kTrayInset = 2;

    // A level that is not known shows as the no-value text "-" where its digits would be, over or on
    // an empty track where its bar would be, with the symbol the mode shows: a tray icon is never blank.

    /// Compact: one level, digits over a bar across the square's bottom.
    static void paintTrayLevel(platform::ui::GraphicsContext &context, double side, std::optional<std::uint8_t> level,
        const platform::ui::Color &barColor);
    /// Compact: two levels (first above second), digits only.
    static void paintTrayLevels(platform::ui::GraphicsContext &context, double side, std::optional<std::uint8_t> first,
        std::optional<std::uint8_t> second);
    /// Icon and text: the symbol in the square's upper half, the level's digits below it.
    static void paintTraySymbolLevel(platform::ui::GraphicsContext &context, double side, const QString &symbolName,
        std::optional<std::uint8_t> level);
    /// One vertical bar of a tray rendition: its level and colour.
    struct TrayBar {
        std::optional<std::uint8_t> level;
        platform::ui::Color color;
    };
    /// Vertical bars: the symbol at the left, one vertical bar per level (one or two) at the right.
    static void paintTrayVerticalBars(platform::ui::GraphicsContext &context, double side, const QString &symbolName,
        const std::vector<TrayBar> &bars);
    /// One level in the current app mode: icon and text with `symbolName`, vertical bars with
    /// `barSymbolName`, compact otherwise; bars in the level colours the mode's switch asks for (a bar
    /// without a level in the text colour).
    static void paintTrayForMode(platform::ui::GraphicsContext &context, double side, const QString &symbolName,
        const QString &barSymbolName, std::optional<std::uint8_t> level, bool charging);
    /// No device to show: the symbol centred in the square, tinted like the bar's icons; the no-value
    /// text when the symbol is unknown.
    static void paintTraySymbol(platform::ui::GraphicsContext &context, double side, const QString &symbolName);
    /// "Name: 85%", "Name: –" without a level.
    static QString trayLine(const QString &name, std::optional<std::uint8_t> level);

    /// Draws the picture at its own size at `x`, vertically centred in a view `height` high.
    static void drawIcon(
        platform::ui::GraphicsContext &context, const platform::ui::Image &image, double x, double height);
};

} // namespace quenby
