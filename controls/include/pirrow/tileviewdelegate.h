#pragma once

namespace platform::ui {
class View;
}

namespace pirrow {

/// Told about clicks on a tile and the pointer entering and leaving it. Held weakly.
class TileViewDelegate {
public:
    virtual ~TileViewDelegate();
    virtual void tileViewClicked(platform::ui::View *tile) = 0;
    virtual void tileViewMouseEntered(platform::ui::View *tile) = 0;
    virtual void tileViewMouseExited(platform::ui::View *tile) = 0;
};

} // namespace pirrow
