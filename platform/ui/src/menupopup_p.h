#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWidgetAction>

#include "platform/ui/appearance.h"

#include <memory>
#include <optional>

class QAction;
class QMenu;

namespace platform::ui {

class Menu;
class MenuItem;
class View;

/// Hosts a row's view inside a QMenu for as long as the QMenu shows it, and hands the view back
/// (without a parent, hidden) when it goes, so that the item keeps owning it.
///
/// The row spans the menu: the QMenu gives the host its full width, and the host widens the view to
/// it (never below the width the view's owner gave it), so that a highlight covers the whole row. The
/// view draws in the appearance of the menu's own palette, so its label colours suit the menu's
/// background whatever the application's appearance says.
class MenuRowHost : public QWidget {
    Q_OBJECT
public:
    MenuRowHost(View *view, QWidget *parent);
    ~MenuRowHost() override;

signals:
    void entered();
    void left();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void takeNaturalSize();
    void widenView();
    void followPalette();

    QPointer<View> m_view;
    // The view's identity for the event filter: events also arrive while it is being destroyed,
    // when it must not be looked at as a View any more.
    const QObject *m_watched = nullptr;
    QSize m_naturalSize;
    // The width the host gave the view last; a resize to it is ours, not the owner's.
    double m_widenedTo = -1;
    std::optional<Appearance> m_previousAppearance;
};

/// A QMenu row made from a menu item with a custom view.
class MenuRowAction : public QWidgetAction {
    Q_OBJECT
public:
    MenuRowAction(MenuItem *item, QObject *parent);

protected:
    QWidget *createWidget(QWidget *parent) override;

private:
    QPointer<MenuItem> m_item;
};

/// The QMenu that shows a Menu on screen, kept in step with the model in both directions: the
/// QMenu's opening, hovering, clicks and closing drive the model's tracking, and the model closing
/// closes the QMenu.
class MenuPopup : public QObject {
    Q_OBJECT
public:
    explicit MenuPopup(Menu &model);
    ~MenuPopup() override;

    QMenu *menu() const { return m_menu.get(); }
    void showAt(const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rebuild();
    void scheduleRebuild();
    void syncHighlight();
    void scheduleSyncHighlight();
    MenuItem *itemFor(QAction *action) const;

    Menu &m_model;
    std::unique_ptr<QMenu> m_menu;
    QHash<QAction *, QPointer<MenuItem>> m_items;
    bool m_dirty = true;
    bool m_rebuildScheduled = false;
    bool m_syncScheduled = false;
};

} // namespace platform::ui
