#include "platform/ui/tableview.h"

#include "platform/ui/graphicscontext.h"
#include "platform/ui/scrollview.h"
#include "platform/ui/text.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace platform::ui {

namespace {
    constexpr double kHeaderHeight = 24;

    std::shared_ptr<TextFieldCell> plainCell()
    {
        auto cell = std::make_shared<TextFieldCell>();
        cell->setBezeled(false);
        cell->setLineBreakMode(LineBreakMode::truncatingTail);
        return cell;
    }
} // namespace

TableColumn::TableColumn(const QString &identifier)
    : m_identifier(identifier)
    , m_dataCell(plainCell())
{
}

TableViewDataSource::~TableViewDataSource() = default;

QVariant TableViewDataSource::objectValue(TableView &, const TableColumn &, int) { return {}; }

TableViewDelegate::~TableViewDelegate() = default;

View *TableViewDelegate::viewFor(TableView &, const TableColumn &, int) { return nullptr; }

double TableViewDelegate::heightOfRow(TableView &table, int) { return table.rowHeight(); }

bool TableViewDelegate::shouldSelectRow(TableView &, int) { return true; }

void TableViewDelegate::selectionDidChange(TableView &) { }

// ---- TableHeaderView

TableHeaderView::TableHeaderView(TableView *table)
    : View(Rect(0, 0, table ? table->frame().width() : 0, kHeaderHeight))
    , m_table(table)
{
}

void TableHeaderView::drawRect(GraphicsContext &context, const Rect &)
{
    if (!m_table)
        return;
    const Rect b = bounds();
    TextAttributes a;
    a.font = Font::systemFont(Font::smallSystemFontSize(), FontWeight::medium);
    a.foregroundColor = Color::secondaryLabel().resolved(effectiveAppearance());
    a.paragraphStyle = ParagraphStyle { TextAlignment::left, LineBreakMode::truncatingTail };
    const double lineHeight = Text::size(QStringLiteral("X"), a).height;
    StrokeStyle line;
    line.color = Color::separator();
    line.lineWidth = 1;
    const auto &columns = m_table->tableColumns();
    for (int i = 0; i < int(columns.size()); ++i) {
        const Rect col = m_table->rectOfColumn(i);
        const Rect title(col.x() + 6, b.y() + (b.height() - lineHeight) / 2, std::max(0.0, col.width() - 12), lineHeight);
        Text::draw(context, columns[size_t(i)]->title(), title, a);
        if (i + 1 < int(columns.size())) {
            Path divider;
            divider.moveTo({ col.maxX() - 0.5, b.y() + 4 });
            divider.lineTo({ col.maxX() - 0.5, b.maxY() - 4 });
            context.strokePath(divider, line);
        }
    }
    Path bottom;
    bottom.moveTo({ b.x(), b.maxY() - 0.5 });
    bottom.lineTo({ b.maxX(), b.maxY() - 0.5 });
    context.strokePath(bottom, line);
}

// ---- TableView

TableView::TableView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_backgroundColor(Color::controlBackground())
    , m_headerView(new TableHeaderView(this))
{
}

TableView::~TableView()
{
    // A header that no scroll view took is the table's own.
    if (m_headerView && !m_headerView->superview())
        delete m_headerView.data();
}

void TableView::setDataSource(std::weak_ptr<TableViewDataSource> dataSource)
{
    m_dataSource = std::move(dataSource);
    reloadData();
}

void TableView::setDelegate(std::weak_ptr<TableViewDelegate> delegate)
{
    m_delegate = std::move(delegate);
    reloadData();
}

void TableView::addTableColumn(std::shared_ptr<TableColumn> column)
{
    if (!column || std::find(m_columns.begin(), m_columns.end(), column) != m_columns.end())
        return;
    m_columns.push_back(std::move(column));
    reloadData();
}

void TableView::removeTableColumn(const std::shared_ptr<TableColumn> &column)
{
    const auto it = std::find(m_columns.begin(), m_columns.end(), column);
    if (it == m_columns.end())
        return;
    m_columns.erase(it);
    reloadData();
}

int TableView::columnWithIdentifier(const QString &identifier) const
{
    for (int i = 0; i < int(m_columns.size()); ++i)
        if (m_columns[size_t(i)]->identifier() == identifier)
            return i;
    return -1;
}

int TableView::rowCountFromSource()
{
    const auto source = m_dataSource.lock();
    return source ? std::max(0, source->numberOfRows(*this)) : 0;
}

QVariant TableView::objectValueFromSource(const TableColumn &column, int row)
{
    const auto source = m_dataSource.lock();
    return source ? source->objectValue(*this, column, row) : QVariant();
}

View *TableView::viewFromDelegate(const TableColumn &column, int row)
{
    const auto delegate = m_delegate.lock();
    return delegate ? delegate->viewFor(*this, column, row) : nullptr;
}

void TableView::reloadData()
{
    for (auto &[key, view] : m_cellViews) {
        if (view) {
            view->removeFromSuperview();
            view->deleteLater();
        }
    }
    m_cellViews.clear();

    const int rows = rowCountFromSource();
    const auto delegate = m_delegate.lock();
    m_rowTops.assign(size_t(rows), 0);
    m_rowHeights.assign(size_t(rows), m_rowHeight);
    double top = 0;
    for (int r = 0; r < rows; ++r) {
        const double h = delegate ? delegate->heightOfRow(*this, r) : m_rowHeight;
        m_rowHeights[size_t(r)] = std::isfinite(h) && h > 0 ? h : m_rowHeight;
        m_rowTops[size_t(r)] = top;
        top += m_rowHeights[size_t(r)];
    }
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < int(m_columns.size()); ++c) {
            if (View *v = viewFromDelegate(*m_columns[size_t(c)], r)) {
                addSubview(v);
                m_cellViews[{ c, r }] = v;
            }
        }
    }
    std::erase_if(m_selection, [rows](int r) { return r >= rows; });
    if (m_lastSelected >= rows)
        m_lastSelected = m_selection.empty() ? -1 : *m_selection.rbegin();
    sizeToFit();
    layoutCellViews();
    if (m_headerView)
        m_headerView->setNeedsDisplay();
    setNeedsDisplay();
}

void TableView::setRowHeight(double height)
{
    m_rowHeight = height > 0 ? height : m_rowHeight;
    reloadData();
}

Rect TableView::rectOfRow(int row) const
{
    if (row < 0 || row >= numberOfRows())
        return {};
    return Rect(0, m_rowTops[size_t(row)], bounds().width(), m_rowHeights[size_t(row)]);
}

Rect TableView::rectOfColumn(int column) const
{
    if (column < 0 || column >= int(m_columns.size()))
        return {};
    double x = 0;
    for (int i = 0; i < column; ++i)
        x += m_columns[size_t(i)]->width();
    // The last column takes what is left of the table's width.
    double w = m_columns[size_t(column)]->width();
    if (column + 1 == int(m_columns.size()))
        w = std::max(w, bounds().width() - x);
    return Rect(x, 0, w, bounds().height());
}

Rect TableView::frameOfCell(int column, int row) const
{
    const Rect c = rectOfColumn(column);
    const Rect r = rectOfRow(row);
    if (c.isEmpty() || r.isEmpty())
        return {};
    return Rect(c.x(), r.y(), c.width(), r.height());
}

int TableView::rowAtPoint(Point p) const
{
    if (p.x < 0 || p.x >= bounds().width())
        return -1;
    for (int r = 0; r < numberOfRows(); ++r)
        if (p.y >= m_rowTops[size_t(r)] && p.y < m_rowTops[size_t(r)] + m_rowHeights[size_t(r)])
            return r;
    return -1;
}

int TableView::columnAtPoint(Point p) const
{
    for (int c = 0; c < int(m_columns.size()); ++c) {
        const Rect r = rectOfColumn(c);
        if (p.x >= r.x() && p.x < r.maxX())
            return c;
    }
    return -1;
}

View *TableView::viewAtColumnRow(int column, int row) const
{
    const auto it = m_cellViews.find({ column, row });
    return it == m_cellViews.end() ? nullptr : it->second.data();
}

int TableView::selectedRow() const { return m_lastSelected; }

void TableView::selectRowIndexes(const std::set<int> &rows, bool extend)
{
    std::set<int> next = extend ? m_selection : std::set<int>();
    int last = extend ? m_lastSelected : -1;
    for (int r : rows) {
        if (r >= 0 && r < numberOfRows()) {
            next.insert(r);
            last = r;
        }
    }
    if (next == m_selection)
        return;
    m_selection = std::move(next);
    m_lastSelected = m_selection.empty() ? -1 : last;
    setNeedsDisplay();
    if (const auto delegate = m_delegate.lock())
        delegate->selectionDidChange(*this);
}

void TableView::deselectAll() { selectRowIndexes({}, false); }

void TableView::setBackgroundColor(const Color &color)
{
    m_backgroundColor = color;
    setNeedsDisplay();
}

void TableView::setUsesAlternatingRowBackgroundColors(bool on)
{
    m_alternating = on;
    setNeedsDisplay();
}

void TableView::setHeaderView(TableHeaderView *header)
{
    if (header == m_headerView)
        return;
    TableHeaderView *old = m_headerView;
    m_headerView = header;
    if (ScrollView *scroll = enclosingScrollView())
        scroll->setHeaderView(header);
    if (old && !old->superview())
        old->deleteLater();
}

void TableView::sizeToFit()
{
    const double columns = std::accumulate(m_columns.begin(), m_columns.end(), 0.0,
        [](double sum, const std::shared_ptr<TableColumn> &c) { return sum + c->width(); });
    const double rows = m_rowTops.empty() ? 0 : m_rowTops.back() + m_rowHeights.back();
    double width = columns;
    double height = rows;
    if (auto *clip = qobject_cast<ClipView *>(superview())) {
        // In a scroll view: at least as wide and as tall as the visible part, so the background fills it.
        width = std::max(width, clip->bounds().width());
        height = std::max(height, clip->bounds().height());
    } else {
        width = std::max(width, frame().width());
        height = std::max(height, frame().height());
    }
    setFrameSize({ width, height });
    if (m_headerView)
        m_headerView->setFrameSize({ width, m_headerView->frame().height() });
}

void TableView::layoutCellViews()
{
    for (const auto &[key, view] : m_cellViews)
        if (view)
            view->setFrame(frameOfCell(key.first, key.second));
}

void TableView::layout()
{
    View::layout();
    sizeToFit();
    layoutCellViews();
}

void TableView::drawRect(GraphicsContext &context, const Rect &)
{
    const Rect b = bounds();
    const Appearance appearance = effectiveAppearance();
    if (m_backgroundColor.resolved(appearance).alphaComponent() > 0)
        context.fillRect(b, m_backgroundColor);
    if (m_alternating) {
        const Color stripe = Color::dynamic(QStringLiteral("alternatingContentBackground"),
            Color::fromWhite(0, 0.04), Color::fromWhite(1, 0.05));
        for (int r = 1; r < numberOfRows(); r += 2)
            context.fillRect(rectOfRow(r), stripe.resolved(appearance));
    }
    for (int r : m_selection)
        context.fillRoundedRect(rectOfRow(r).insetBy(4, 0), 5, 5, Color::selectedContentBackground());
    for (int r = 0; r < numberOfRows(); ++r) {
        for (int c = 0; c < int(m_columns.size()); ++c) {
            if (m_cellViews.count({ c, r }))
                continue;
            const QVariant value = objectValueFromSource(*m_columns[size_t(c)], r);
            if (!value.isValid())
                continue;
            TextFieldCell &cell = *m_columns[size_t(c)]->dataCell();
            cell.setStringValue(value.toString());
            // One line in the middle of the row; white on the selection's accent colour.
            const Rect f = frameOfCell(c, r).insetBy(4, 0);
            const double h = std::min(f.height(), cell.cellSize().height);
            const Color normal = cell.textColor();
            if (m_selection.count(r))
                cell.setTextColor(Color::white());
            cell.drawWithFrame(context, Rect(f.x(), f.y() + (f.height() - h) / 2, f.width(), h), this);
            cell.setTextColor(normal);
        }
    }
}

bool TableView::handlePressInRow(int, Point) { return false; }

void TableView::mouseDown(const MouseEvent &event)
{
    if (mouseDownCanMoveWindow()) {
        performWindowDrag();
        return;
    }
    const int row = rowAtPoint(event.location);
    if (row < 0) {
        deselectAll();
        return;
    }
    if (handlePressInRow(row, event.location))
        return;
    const auto delegate = m_delegate.lock();
    if (delegate && !delegate->shouldSelectRow(*this, row))
        return;
    selectRowIndexes({ row }, false);
}

void TableView::viewDidMoveToSuperview()
{
    View::viewDidMoveToSuperview();
    if (ScrollView *scroll = enclosingScrollView(); scroll && m_headerView)
        scroll->setHeaderView(m_headerView);
    setNeedsLayout();
}

} // namespace platform::ui
