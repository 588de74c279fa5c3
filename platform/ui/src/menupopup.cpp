#include "menupopup_p.h"
#include "platform/ui/menu.h"
#include "platform/ui/menuitem.h"
#include "platform/ui/view.h"

#include <QEvent>
#include <QMenu>
#include <QPalette>

#include <cmath>

namespace platform::ui {

MenuRowHost::MenuRowHost(View *view, QWidget *parent)
    : QWidget(parent)
    , m_view(view)
    , m_watched(view)
{
    setMouseTracking(true);
    if (!m_view)
        return;
    m_previousAppearance = m_view->appearance();
    m_view->setParent(this);
    m_view->installEventFilter(this);
    takeNaturalSize();
    followPalette();
    m_view->show();
}

MenuRowHost::~MenuRowHost()
{
    if (m_view && m_view->parentWidget() == this) {
        m_view->removeEventFilter(this);
        m_view->hide();
        if (m_view->frame().width() > m_naturalSize.width())
            m_view->setFrameSize(Size { double(m_naturalSize.width()), m_view->frame().height() });
        m_view->setAppearance(m_previousAppearance);
        m_view->setParent(nullptr);
    }
}

void MenuRowHost::takeNaturalSize()
{
    const Size size = m_view->frame().size;
    m_naturalSize = QSize(int(std::ceil(size.width - 1e-9)), int(std::ceil(size.height - 1e-9)));
    setMinimumSize(m_naturalSize);
    setFixedHeight(m_naturalSize.height());
    m_view->move(0, 0);
    widenView();
}

void MenuRowHost::widenView()
{
    if (!m_view)
        return;
    const double wide = std::max(QWidget::width(), m_naturalSize.width());
    if (std::abs(m_view->frame().width() - wide) < 1e-9)
        return;
    m_widenedTo = wide;
    m_view->setFrameSize(Size { double(wide), m_view->frame().height() });
}

void MenuRowHost::followPalette()
{
    if (!m_view)
        return;
    const bool dark = palette().color(QPalette::Window).lightnessF() < 0.5;
    const Appearance appearance = dark ? Appearance::darkAqua() : Appearance::aqua();
    if (m_view->appearance() != appearance)
        m_view->setAppearance(appearance);
}

bool MenuRowHost::eventFilter(QObject *watched, QEvent *event)
{
    // The type first: a view in its destructor still sends events, and then is no View any more.
    if (event->type() == QEvent::Resize && watched == m_watched && m_view
        && std::abs(m_view->frame().width() - m_widenedTo) > 1e-9) {
        takeNaturalSize();
        if (auto *menu = qobject_cast<QMenu *>(parentWidget()))
            menu->adjustSize();
    }
    return QWidget::eventFilter(watched, event);
}

void MenuRowHost::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    widenView();
}

void MenuRowHost::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        followPalette();
}

void MenuRowHost::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    emit entered();
}

void MenuRowHost::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    emit left();
}

MenuRowAction::MenuRowAction(MenuItem *item, QObject *parent)
    : QWidgetAction(parent)
    , m_item(item)
{
}

QWidget *MenuRowAction::createWidget(QWidget *parent)
{
    auto *host = new MenuRowHost(m_item ? m_item->view() : nullptr, parent);
    connect(host, &MenuRowHost::entered, this, [this, parent] {
        if (auto *menu = qobject_cast<QMenu *>(parent))
            menu->setActiveAction(this);
    });
    connect(host, &MenuRowHost::left, this, [this, parent] {
        if (auto *menu = qobject_cast<QMenu *>(parent); menu && menu->activeAction() == this)
            menu->setActiveAction(nullptr);
    });
    return host;
}

MenuPopup::MenuPopup(Menu &model)
    : m_model(model)
    , m_menu(std::make_unique<QMenu>())
{
    m_menu->installEventFilter(this);
    connect(m_menu.get(), &QMenu::aboutToShow, this, [this] { m_model.open(); });
    connect(m_menu.get(), &QMenu::aboutToHide, this, [this] { m_model.cancelTracking(); });
    connect(m_menu.get(), &QMenu::hovered, this, [this] { syncHighlight(); });
    connect(m_menu.get(), &QMenu::triggered, this, [this](QAction *action) {
        const QPointer<MenuItem> item = itemFor(action);
        if (!item)
            return;
        // The menu has closed by now; make sure the model says so before the action runs.
        m_model.cancelTracking();
        if (item)
            item->sendAction();
    });
    connect(&m_model, &Menu::itemsChanged, this, &MenuPopup::scheduleRebuild);
    connect(&m_model, &Menu::closed, this, [this] {
        if (m_menu->isVisible())
            m_menu->hide();
    });
}

MenuPopup::~MenuPopup()
{
    // Actions and their row hosts go with the QMenu; the hosts hand the views back.
    m_menu->removeEventFilter(this);
    m_menu->disconnect(this);
    m_menu.reset();
}

void MenuPopup::showAt(const QPoint &globalPos)
{
    // A delegate may fill the menu as it opens: open the model first, so the QMenu is measured and
    // placed with the rows it will show (its own opening then finds the model open).
    m_model.open();
    if (m_dirty)
        rebuild();
    m_menu->popup(globalPos);
}

void MenuPopup::scheduleRebuild()
{
    m_dirty = true;
    if (m_rebuildScheduled)
        return;
    m_rebuildScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_rebuildScheduled = false;
            if (m_dirty && m_menu->isVisible())
                rebuild();
        },
        Qt::QueuedConnection);
}

void MenuPopup::rebuild()
{
    m_dirty = false;
    for (const auto &item : std::as_const(m_items))
        if (item)
            item->disconnect(this);
    m_items.clear();
    m_menu->clear();
    for (MenuItem *item : m_model.items()) {
        QAction *action = nullptr;
        if (item->isSeparatorItem()) {
            action = m_menu->addSeparator();
        } else if (item->view()) {
            action = new MenuRowAction(item, m_menu.get());
            m_menu->addAction(action);
        } else {
            action = m_menu->addAction(QString(item->title()).replace(QLatin1Char('&'), QLatin1String("&&")));
        }
        action->setEnabled(item->isEnabled());
        m_items.insert(action, item);
        connect(item, &MenuItem::changed, this, &MenuPopup::scheduleRebuild);
    }
}

MenuItem *MenuPopup::itemFor(QAction *action) const { return action ? m_items.value(action).data() : nullptr; }

void MenuPopup::syncHighlight()
{
    m_syncScheduled = false;
    if (!m_model.isOpen() || !m_menu->isVisible())
        return;
    MenuItem *item = itemFor(m_menu->activeAction());
    if (item != m_model.highlightedItem())
        m_model.highlightItem(item);
}

void MenuPopup::scheduleSyncHighlight()
{
    if (m_syncScheduled)
        return;
    m_syncScheduled = true;
    QMetaObject::invokeMethod(this, &MenuPopup::syncHighlight, Qt::QueuedConnection);
}

bool MenuPopup::eventFilter(QObject *watched, QEvent *event)
{
    // The QMenu changes its active row while handling these; look once it has.
    if (watched == m_menu.get()
        && (event->type() == QEvent::MouseMove || event->type() == QEvent::Leave || event->type() == QEvent::KeyPress))
        scheduleSyncHighlight();
    return QObject::eventFilter(watched, event);
}

} // namespace platform::ui
