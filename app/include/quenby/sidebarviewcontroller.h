#pragma once

#include "quenby/icontrollable.h"

#include <olvane/sidebargroup.h>

#include <QList>
#include <QWidget>

#include <memory>

class QTreeWidget;

namespace quenby {

class SideBarDelegate;

/// The main window's side bar: the pages in the groups "DEVICES" and "OTHER", rebuilt each time it
/// is shown so that optional pages follow the state at that moment.
class SideBarViewController final : public QWidget, public IControllable {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 32;

    explicit SideBarViewController(QWidget *parent = nullptr);
    ~SideBarViewController() override;

    IController *controller() const override { return m_controller; }
    void setController(IController *controller) override { m_controller = controller; }
    SideBarDelegate *delegate() const { return m_delegate; }
    void setDelegate(SideBarDelegate *delegate) { m_delegate = delegate; }

    const QList<std::shared_ptr<olvane::SideBarGroup>> &groups() const { return m_groups; }
    QTreeWidget *outlineView() const { return m_outlineView; }

    /// Builds the groups, fills the list, expands the groups and selects the first item without
    /// telling the delegate.
    void reload();
    /// Marks the row of `title` as the selected one without telling the delegate; a title with no
    /// row leaves no row selected. Answers whether the row is listed.
    bool selectItem(const QString &title);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// The items' symbols in the list's text colour; again whenever the list's palette changed.
    void paintIcons();
    void selectionChanged();

    QTreeWidget *m_outlineView = nullptr;
    QList<std::shared_ptr<olvane::SideBarGroup>> m_groups;
    IController *m_controller = nullptr;
    SideBarDelegate *m_delegate = nullptr;
    bool m_reloading = false;
};

} // namespace quenby
