#pragma once

#include "platform/ui/color.h"
#include "platform/ui/geometry.h"
#include "platform/ui/view.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

namespace platform::ui {

class ViewController;
class Window;

/// Told about a window's life; held without ownership (the delegate clears itself when it goes).
class WindowDelegate {
public:
    virtual ~WindowDelegate();
    /// The window is about to close (by the user, by `performClose` or by `close`).
    virtual void windowWillClose(Window *window);
};

/// A top-level window showing one content view, sized in points.
///
/// The style mask says which parts the window has; on the desktop these become window-manager hints
/// (no title bar: frameless; standard buttons: the matching hints). A title bar made transparent and
/// content under the title bar are kept as flags: the window manager draws its own decoration, so
/// the content size is the window's size. The floating level keeps the window above the others.
///
/// Closing (`performClose`, the window manager's close button, or QWidget::close) tells the delegate
/// `windowWillClose` and hides the window; a window that is released when closed (the default) is
/// then destroyed from the event loop. Main thread only.
class Window : public QWidget {
    Q_OBJECT
public:
    enum StyleMask : unsigned {
        borderless = 0,
        titled = 1u << 0,
        closable = 1u << 1,
        miniaturizable = 1u << 2,
        resizable = 1u << 3,
        fullSizeContentView = 1u << 15,
    };
    enum class Button { close, miniaturize, zoom };
    enum class Level { normal, floating };
    enum class TitleVisibility { visible, hidden };

    Window(const Rect &contentRect, unsigned styleMask, QWidget *parent = nullptr);
    ~Window() override;

    /// A titled, closable, miniaturizable and resizable window whose content is `controller`'s view,
    /// at that view's size and with the controller's title. The window owns the controller.
    static Window *withContentViewController(std::unique_ptr<ViewController> controller);

    unsigned styleMask() const { return m_styleMask; }
    void setStyleMask(unsigned mask);

    QString title() const { return m_title; }
    void setTitle(const QString &title);
    TitleVisibility titleVisibility() const { return m_titleVisibility; }
    void setTitleVisibility(TitleVisibility visibility);
    bool titlebarAppearsTransparent() const { return m_titlebarTransparent; }
    void setTitlebarAppearsTransparent(bool on) { m_titlebarTransparent = on; }
    bool isOpaque() const { return m_opaque; }
    void setOpaque(bool on) { m_opaque = on; }
    /// Painted behind the content view, resolved against the application's appearance.
    Color backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const Color &color);

    /// Whether the window has the standard button (from its style mask: close needs closable,
    /// miniaturize miniaturizable, zoom resizable; all need a title bar).
    bool hasStandardButton(Button button) const;
    bool isStandardButtonHidden(Button button) const;
    void setStandardButtonHidden(Button button, bool hidden);

    Level level() const { return m_level; }
    void setLevel(Level level);
    bool isMovableByWindowBackground() const { return m_movableByBackground; }
    void setMovableByWindowBackground(bool on) { m_movableByBackground = on; }

    /// The view filling the window (owned by the window).
    View *contentView() const { return m_contentView.data(); }
    void setContentView(View *view);
    /// The controller whose view is the content view (owned by the window), or none.
    ViewController *contentViewController() const { return m_contentViewController.get(); }
    /// Makes the controller's view the content view; the previous controller and its view are destroyed.
    void setContentViewController(std::unique_ptr<ViewController> controller);

    Size contentSize() const;
    void setContentSize(Size size);
    Size contentMinSize() const { return m_contentMinSize; }
    void setContentMinSize(Size size);
    /// The smallest frame; the frame is the content here, so it acts like the content minimum.
    Size minSize() const { return m_minSize; }
    void setMinSize(Size size);
    /// Height of the title bar drawn by the window itself (0: the window manager draws it).
    double titlebarHeight() const { return 0; }

    /// Lays out the content view tree now.
    void layoutIfNeeded();
    /// Shows the window above the others and gives it the keyboard focus.
    void makeKeyAndOrderFront();
    void orderOut();
    /// Moves the window to the middle of its screen.
    void center();
    /// Closes as the close button does.
    void performClose();

    WindowDelegate *delegate() const { return m_delegate; }
    void setDelegate(WindowDelegate *delegate) { m_delegate = delegate; }
    bool isReleasedWhenClosed() const { return m_releasedWhenClosed; }
    void setReleasedWhenClosed(bool on) { m_releasedWhenClosed = on; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void applyFlags();
    void applySizeLimits();
    void placeContentView();

    unsigned m_styleMask;
    QString m_title;
    TitleVisibility m_titleVisibility = TitleVisibility::visible;
    bool m_titlebarTransparent = false;
    bool m_opaque = true;
    Color m_backgroundColor;
    bool m_closeHidden = false;
    bool m_miniaturizeHidden = false;
    bool m_zoomHidden = false;
    Level m_level = Level::normal;
    bool m_movableByBackground = false;
    QPointer<View> m_contentView;
    std::unique_ptr<ViewController> m_contentViewController;
    Size m_contentMinSize;
    Size m_minSize;
    WindowDelegate *m_delegate = nullptr;
    bool m_releasedWhenClosed = true;
};

} // namespace platform::ui
