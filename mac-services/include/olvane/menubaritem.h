#pragma once

#include <platform/ui/font.h>
#include <platform/ui/image.h>
#include <platform/ui/layoutconstraint.h>
#include <platform/ui/statusbar.h>
#include <platform/ui/targetaction.h>

#include <QList>
#include <QMetaObject>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

namespace platform::ui {
class Menu;
class StatusItem;
class View;
} // namespace platform::ui

namespace olvane {

class MenuBarItemDelegate;

/// One item of the status bar and the one place to put content into its button: an image, or one
/// or more hosted views. Its status item is made at construction with the variable length; the
/// item's width is what the caller sets with `setLength` or fixes with `setSize`, never computed
/// from hosted views.
///
/// Hosted views: the button owns the views put into it. A view that an operation of this class takes
/// out of the button (`setViews`, `setImage`, `removeViews`, `reset`) is destroyed once control
/// returns to the event loop, unless it has been put into a view again by then; so `setViews` with
/// views that are already hosted keeps them. Keep hosted views by `QPointer`, never by an owning
/// pointer.
///
/// Items are shared (`std::shared_ptr`); releasing the last owner releases the status item too,
/// which takes it off the bar. Main thread only.
class MenuBarItem {
public:
    explicit MenuBarItem(platform::ui::StatusBar &bar = platform::ui::StatusBar::system());
    /// As `setImage(image)` after construction.
    explicit MenuBarItem(
        const platform::ui::Image &image, platform::ui::StatusBar &bar = platform::ui::StatusBar::system());
    /// The view goes into the button as a subview, with no constraints.
    explicit MenuBarItem(platform::ui::View *view, platform::ui::StatusBar &bar = platform::ui::StatusBar::system());
    /// Each view goes into the button in list order, with no constraints.
    explicit MenuBarItem(
        const QList<platform::ui::View *> &views, platform::ui::StatusBar &bar = platform::ui::StatusBar::system());
    virtual ~MenuBarItem();
    MenuBarItem(const MenuBarItem &) = delete;
    MenuBarItem &operator=(const MenuBarItem &) = delete;

    /// The wrapped status item; never none.
    const std::shared_ptr<platform::ui::StatusItem> &item() const { return m_item; }

    bool isVisible() const;
    void setVisible(bool visible);
    double length() const;
    void setLength(double length);

    /// The button's subviews, in drawing order.
    QList<platform::ui::View *> views() const;
    /// Clears the button (views and image, image position "image left"), then adds the views in
    /// order with no constraints. None or an empty list leaves the button empty.
    void setViews(const std::optional<QList<platform::ui::View *>> &views);
    void addView(platform::ui::View *view);
    /// Adds the view with its four edges tied to the button's.
    void addPinnedView(platform::ui::View *view);
    void removeViews();

    std::optional<platform::ui::Image> image() const;
    /// Removes the views, sets the image position to "image left", then the image.
    void setImage(const std::optional<platform::ui::Image> &image);
    /// Changes only the button's image; hosted views stay.
    void setImageKeepingViews(const std::optional<platform::ui::Image> &image);

    std::optional<QString> title() const;
    /// None writes the empty title.
    void setTitle(const std::optional<QString> &title);
    std::optional<platform::ui::Font> font() const;
    void setFont(const std::optional<platform::ui::Font> &font);

    QObject *target() const;
    void setTarget(QObject *target);
    const platform::ui::Action &action() const;
    void setAction(platform::ui::Action action);
    /// Sets the button's target, action and tag, in that order.
    void setTarget(QObject *target, platform::ui::Action action, int tag);
    /// No target, no action, tag 0.
    void clearTarget();

    std::shared_ptr<platform::ui::Menu> menu() const;
    void setMenu(std::shared_ptr<platform::ui::Menu> menu);

    /// Whether the button's effective appearance is a dark one.
    bool isDark() const;

    /// Fixes the button's width and height with two constraints, made on the first call and given
    /// new constants on later ones.
    void setSize(double width, double height);
    const std::shared_ptr<platform::ui::LayoutConstraint> &widthConstraint() const { return m_widthConstraint; }
    const std::shared_ptr<platform::ui::LayoutConstraint> &heightConstraint() const { return m_heightConstraint; }

    /// Empties the button: no image, no constraints, no subviews. The size constraints are
    /// forgotten too, so a later `setSize` makes and installs new ones.
    void reset();

    /// The caller's tag (the application keeps a device identifier text); null when none.
    QVariant representedObject() const { return m_representedObject; }
    void setRepresentedObject(const QVariant &object) { m_representedObject = object; }

    std::shared_ptr<MenuBarItemDelegate> delegate() const { return m_delegate.lock(); }
    void setDelegate(const std::weak_ptr<MenuBarItemDelegate> &delegate) { m_delegate = delegate; }

private:
    void observeVisibility();

    std::shared_ptr<platform::ui::StatusItem> m_item;
    std::shared_ptr<platform::ui::LayoutConstraint> m_widthConstraint;
    std::shared_ptr<platform::ui::LayoutConstraint> m_heightConstraint;
    QMetaObject::Connection m_observer;
    QVariant m_representedObject;
    std::weak_ptr<MenuBarItemDelegate> m_delegate;
};

} // namespace olvane
