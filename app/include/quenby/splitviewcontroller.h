#pragma once

#include "quenby/icontrollable.h"
#include "quenby/sidebardelegate.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QSplitter;

namespace quenby {

class ContentViewController;
class Page;
class SideBarViewController;

/// The main window's content: the side bar on the left, the chosen page on the right. Each page is
/// made on its first visit and kept for later visits while the window lives.
class SplitViewController final : public QWidget, public IControllable, public SideBarDelegate {
    Q_OBJECT
public:
    using PageFactory = std::function<std::unique_ptr<Page>()>;

    /// Makes the pages of storyboard `name` ("Devices", "Internal", "Settings", "MoreDevices"); an
    /// empty factory takes the registration back. A page without a factory cannot be shown.
    static void registerPage(const QString &name, PageFactory factory);

    explicit SplitViewController(QWidget *parent = nullptr);
    ~SplitViewController() override;

    IController *controller() const override { return m_controller; }
    /// Also hands the controller to the side bar at once: Qt shows child widgets before their parent,
    /// so the side bar rebuilds its rows before this controller's own show event could pass it on.
    void setController(IController *controller) override;

    SideBarViewController *sideBarViewController() const { return m_sideBar; }
    ContentViewController *contentViewController() const { return m_content; }
    /// The pages made so far, in the order they were made.
    const std::vector<std::unique_ptr<Page>> &viewControllers() const { return m_pages; }

    /// Shows the page of a side-bar text; a text naming no page, or a page that cannot be made,
    /// changes nothing. Either way the side bar's selection names the page on show afterwards.
    void showPage(const QString &title);
    void sideBarItemSelected(const QString &title) override { showPage(title); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    Page *pageController(const QString &storyboard);
    void makeRoomFor(const QWidget &page, int sideBarWidth);

    QSplitter *m_splitter = nullptr;
    SideBarViewController *m_sideBar = nullptr;
    ContentViewController *m_content = nullptr;
    std::vector<std::unique_ptr<Page>> m_pages;
    std::vector<QString> m_pageStoryboards;
    QString m_currentTitle;
    IController *m_controller = nullptr;
};

} // namespace quenby
