#pragma once

#include "platform/ui/color.h"
#include "platform/ui/view.h"

namespace platform::ui {

/// A view that fills its bounds with a material of the interface (the selection of a menu row, a
/// window's background), in the colours of its effective appearance. With a layer whose
/// `masksToBounds` and `cornerRadius` are set, the fill is rounded.
class VisualEffectView : public View {
    Q_OBJECT
public:
    enum class Material { titlebar = 3, selection = 4, menu = 5, popover = 6, sidebar = 7, windowBackground = 12 };
    enum class State { followsWindowActiveState = 0, active = 1, inactive = 2 };
    enum class BlendingMode { behindWindow = 0, withinWindow = 1 };

    explicit VisualEffectView(const Rect &frame = Rect(), QWidget *parent = nullptr);

    Material material() const { return m_material; }
    void setMaterial(Material material);
    State state() const { return m_state; }
    void setState(State state);
    BlendingMode blendingMode() const { return m_blendingMode; }
    void setBlendingMode(BlendingMode mode) { m_blendingMode = mode; }
    /// A selection drawn emphasized takes the accent colour, else a quiet grey.
    bool isEmphasized() const { return m_emphasized; }
    void setEmphasized(bool emphasized);

    /// The colour the material has now (resolved when drawn).
    Color materialColor() const;

    void drawRect(GraphicsContext &context, const Rect &dirtyRect) override;

private:
    Material m_material = Material::windowBackground;
    State m_state = State::followsWindowActiveState;
    BlendingMode m_blendingMode = BlendingMode::behindWindow;
    bool m_emphasized = false;
};

} // namespace platform::ui
