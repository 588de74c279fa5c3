#pragma once

#include <platform/ui/color.h>
#include <platform/ui/emitterlayer.h>
#include <platform/ui/image.h>
#include <platform/ui/view.h>

#include <memory>
#include <optional>
#include <vector>

namespace pirrow {

/// A transparent overlay that emits coloured particles carrying one image from a line across its top
/// edge. It never takes the mouse: clicks reach the views behind it.
class ConfettiView : public platform::ui::View {
    Q_OBJECT
public:
    explicit ConfettiView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    bool isFlipped() const override { return true; }

    /// Whether `start` has set up the emitter since the last `deactivate`.
    bool isActive() const { return m_isActive; }
    const std::shared_ptr<platform::ui::EmitterLayer> &emitterLayer() const { return m_emitterLayer; }
    /// One particle kind per colour, in order.
    const std::vector<platform::ui::Color> &colors() const { return m_colors; }
    void setColors(std::vector<platform::ui::Color> colors) { m_colors = std::move(colors); }
    /// The image every particle shows; a new one while active restarts the emitter with it.
    const std::optional<platform::ui::Image> &content() const { return m_content; }
    void setContent(std::optional<platform::ui::Image> content);

    /// Sets the emitter up and starts it; nothing while active.
    void start();
    /// Marks the view inactive; particles already set up keep coming until the next `start`.
    void deactivate() { m_isActive = false; }

    void layout() override;
    void mouseDown(const platform::ui::MouseEvent &event) override;

private:
    bool m_isActive = false;
    const std::shared_ptr<platform::ui::EmitterLayer> m_emitterLayer;
    std::vector<platform::ui::Color> m_colors;
    std::optional<platform::ui::Image> m_content;
};

} // namespace pirrow
