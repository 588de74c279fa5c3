#pragma once

#include <QImage>
#include <QString>

namespace quenby {

/// Pictures of what the status bar shows in each app mode, drawn by the real status-item views on
/// sample devices (a keyboard, earbuds and the computer's battery), so the settings page's tiles show
/// the user the choice they make. The current look settings (bars, colours) apply; the stored app
/// mode is neither read nor changed. Main thread only.
class ModePreview {
public:
    ModePreview() = delete;

    /// The status bar's strip for `mode` (0 to 3), `scale` pixels per point; its height is the bar's
    /// thickness, its width what the items take.
    static QImage picture(int mode, double scale = 2.0);
    /// The caption under the picture of `mode`, localised.
    static QString caption(int mode);
};

} // namespace quenby
