#pragma once

#include "platform/ui/color.h"
#include "platform/ui/font.h"
#include "platform/ui/view.h"

#include <functional>

namespace platform::ui {

/// A push button drawn by its view: a title, optionally on a rounded bezel. A click (press and
/// release inside the button) or `performClick` runs the action. Main thread only.
class Button : public View {
    Q_OBJECT
public:
    enum class BezelStyle {
        /// Only the title (links, close crosses).
        none,
        /// The title on a rounded, filled bezel.
        rounded
    };

    explicit Button(const Rect &frame = Rect(), QWidget *parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString &title);
    Font font() const { return m_font; }
    void setFont(const Font &font);
    /// The title's colour; default the control text colour.
    Color contentTintColor() const { return m_tint; }
    void setContentTintColor(const Color &color);
    BezelStyle bezelStyle() const { return m_bezel; }
    void setBezelStyle(BezelStyle style);

    void setAction(std::function<void()> action) { m_action = std::move(action); }
    /// Runs the action as a click does.
    void performClick();
    /// Whether the button is pressed and the pointer is over it.
    bool isHighlighted() const { return m_highlighted; }

    void drawRect(GraphicsContext &context, const Rect &dirtyRect) override;
    void mouseDown(const MouseEvent &event) override;
    void mouseDragged(const MouseEvent &event) override;
    void mouseUp(const MouseEvent &event) override;

private:
    void setHighlighted(bool on);

    QString m_title;
    Font m_font;
    Color m_tint;
    BezelStyle m_bezel = BezelStyle::rounded;
    std::function<void()> m_action;
    bool m_highlighted = false;
};

} // namespace platform::ui
