#pragma once

#include <platform/ui/textfield.h>

#include <optional>

namespace pirrow {

/// A label that shows a new title by cross-fading from the old one (when it has a layer; without one
/// the text changes at once).
class AnimatedLabel : public platform::ui::TextField {
    Q_OBJECT
public:
    explicit AnimatedLabel(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Seconds of a fade, default 0.75; applies to the next title.
    double duration() const { return m_duration; }
    void setDuration(double seconds) { m_duration = seconds; }
    const std::optional<QString> &title() const { return m_title; }
    /// Fades to the title (none shows an empty text); a fade still running is replaced.
    void setTitle(std::optional<QString> title);

private:
    double m_duration = 0.75;
    std::optional<QString> m_title;
};

} // namespace pirrow
