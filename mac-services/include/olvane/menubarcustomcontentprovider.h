#pragma once

namespace olvane {

/// Custom content of a status-menu row that draws itself highlighted or plain on request.
class MenuBarCustomContentProvider {
public:
    virtual ~MenuBarCustomContentProvider() = default;
    /// Draw as the highlighted row.
    virtual void highlight() = 0;
    /// Draw normally.
    virtual void unhighlight() = 0;
};

} // namespace olvane
