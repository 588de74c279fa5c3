#pragma once

#include "platform/ui/view.h"

namespace platform::ui {

/// A view that arranges its subviews side by side (`isVertical`: vertical dividers, the default) or
/// one above the other, with a divider of `dividerThickness` between neighbours that the pointer can
/// drag. `adjustSubviews` (run by every layout) keeps each pane's size and gives the last one what
/// is left, shrinking all in proportion when they do not fit. Panes are laid out from the left, or
/// from the top. Main thread only.
class SplitView : public View {
    Q_OBJECT
public:
    explicit SplitView(const Rect &frame = Rect(), QWidget *parent = nullptr);

    bool isVertical() const { return m_vertical; }
    void setVertical(bool vertical);
    /// Default 1.
    virtual double dividerThickness() const;
    /// Draws one divider; the default fills it with the separator colour.
    virtual void drawDividerInRect(GraphicsContext &context, const Rect &rect);
    /// The rectangle of divider `index` (between pane index and index + 1).
    Rect dividerRect(int index) const;
    /// Moves divider `index` to `position` (x, or the distance from the top), within its panes.
    void setPosition(double position, int dividerIndex);
    void adjustSubviews();

    bool isFlipped() const override { return true; }
    void layout() override;
    void drawRect(GraphicsContext &context, const Rect &dirtyRect) override;
    void mouseDown(const MouseEvent &event) override;
    void mouseDragged(const MouseEvent &event) override;
    void mouseUp(const MouseEvent &event) override;

private:
    double along(const Rect &r) const { return m_vertical ? r.width() : r.height(); }
    double startOf(const Rect &r) const { return m_vertical ? r.x() : r.y(); }
    int dividerAt(Point p) const;

    bool m_vertical = true;
    int m_dragging = -1;
};

} // namespace platform::ui
