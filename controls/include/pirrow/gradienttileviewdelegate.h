#pragma once

namespace pirrow {

class GradientTileView;

/// The delegate a GradientTileView holds (weakly) for its owner.
class GradientTileViewDelegate {
public:
    virtual ~GradientTileViewDelegate();
    virtual void gradientTileClicked(GradientTileView *tile) = 0;
};

} // namespace pirrow
