#pragma once

namespace pirrow {

/// Told when a dot of a `DotView` is clicked, with the dot's index.
class DotViewDelegate {
public:
    virtual ~DotViewDelegate() = default;
    virtual void showPage(int index) = 0;
};

} // namespace pirrow
