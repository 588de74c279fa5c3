#pragma once

#include "pirrow/checkboxdelegate.h"

#include <platform/ui/path.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <memory>

namespace pirrow {

/// A small layer-drawn check box: a rounded square in the accent colour (checked or mixed) or grey
/// (unchecked) with a white tick or dash. A click cycles mixed → off → on → off…; mixed comes back only
/// from code. The drawing follows state, enabled-flag and appearance changes, not size changes.
class CheckBox : public platform::ui::View {
    Q_OBJECT
public:
    /// State values: mixed, off, on.
    static constexpr int mixed = -1;
    static constexpr int off = 0;
    static constexpr int on = 1;

    explicit CheckBox(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    int state() const { return m_state; }
    /// Redraws (without implicit animation) only when the state differs.
    void setState(int state);
    void setDelegate(std::weak_ptr<CheckBoxDelegate> delegate) { m_delegate = std::move(delegate); }
    /// Whether clicks change the state; the look is the same either way.
    bool isEnabled() const { return m_isEnabled; }
    void setEnabled(bool enabled);

    const std::shared_ptr<platform::ui::ShapeLayer> &shapeLayer() const { return m_shapeLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &imageLayer() const { return m_imageLayer; }

    void viewDidChangeEffectiveAppearance() override;
    void resetCursorRects() override;
    void mouseDown(const platform::ui::MouseEvent &event) override;

private:
    void redraw();
    platform::ui::Path checkmarkPath() const;
    platform::ui::Path mixedPath() const;

    const std::shared_ptr<platform::ui::ShapeLayer> m_shapeLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_imageLayer;
    int m_state = mixed;
    std::weak_ptr<CheckBoxDelegate> m_delegate;
    bool m_isEnabled = true;
};

} // namespace pirrow
