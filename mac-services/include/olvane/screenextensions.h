#pragma once

namespace olvane {

/// Screen helpers.
class ScreenExtensions {
public:
    /// Points per inch of the main screen: its width in points over its physical width; 0 when there is
    /// no screen or it reports no physical size.
    static double pointsPerInch();

    ScreenExtensions() = delete;
};

} // namespace olvane
