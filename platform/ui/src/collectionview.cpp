#include "platform/ui/collectionview.h"

#include "platform/ui/graphicscontext.h"
#include "platform/ui/scrollview.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform::ui {

CollectionViewDataSource::~CollectionViewDataSource() = default;

CollectionView::CollectionView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_backgroundColors { Color::controlBackground() }
{
}

void CollectionView::setDataSource(std::weak_ptr<CollectionViewDataSource> dataSource)
{
    m_dataSource = std::move(dataSource);
    reloadData();
}

void CollectionView::reloadData()
{
    for (const auto &item : std::as_const(m_items)) {
        if (item) {
            item->removeFromSuperview();
            item->deleteLater();
        }
    }
    m_items.clear();
    if (const auto source = m_dataSource.lock()) {
        const int count = std::max(0, source->numberOfItems(*this));
        for (int i = 0; i < count; ++i) {
            View *v = source->itemView(*this, i);
            if (v)
                addSubview(v);
            m_items.append(v);
        }
    }
    std::erase_if(m_selection, [this](int i) { return i >= m_items.size(); });
    sizeToFit();
    layoutItems();
    setNeedsDisplay();
}

View *CollectionView::itemAtIndex(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index).data() : nullptr;
}

int CollectionView::columns() const
{
    const double usable = bounds().width() - m_inset.left - m_inset.right;
    const double step = m_itemSize.width + m_interitemSpacing;
    if (!(step > 0))
        return 1;
    return std::max(1, int(std::floor((usable + m_interitemSpacing) / step)));
}

Rect CollectionView::frameForItem(int index) const
{
    if (index < 0 || index >= m_items.size())
        return {};
    const int perLine = columns();
    const int line = index / perLine, column = index % perLine;
    return Rect(m_inset.left + column * (m_itemSize.width + m_interitemSpacing),
        m_inset.top + line * (m_itemSize.height + m_lineSpacing), m_itemSize.width, m_itemSize.height);
}

int CollectionView::indexOfItemAtPoint(Point p) const
{
    for (int i = 0; i < m_items.size(); ++i)
        if (frameForItem(i).contains(p))
            return i;
    return -1;
}

void CollectionView::setItemSize(Size size)
{
    m_itemSize = { std::max(0.0, size.width), std::max(0.0, size.height) };
    setNeedsLayout();
}

void CollectionView::setInteritemSpacing(double spacing)
{
    m_interitemSpacing = std::max(0.0, spacing);
    setNeedsLayout();
}

void CollectionView::setLineSpacing(double spacing)
{
    m_lineSpacing = std::max(0.0, spacing);
    setNeedsLayout();
}

void CollectionView::setSectionInset(const EdgeInsets &inset)
{
    m_inset = inset;
    setNeedsLayout();
}

void CollectionView::setBackgroundColors(const QList<Color> &colors)
{
    m_backgroundColors = colors;
    setNeedsDisplay();
}

View *CollectionView::backgroundView() const { return m_backgroundView; }

void CollectionView::setBackgroundView(View *view)
{
    if (view == m_backgroundView)
        return;
    if (m_backgroundView) {
        View *old = m_backgroundView;
        old->removeFromSuperview();
        old->deleteLater();
    }
    m_backgroundView = view;
    if (view) {
        const auto subs = subviews();
        if (subs.isEmpty())
            addSubview(view);
        else
            addSubview(view, Ordering::below, subs.front());
        view->setFrame(bounds());
    }
    setNeedsDisplay();
}

void CollectionView::setSelectionIndexes(const std::set<int> &indexes)
{
    std::set<int> next;
    for (int i : indexes)
        if (i >= 0 && i < m_items.size())
            next.insert(i);
    if (next == m_selection)
        return;
    m_selection = std::move(next);
    setNeedsDisplay();
    emit selectionChanged();
}

void CollectionView::sizeToFit()
{
    auto *clip = qobject_cast<ClipView *>(superview());
    if (!clip)
        return;
    // Columns follow the clip's width; the height is what the lines need, at least the clip's.
    const double width = clip->bounds().width();
    if (width != frame().width())
        setFrameSize({ width, frame().height() });
    const int perLine = columns();
    const int lines = m_items.isEmpty() ? 0 : int((m_items.size() + perLine - 1) / perLine);
    const double needed
        = m_inset.top + m_inset.bottom + lines * m_itemSize.height + std::max(0, lines - 1) * m_lineSpacing;
    setFrameSize({ width, std::max(needed, clip->bounds().height()) });
}

void CollectionView::layoutItems()
{
    for (int i = 0; i < m_items.size(); ++i)
        if (View *v = m_items.at(i))
            v->setFrame(frameForItem(i));
    if (m_backgroundView)
        m_backgroundView->setFrame(bounds());
}

void CollectionView::layout()
{
    View::layout();
    sizeToFit();
    layoutItems();
}

void CollectionView::drawRect(GraphicsContext &context, const Rect &)
{
    if (!m_backgroundColors.isEmpty() && m_backgroundColors.front().resolved(effectiveAppearance()).alphaComponent() > 0)
        context.fillRect(bounds(), m_backgroundColors.front());
    for (int i : m_selection)
        context.fillRoundedRect(frameForItem(i).insetBy(-3, -3), 6, 6, Color::selectedContentBackground());
}

void CollectionView::mouseDown(const MouseEvent &event)
{
    if (!m_selectable) {
        View::mouseDown(event);
        return;
    }
    const int index = indexOfItemAtPoint(event.location);
    setSelectionIndexes(index < 0 ? std::set<int>() : std::set<int> { index });
}

} // namespace platform::ui
