#pragma once

#include <QString>

namespace platform::ui {

class GraphicsContext;

/// Content of a status item that can show itself in a tray's square icon.
///
/// A tray host gives each item a square about as wide as the bar is thick. Content whose picture is
/// wider than that (texts, several levels side by side) shrinks below legibility when squeezed in, so
/// a hosted view that adopts this draws a rendition made for the square from the same data, and
/// describes what it stands for in a line of text for the icon's tooltip. Main thread only.
class TrayRendition {
public:
    virtual ~TrayRendition();

    /// Draws into a square `side` points wide (origin bottom left, y up). Text and template shapes
    /// take the status bar's text colour, as the item's own picture does; never draws nothing.
    virtual void drawTrayRendition(GraphicsContext &context, double side) const = 0;
    /// The names and levels shown, one per line ("Keyboard: 85%"); empty when there are none.
    virtual QString trayToolTip() const = 0;
};

} // namespace platform::ui
