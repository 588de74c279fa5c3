#include "quenby/splitviewcontroller.h"

#include "localization_p.h"
#include "quenby/contentviewcontroller.h"
#include "quenby/devicesviewcontroller.h"
#include "quenby/internalviewcontroller.h"
#include "quenby/moredevicesviewcontroller.h"
#include "quenby/page.h"
#include "quenby/settingsviewcontroller.h"
#include "quenby/sidebarviewcontroller.h"

#include <QHash>
#include <QShowEvent>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace quenby {

namespace {

    QHash<QString, SplitViewController::PageFactory> &factories()
    {
        static QHash<QString, SplitViewController::PageFactory> table;
        return table;
    }

    struct PageEntry {
        const char *key;
        const char *storyboard;
    };

    // Side-bar texts in the order they are compared.
    constexpr PageEntry kPages[] = {
        { "MY_DEVICES", "Devices" },
        { "INTERNAL_BATTERY", "Internal" },
        { "SETTINGS", "Settings" },
        { "MORE_DEVICES", "MoreDevices" },
    };

} // namespace

// The application's own pages; a page registered before (a test's) is kept.
static void registerDefaultPages()
{
    static bool done = false;
    if (std::exchange(done, true))
        return;
    if (!factories().contains(QStringLiteral("Devices")))
        factories().insert(QStringLiteral("Devices"), [] { return std::make_unique<DevicesViewController>(); });
    if (!factories().contains(QStringLiteral("Internal")))
        factories().insert(QStringLiteral("Internal"), [] { return std::make_unique<InternalViewController>(); });
    if (!factories().contains(QStringLiteral("MoreDevices")))
        factories().insert(QStringLiteral("MoreDevices"), [] { return std::make_unique<MoreDevicesViewController>(); });
    if (!factories().contains(QStringLiteral("Settings")))
        factories().insert(QStringLiteral("Settings"), [] { return std::make_unique<SettingsViewController>(); });
}

void SplitViewController::registerPage(const QString &name, PageFactory factory)
{
    if (factory)
        factories().insert(name, std::move(factory));
    else
        factories().remove(name);
}

SplitViewController::SplitViewController(QWidget *parent)
    : QWidget(parent)
    , m_splitter(new QSplitter(Qt::Horizontal, this))
    , m_sideBar(new SideBarViewController)
    , m_content(new ContentViewController)
{
    registerDefaultPages();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);
    m_splitter->addWidget(m_sideBar);
    m_splitter->addWidget(m_content);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({ 200, 600 });
    m_sideBar->setMinimumWidth(160);
    m_sideBar->setDelegate(this);
}

SplitViewController::~SplitViewController()
{
    // Pages belong to this controller, not to the content they are shown in.
    m_content->show(nullptr);
}

void SplitViewController::setController(IController *controller)
{
    m_controller = controller;
    m_sideBar->setController(controller);
}

void SplitViewController::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // The side bar has just rebuilt its rows (children are shown first) and selected the first one;
    // a window shown again may still hold another page, or one whose row is gone (no battery now).
    if (!m_content->currentViewController() || !m_sideBar->selectItem(m_currentTitle))
        showPage(localized(QStringLiteral("MY_DEVICES")));
}

void SplitViewController::showPage(const QString &title)
{
    for (const auto &entry : kPages) {
        if (title != localized(QString::fromLatin1(entry.key)))
            continue;
        Page *page = pageController(QString::fromLatin1(entry.storyboard));
        if (!page)
            break;
        page->setWindowTitle(title);
        if (auto *controllable = dynamic_cast<IControllable *>(page))
            controllable->setController(m_controller);
        window()->setWindowTitle(title);
        const int sideBarWidth = m_sideBar->width();
        m_content->show(page);
        makeRoomFor(*page, sideBarWidth);
        m_currentTitle = title;
        break;
    }
    // Shown from code, or a click that changed nothing: the highlighted row follows the page.
    m_sideBar->selectItem(m_content->currentViewController() ? m_currentTitle : QString());
}

void SplitViewController::makeRoomFor(const QWidget &page, int sideBarWidth)
{
    // A page wider than the room beside the side bar would make the splitter narrow the side bar (and
    // squeeze the page when that is not enough): the window grows instead, and from then on keeps that
    // room at its smallest.
    const int handle = m_splitter->handleWidth();
    const int needed = page.minimumSizeHint().width();
    QWidget *top = window();
    const int smallest = m_sideBar->minimumWidth() + handle + needed + (top->width() - m_splitter->width());
    if (smallest > top->minimumWidth())
        top->setMinimumWidth(smallest);
    const int room = m_splitter->width() - sideBarWidth - handle;
    if (room < needed)
        top->resize(top->width() + needed - room, top->height());
    m_splitter->setSizes({ sideBarWidth, std::max(needed, m_splitter->width() - sideBarWidth - handle) });
}

Page *SplitViewController::pageController(const QString &storyboard)
{
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        if (m_pageStoryboards[i] == storyboard)
            return m_pages[i].get();
    const auto factory = factories().value(storyboard);
    if (!factory)
        return nullptr;
    auto page = factory();
    if (!page)
        return nullptr;
    m_pages.push_back(std::move(page));
    m_pageStoryboards.push_back(storyboard);
    return m_pages.back().get();
}

} // namespace quenby
