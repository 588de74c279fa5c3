#pragma once

#include <olvane/menubarcustomcontentprovider.h>
#include <platform/ui/view.h>

#include <memory>

namespace tavrin {
class EventDelegate;
}

namespace quenby {

/// The root view of a device row in the status menu: shows the menu's highlight on its labels and
/// icons, and tells its delegate when it was clicked. Main thread only.
class CustomContentView : public platform::ui::View, public olvane::MenuBarCustomContentProvider {
    Q_OBJECT
public:
    explicit CustomContentView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Held weakly: told after the view's own mouse-up handling, while it is alive.
    std::shared_ptr<tavrin::EventDelegate> delegate() const { return m_delegate.lock(); }
    void setDelegate(std::weak_ptr<tavrin::EventDelegate> delegate) { m_delegate = std::move(delegate); }

    void mouseUp(const platform::ui::MouseEvent &event) override;

    /// Every label below the view turns white, every image view takes white as tint.
    void highlight() override;
    /// The same walk back to the label colour.
    void unhighlight() override;

private:
    void paintDescendants(const platform::ui::Color &color);

    std::weak_ptr<tavrin::EventDelegate> m_delegate;
};

} // namespace quenby
