#include "olvane/menubaritem.h"

#include "olvane/menubaritemdelegate.h"
#include "olvane/viewextensions.h"
#include "releasewhenunused_p.h"

#include <platform/ui/menu.h>
#include <platform/ui/statusbarbutton.h>
#include <platform/ui/statusitem.h>
#include <platform/ui/view.h>

using platform::ui::ImagePosition;
using platform::ui::StatusItem;
using platform::ui::View;

namespace olvane {

MenuBarItem::MenuBarItem(platform::ui::StatusBar &bar)
    : m_item(bar.statusItem(StatusItem::variableLength))
{
    observeVisibility();
}

MenuBarItem::MenuBarItem(const platform::ui::Image &image, platform::ui::StatusBar &bar)
    : m_item(bar.statusItem(StatusItem::variableLength))
{
    setImage(image);
    observeVisibility();
}

MenuBarItem::MenuBarItem(View *view, platform::ui::StatusBar &bar)
    : m_item(bar.statusItem(StatusItem::variableLength))
{
    addView(view);
    observeVisibility();
}

MenuBarItem::MenuBarItem(const QList<View *> &views, platform::ui::StatusBar &bar)
    : m_item(bar.statusItem(StatusItem::variableLength))
{
    for (View *view : views)
        addView(view);
    observeVisibility();
}

MenuBarItem::~MenuBarItem() { QObject::disconnect(m_observer); }

void MenuBarItem::observeVisibility()
{
    m_observer = QObject::connect(m_item.get(), &StatusItem::visibilityChanged, m_item.get(), [this](bool visible) {
        if (auto d = m_delegate.lock())
            d->menuBarItemVisibilityChanged(*this, visible);
    });
}

bool MenuBarItem::isVisible() const { return m_item->isVisible(); }

void MenuBarItem::setVisible(bool visible) { m_item->setVisible(visible); }

double MenuBarItem::length() const { return m_item->length(); }

void MenuBarItem::setLength(double length) { m_item->setLength(length); }

QList<View *> MenuBarItem::views() const { return m_item->button()->subviews(); }

void MenuBarItem::setViews(const std::optional<QList<View *>> &views)
{
    removeViews();
    m_item->button()->setImagePosition(ImagePosition::imageLeft);
    m_item->button()->setImage(std::nullopt);
    removeViews();
    if (views)
        for (View *view : *views)
            addView(view);
}

void MenuBarItem::addView(View *view)
{
    if (view)
        m_item->button()->addSubview(view);
}

void MenuBarItem::addPinnedView(View *view)
{
    if (!view)
        return;
    m_item->button()->addSubview(view);
    ViewExtensions::pinToSuperview(*view);
}

void MenuBarItem::removeViews()
{
    const QList<View *> subviews = m_item->button()->subviews();
    for (View *view : subviews) {
        view->removeFromSuperview();
        releaseWhenUnused(view);
    }
}

std::optional<platform::ui::Image> MenuBarItem::image() const { return m_item->button()->image(); }

void MenuBarItem::setImage(const std::optional<platform::ui::Image> &image)
{
    removeViews();
    m_item->button()->setImagePosition(ImagePosition::imageLeft);
    m_item->button()->setImage(image);
}

void MenuBarItem::setImageKeepingViews(const std::optional<platform::ui::Image> &image)
{
    m_item->button()->setImage(image);
}

std::optional<QString> MenuBarItem::title() const { return m_item->button()->title(); }

void MenuBarItem::setTitle(const std::optional<QString> &title)
{
    m_item->button()->setTitle(title.value_or(QString()));
}

std::optional<platform::ui::Font> MenuBarItem::font() const { return m_item->button()->font(); }

void MenuBarItem::setFont(const std::optional<platform::ui::Font> &font) { m_item->button()->setFont(font); }

QObject *MenuBarItem::target() const { return m_item->button()->target(); }

void MenuBarItem::setTarget(QObject *target) { m_item->button()->setTarget(target); }

const platform::ui::Action &MenuBarItem::action() const { return m_item->button()->action(); }

void MenuBarItem::setAction(platform::ui::Action action) { m_item->button()->setAction(std::move(action)); }

void MenuBarItem::setTarget(QObject *target, platform::ui::Action action, int tag)
{
    m_item->button()->setTarget(target);
    m_item->button()->setAction(std::move(action));
    m_item->button()->setTag(tag);
}

void MenuBarItem::clearTarget()
{
    m_item->button()->setTarget(nullptr);
    m_item->button()->setAction({});
    m_item->button()->setTag(0);
}

std::shared_ptr<platform::ui::Menu> MenuBarItem::menu() const { return m_item->menu(); }

void MenuBarItem::setMenu(std::shared_ptr<platform::ui::Menu> menu) { m_item->setMenu(std::move(menu)); }

bool MenuBarItem::isDark() const
{
    return m_item->button()->effectiveAppearance().name().toLower().contains(QLatin1String("dark"));
}

void MenuBarItem::setSize(double width, double height)
{
    platform::ui::StatusBarButton *button = m_item->button();
    if (m_widthConstraint) {
        m_widthConstraint->setConstant(width);
    } else {
        m_widthConstraint = button->widthAnchor().constraintEqualToConstant(width);
        m_widthConstraint->setActive(true);
    }
    if (m_heightConstraint) {
        m_heightConstraint->setConstant(height);
    } else {
        m_heightConstraint = button->heightAnchor().constraintEqualToConstant(height);
        m_heightConstraint->setActive(true);
    }
}

void MenuBarItem::reset()
{
    platform::ui::StatusBarButton *button = m_item->button();
    button->setImage(std::nullopt);
    const auto constraints = button->constraints();
    for (const auto &c : constraints)
        c->setActive(false);
    for (const auto &c : constraints)
        button->removeConstraint(c);
    // Constraints no longer installed would take later sizes without effect.
    m_widthConstraint.reset();
    m_heightConstraint.reset();
    removeViews();
}

} // namespace olvane
