#pragma once

#include "platform/ui/targetaction.h"

#include <QObject>
#include <QString>

#include <memory>

namespace platform::ui {

class Menu;
class View;

/// One row of a Menu: a titled command (title, action and target, tag, enabled state), a separator,
/// or a custom view that draws the whole row.
///
/// An item belongs to at most one menu, which owns it. An item owns its custom view: replacing the
/// view or destroying the item destroys the old view. While the menu is shown on screen the view is
/// lent to the menu's window and comes back when it closes. The view (or any view inside it) finds
/// its item with `enclosingMenuItem`, and redraws whenever the item's highlight changes.
/// Main thread only.
class MenuItem : public QObject {
    Q_OBJECT
public:
    explicit MenuItem(const QString &title = {}, Action action = {}, QObject *parent = nullptr);
    ~MenuItem() override;

    /// A new separator item (not enabled, never highlighted, never sends an action).
    static MenuItem *separator();
    bool isSeparatorItem() const { return m_separator; }

    QString title() const { return m_title; }
    void setTitle(const QString &title);

    QObject *target() const { return m_targetAction.target(); }
    void setTarget(QObject *target);
    const Action &action() const { return m_targetAction.action(); }
    bool hasAction() const { return m_targetAction.hasAction(); }
    void setAction(Action action);

    int tag() const { return m_tag; }
    void setTag(int tag);

    bool isEnabled() const { return m_enabled && !m_separator; }
    void setEnabled(bool enabled);

    /// The custom view drawing this row, or none.
    View *view() const { return m_view.get(); }
    /// Takes ownership of `view` (none removes the current one); the old view is destroyed.
    void setView(View *view);

    /// Whether the menu currently highlights this item (the pointer is over it while tracking).
    bool isHighlighted() const { return m_highlighted; }

    /// The menu holding this item, or none.
    Menu *menu() const { return m_menu; }

    /// Sends the item's action with the item as sender; false when nothing was sent (no action, target
    /// gone, disabled, separator).
    bool sendAction();

    /// The item whose custom view is `view` or holds it somewhere below; none outside any menu item.
    static MenuItem *enclosingMenuItem(const View *view);

signals:
    /// Title, enabled state, tag, view or action changed.
    void changed();

private:
    friend class Menu;
    void setHighlighted(bool highlighted);
    void setMenu(Menu *menu) { m_menu = menu; }

    QString m_title;
    TargetAction m_targetAction;
    int m_tag = 0;
    bool m_enabled = true;
    bool m_separator = false;
    bool m_highlighted = false;
    Menu *m_menu = nullptr;
    std::unique_ptr<View> m_view;
};

} // namespace platform::ui
