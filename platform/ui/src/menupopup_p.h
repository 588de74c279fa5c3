#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWidgetAction>

#include <memory>

class QAction;
class QMenu;

namespace platform::ui {

class Menu;
class MenuItem;
class View;

/// Hosts a row's view inside a QMenu for as long as the QMenu shows it, and hands the view back
/// (without a parent, hidden) when it goes, so that the item keeps owning it.
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

private:
    void fitView();
    QPointer<View> m_view;
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
