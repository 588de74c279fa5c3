#pragma once

#include <platform/ui/view.h>

#include <memory>

namespace pirrow {

/// Shows an overlay through the shape of its content: the content keeps its size and decides where
/// the overlay shows (by its alpha) but is not itself seen. The overlay is centred on the content and
/// given its size. Both are owned and drawn by this view, not added as subviews.
class MaskedOverlayView : public platform::ui::View {
    Q_OBJECT
public:
    MaskedOverlayView(std::unique_ptr<platform::ui::View> content, std::unique_ptr<platform::ui::View> overlay);
    ~MaskedOverlayView() override;

    platform::ui::View *content() const { return m_content.get(); }
    platform::ui::View *overlay() const { return m_overlay.get(); }

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    void layout() override;

private:
    std::unique_ptr<platform::ui::View> m_content;
    std::unique_ptr<platform::ui::View> m_overlay;
};

} // namespace pirrow
