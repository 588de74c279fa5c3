#include "pirrow/otherappsviewcontroller.h"

#include "otherappsgrid_p.h"
#include "pirrow/marketing.h"
#include "pirrow/otherappcell.h"
#include "pirrow/resources.h"
#include "pirrow/storyboards.h"

#include <olvane/storyboardextensions.h>
#include <platform/core/mainqueue.h>
#include <platform/desktop/workspace.h>
#include <platform/ui/imageview.h>
#include <platform/ui/layer.h>
#include <platform/ui/textfield.h>
#include <tavrin/webrequest.h>

#include <QImage>
#include <QLocale>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace pirrow {

using platform::ui::Rect;
using platform::ui::View;

void OtherAppsScrollArea::scrollBy(double delta)
{
    const QList<View *> content = subviews();
    const double contentHeight = content.isEmpty() ? 0 : content.first()->frame().height();
    const double limit = std::max(0.0, contentHeight - bounds().height());
    setBoundsOrigin({ 0, std::clamp(bounds().y() + delta, 0.0, limit) });
    setNeedsDisplay();
}

void OtherAppsScrollArea::wheelEvent(QWheelEvent *event)
{
    const QPoint pixels = event->pixelDelta();
    const double delta = !pixels.isNull() ? -pixels.y() : -event->angleDelta().y() / 8.0 * 2;
    scrollBy(delta);
    event->accept();
}

OtherAppsViewController::OtherAppsViewController() = default;

OtherAppsViewController::~OtherAppsViewController() { *m_alive = false; }

void OtherAppsViewController::loadView()
{
    const double width = kSectionInsets.left + 2 * kItemSize.width + kInteritemSpacing + kSectionInsets.right;
    const double height = kSectionInsets.top + kItemSize.height + kSectionInsets.bottom;
    auto *root = new View(Rect(0, 0, width, height));
    m_scrollView = new OtherAppsScrollArea(Rect(0, 0, width, height));
    m_collectionView = new OtherAppsGridView(Rect(0, 0, width, height));
    m_scrollView->addSubview(m_collectionView);
    auto *info = new platform::ui::TextField(Rect(24, height / 2 - 20, width - 48, 40));
    info->setStringValue(localized(QStringLiteral("NO_OTHER_APPS")));
    info->setAlignment(platform::ui::TextAlignment::center);
    info->setLineBreakMode(platform::ui::LineBreakMode::wordWrapping);
    info->setTextColor(platform::ui::Color::secondaryLabel());
    info->setHidden(true);
    m_infoView = info;
    root->addSubview(m_scrollView);
    root->addSubview(m_infoView);
    setView(root);
}

void OtherAppsViewController::viewDidLoad()
{
    ViewController::viewDidLoad();
    registerStoryboards();
}

int OtherAppsViewController::numberOfItemsInSection(int section) const { return section == 0 ? int(m_apps.size()) : 0; }

bool OtherAppsViewController::prefersGerman(const QString &languageCode)
{
    return languageCode.toLower().contains(QLatin1String("de"));
}

std::unique_ptr<OtherAppCell> OtherAppsViewController::makeItem(int index)
{
    auto cell
        = olvane::StoryboardExtensions::instantiateInitial<OtherAppCell>(QString::fromLatin1(kOtherAppCellStoryboard));
    if (!cell) {
        std::fprintf(stderr, "Could not create cell.\n");
        std::abort();
    }
    const OtherApp &app = m_apps.at(index);
    cell->view();
    cell->appTitle()->setStringValue(app.name);
    const QString language = QLocale().name().section(QLatin1Char('_'), 0, 0);
    cell->appSubtitle()->setStringValue(!language.isEmpty() && prefersGerman(language) ? app.german : app.english);

    const QUrl icon(app.iconUrl, QUrl::StrictMode);
    if (app.iconUrl.isEmpty() || !icon.isValid()) {
        cell->iconView()->setImage(std::nullopt);
        return cell;
    }
    // Every tile downloads its icon anew; the answer goes to the tile's icon view while it exists.
    const QPointer<platform::ui::ImageView> iconView = cell->iconView();
    tavrin::WebRequest::fetchUnencoded(app.iconUrl).then([iconView](const tavrin::WebResponse &response) {
        if (response.data.isEmpty() || !iconView)
            return;
        const QImage bitmap = QImage::fromData(response.data);
        iconView->setImage(bitmap.isNull() ? std::nullopt : std::optional(platform::ui::Image::fromQImage(bitmap)));
    });
    return cell;
}

Rect OtherAppsViewController::itemFrame(int index, double width)
{
    const double usable = width - kSectionInsets.left - kSectionInsets.right;
    const int columns
        = std::max(1, int(std::floor((usable + kInteritemSpacing) / (kItemSize.width + kInteritemSpacing))));
    const int row = index / columns;
    const int column = index % columns;
    return { kSectionInsets.left + column * (kItemSize.width + kInteritemSpacing),
        kSectionInsets.top + row * (kItemSize.height + kLineSpacing), kItemSize.width, kItemSize.height };
}

void OtherAppsViewController::reloadData()
{
    view();
    m_items.clear();
    for (int i = 0; i < numberOfItemsInSection(0); ++i)
        m_items.push_back(makeItem(i));
    layoutItems();
}

void OtherAppsViewController::layoutItems()
{
    if (!m_collectionView || !m_scrollView)
        return;
    const double width = m_scrollView->bounds().width();
    double bottom = 0;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        View *tile = m_items[i]->view();
        const Rect frame = itemFrame(int(i), width);
        tile->setFrame(frame);
        if (tile->superview() != m_collectionView)
            m_collectionView->addSubview(tile);
        bottom = std::max(bottom, frame.maxY());
    }
    const double height = std::max(m_scrollView->bounds().height(), bottom + kSectionInsets.bottom);
    m_collectionView->setFrame(Rect(0, 0, width, height));
}

void OtherAppsViewController::selectItem(int index)
{
    m_selected = index;
    if (index >= 0 && index < m_apps.size()) {
        const QString text = m_apps.at(index).storeUrl;
        const QUrl url(text, QUrl::StrictMode);
        if (!text.isEmpty() && url.isValid())
            platform::Workspace::current().openUrl(url);
    }
    m_selected.reset();
}

void OtherAppsViewController::showList()
{
    view();
    const bool empty = m_apps.isEmpty();
    if (m_scrollView)
        m_scrollView->setHidden(empty);
    if (m_infoView)
        m_infoView->setHidden(!empty);
    reloadData();
}

QFuture<void> OtherAppsViewController::refresh()
{
    const std::weak_ptr<bool> alive = m_alive;
    return Marketing::fetchOtherApps(m_filter).then([this, alive](const QList<OtherApp> &apps) {
        if (alive.expired())
            return;
        m_apps = apps;
        platform::MainQueue::async([this, alive] {
            if (!alive.expired())
                showList();
        });
    });
}

void OtherAppsViewController::clearBackgrounds()
{
    for (View *area : { m_scrollView.data(), m_collectionView.data() }) {
        if (!area)
            continue;
        area->setWantsLayer(true);
        area->layer()->setBackgroundColor(platform::ui::Color::clear());
    }
}

void OtherAppsViewController::viewWillAppear()
{
    view();
    clearBackgrounds();
}

void OtherAppsViewController::viewDidAppear() { refresh(); }

} // namespace pirrow
