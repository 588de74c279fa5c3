#pragma once

#include <platform/ui/window.h>

#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

namespace platform::ui {
class ViewController;
}

namespace pirrow {

/// The one shared dialog window that frames a view controller under a gradient header with a title,
/// a subtitle and an optional focus text. The dialog's own content comes from the storyboard
/// "GradientDialog".
///
/// While the window is open the dialog holds it and the shown controller. Showing again while it
/// is open only brings the same window to the front: title, texts and content stay as they are, and
/// `viewController` names the controller last given. When the window closes the shown view is taken
/// out of it, the controllers are let go and the next `show` builds a new window. Main thread only.
class GradientDialog : public platform::ui::WindowDelegate {
public:
    /// The one dialog, made on first use and kept for the life of the process.
    static GradientDialog &shared();

    /// The open dialog window, or none.
    platform::ui::Window *window() const { return m_window.data(); }
    /// The controller last given to `show` (while the window is open it may still show an earlier
    /// one), or none.
    std::shared_ptr<platform::ui::ViewController> viewController() const { return m_viewController; }

    /// Shows `content` in the dialog. The window takes `width` × `height` (also as its minimum),
    /// unless `keepSize`: then it takes the size the dialog and the content's view need. A dialog
    /// that is not `resizable` has a fixed size; `hideCloseButton` removes the dialog's close button.
    void show(const QString &title, const QString &subtitle, const std::optional<QString> &focusText,
        std::shared_ptr<platform::ui::ViewController> content, bool resizable, bool hideCloseButton, double width,
        double height, bool keepSize);

    /// Styles the current window: transparent, hidden title; content under the title bar; no
    /// miniaturise or zoom button.
    void prepareWindow();

    void windowWillClose(platform::ui::Window *window) override;

private:
    GradientDialog() = default;
    void detachContent();
    /// Closes and deletes the open window as the application object goes.
    void closeForTeardown();

    QPointer<platform::ui::Window> m_window;
    std::shared_ptr<platform::ui::ViewController> m_viewController;
    // The controller whose view the open window shows; kept so the view lives as long as the window.
    std::shared_ptr<platform::ui::ViewController> m_shownController;
    bool m_teardownRegistered = false;
};

} // namespace pirrow
