#include "platform/ui/outlineview.h"

#include "platform/ui/graphicscontext.h"

namespace platform::ui {

namespace {
    constexpr double kDisclosureWidth = 16;
    // A data source that answers with the same item below itself must not make the table endless.
    constexpr int kMaxDepth = 64;
} // namespace

OutlineViewDataSource::~OutlineViewDataSource() = default;

QVariant OutlineViewDataSource::objectValue(OutlineView &, const TableColumn &, const QVariant &) { return {}; }

OutlineView::OutlineView(const Rect &frame, QWidget *parent)
    : TableView(frame, parent)
{
}

void OutlineView::setOutlineDataSource(std::weak_ptr<OutlineViewDataSource> dataSource)
{
    m_outlineSource = std::move(dataSource);
    reloadData();
}

void OutlineView::expandItem(const QVariant &item)
{
    if (isItemExpanded(item))
        return;
    m_expanded.append(item);
    reloadData();
}

void OutlineView::collapseItem(const QVariant &item)
{
    if (!m_expanded.removeAll(item))
        return;
    reloadData();
}

bool OutlineView::isItemExpanded(const QVariant &item) const { return m_expanded.contains(item); }

QVariant OutlineView::itemAtRow(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].first : QVariant();
}

int OutlineView::rowForItem(const QVariant &item) const
{
    for (int r = 0; r < int(m_rows.size()); ++r)
        if (m_rows[size_t(r)].first == item)
            return r;
    return -1;
}

int OutlineView::levelForRow(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].second : -1;
}

void OutlineView::setIndentationPerLevel(double indentation)
{
    m_indentation = std::max(0.0, indentation);
    reloadData();
}

void OutlineView::appendChildren(OutlineViewDataSource &source, const QVariant &item, int level, int depthLeft)
{
    if (depthLeft <= 0)
        return;
    const int count = source.numberOfChildren(*this, item);
    for (int i = 0; i < count; ++i) {
        const QVariant child = source.child(*this, i, item);
        const bool expandable = source.isItemExpandable(*this, child);
        m_rows.emplace_back(child, level);
        m_expandable.push_back(expandable);
        if (expandable && isItemExpanded(child))
            appendChildren(source, child, level + 1, depthLeft - 1);
    }
}

int OutlineView::rowCountFromSource()
{
    m_rows.clear();
    m_expandable.clear();
    if (const auto source = m_outlineSource.lock())
        appendChildren(*source, QVariant(), 0, kMaxDepth);
    return int(m_rows.size());
}

QVariant OutlineView::objectValueFromSource(const TableColumn &column, int row)
{
    const auto source = m_outlineSource.lock();
    if (!source || row < 0 || row >= int(m_rows.size()))
        return {};
    return source->objectValue(*this, column, m_rows[size_t(row)].first);
}

Rect OutlineView::disclosureRect(int row) const
{
    const Rect r = rectOfRow(row);
    return Rect(levelForRow(row) * m_indentation, r.y(), kDisclosureWidth, r.height());
}

Rect OutlineView::frameOfCell(int column, int row) const
{
    const Rect cell = TableView::frameOfCell(column, row);
    if (column != 0 || cell.isEmpty())
        return cell;
    const double indent = levelForRow(row) * m_indentation + kDisclosureWidth;
    return Rect(cell.x() + indent, cell.y(), std::max(0.0, cell.width() - indent), cell.height());
}

void OutlineView::drawRect(GraphicsContext &context, const Rect &dirtyRect)
{
    TableView::drawRect(context, dirtyRect);
    const Color colour = Color::secondaryLabel().resolved(effectiveAppearance());
    for (int r = 0; r < int(m_rows.size()); ++r) {
        if (!m_expandable[size_t(r)])
            continue;
        const Rect d = disclosureRect(r);
        const Point c = d.center();
        Path triangle;
        if (isItemExpanded(m_rows[size_t(r)].first)) { // pointing down (y runs down)
            triangle.moveTo({ c.x - 4, c.y - 2 });
            triangle.lineTo({ c.x + 4, c.y - 2 });
            triangle.lineTo({ c.x, c.y + 3 });
        } else { // pointing right
            triangle.moveTo({ c.x - 2, c.y - 4 });
            triangle.lineTo({ c.x + 3, c.y });
            triangle.lineTo({ c.x - 2, c.y + 4 });
        }
        triangle.closeSubpath();
        context.fillPath(triangle, colour);
    }
}

bool OutlineView::handlePressInRow(int row, Point location)
{
    if (!m_expandable[size_t(row)] || !disclosureRect(row).contains(location))
        return false;
    const QVariant item = m_rows[size_t(row)].first;
    if (isItemExpanded(item))
        collapseItem(item);
    else
        expandItem(item);
    return true;
}

} // namespace platform::ui
