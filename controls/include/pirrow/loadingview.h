#pragma once

#include <platform/ui/color.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <memory>

namespace pirrow {

/// An activity indicator: a fifth of a ring that spins clockwise once every 0.6 s around a faint full
/// ring while active; hidden while idle. A new indicator is idle.
class LoadingView : public platform::ui::View {
    Q_OBJECT
public:
    explicit LoadingView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    bool isActive() const { return m_isActive; }
    /// Line width of both rings, default 3; applies from the next layout.
    double width() const { return m_width; }
    void setWidth(double width) { m_width = width; }
    /// Colour of the arc (at once); the ring shows it at alpha 0.1 from the next layout.
    const platform::ui::Color &color() const { return m_color; }
    void setColor(const platform::ui::Color &color);

    /// Shows the view and starts spinning; nothing while already active.
    void startAnimating();
    /// Stops spinning and hides the view.
    void stopAnimating();

    const std::shared_ptr<platform::ui::ShapeLayer> &progressLayer() const { return m_progressLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &trackLayer() const { return m_trackLayer; }

    void layout() override;

private:
    void setupLayers();

    const std::shared_ptr<platform::ui::ShapeLayer> m_progressLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_trackLayer;
    bool m_isActive = false;
    double m_width = 3;
    platform::ui::Color m_color;
};

} // namespace pirrow
