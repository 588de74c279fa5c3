#pragma once

#include <platform/ui/view.h>
#include <platform/ui/visualeffectview.h>

#include <QPointer>

namespace olvane {

/// A view for custom status-menu rows that draws the selection highlight behind its content while
/// the row it sits in is highlighted: an effect view of the selection material, rounded with a
/// corner radius of 3, below all other subviews, hidden whenever the host draws outside a
/// highlighted row.
class MenuBarHostView : public platform::ui::View {
    Q_OBJECT
public:
    explicit MenuBarHostView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// The installed effect view; the host owns it as a subview.
    platform::ui::VisualEffectView *effectView() const { return m_effectView.data(); }
    void setEffectView(platform::ui::VisualEffectView *view) { m_effectView = view; }

    /// Defaults to true. The installed effect view keeps the emphasis it was installed with.
    bool isEmphasized() const { return m_isEmphasized; }
    void setEmphasized(bool emphasized);
    /// Defaults to 4; setting it rounds the installed effect view's layer by the new value.
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);

    /// Makes a new effect view, puts it behind all other subviews and pins it to the host's edges.
    void installEffectView();

    /// Vibrancy is not taken on by the host.
    bool allowsVibrancy() const { return false; }

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;

private:
    QPointer<platform::ui::VisualEffectView> m_effectView;
    bool m_isEmphasized = true;
    double m_cornerRadius = 4.0;
};

} // namespace olvane
