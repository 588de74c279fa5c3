#pragma once

#include <platform/ui/color.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/textfield.h>

#include <memory>
#include <optional>

namespace pirrow {

/// A small tag: the text in the tag colour over a faint rounded background of that colour, an
/// optional progress fill over it, and (by default) a width and height that follow the text through two
/// constraints named "width" and "height".
class TagLabel : public platform::ui::TextField {
    Q_OBJECT
public:
    explicit TagLabel(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Sets the text and updates colours, size and fill.
    void setStringValue(const QString &text);
    /// Text colour and base of the background and fill; default the system green.
    const platform::ui::Color &color() const { return m_color; }
    void setColor(const platform::ui::Color &color);
    /// Margin on each side of the text when sizing; default 6.
    double offset() const { return m_offset; }
    void setOffset(double offset);
    /// Filled share, clamped into 0 to 1 when drawn; none draws no fill.
    std::optional<double> progress() const { return m_progress; }
    void setProgress(std::optional<double> progress);
    /// Whether updates size the label to its text; stored only (applies from the next update).
    bool autoCalculateSize() const { return m_autoCalculateSize; }
    void setAutoCalculateSize(bool on) { m_autoCalculateSize = on; }
    /// Added to the text's height when sizing; default 4.
    double heightOffset() const { return m_heightOffset; }
    void setHeightOffset(double offset);

    /// The fill added by the last update, if any.
    const std::shared_ptr<platform::ui::ShapeLayer> &progressLayer() const { return m_progressLayer; }

private:
    void update();
    void setSizeConstraint(const QString &identifier, platform::ui::LayoutAnchor anchor, double constant);

    std::shared_ptr<platform::ui::ShapeLayer> m_progressLayer;
    platform::ui::Color m_color;
    double m_offset = 6;
    std::optional<double> m_progress;
    bool m_autoCalculateSize = true;
    double m_heightOffset = 4;
};

} // namespace pirrow
