#pragma once

#include "platform/ui/view.h"

#include <QPointer>
#include <QString>

namespace platform::ui {

class Window;

/// Manages one view: loads it on first use (`loadView`, then `viewDidLoad`) and owns it.
///
/// The view is owned by the controller while it has no superview or window; once placed in another
/// view it lives with that view tree, and `view()` reloads it only when it was destroyed there.
/// Destroying the controller destroys its view. Main thread only.
class ViewController {
public:
    ViewController();
    virtual ~ViewController();
    ViewController(const ViewController &) = delete;
    ViewController &operator=(const ViewController &) = delete;

    /// The view, loaded on first access.
    View *view();
    bool isViewLoaded() const { return !m_view.isNull(); }
    /// Takes `view` as the controller's view (owned as described above); the previous view is destroyed.
    void setView(View *view);

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    /// The window whose content the view is in, or none.
    Window *window() const;

protected:
    /// Creates the view and hands it to `setView`; the default makes an empty view.
    virtual void loadView();
    /// Called once after `loadView`.
    virtual void viewDidLoad();

private:
    QPointer<View> m_view;
    QString m_title;
};

} // namespace platform::ui
