#pragma once

namespace pirrow {

class SimpleTileView;

/// Told about clicks on a SimpleTileView and the pointer entering and leaving it, after the tile's
/// own handling. Tiles hold their delegate weakly.
class SimpleTileViewDelegate {
public:
    virtual ~SimpleTileViewDelegate();
    virtual void tileClicked(SimpleTileView *tile) = 0;
    virtual void tileMouseEntered(SimpleTileView *tile) = 0;
    virtual void tileMouseExited(SimpleTileView *tile) = 0;
};

} // namespace pirrow
