#pragma once

#include "platform/ui/color.h"
#include "platform/ui/textfieldcell.h"
#include "platform/ui/view.h"

#include <QPointer>
#include <QVariant>

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace platform::ui {

class TableView;

/// One column of a table: an identifier, a header title, a width in points, and the cell that draws
/// the values of rows for which the delegate gives no view.
class TableColumn {
public:
    explicit TableColumn(const QString &identifier);

    QString identifier() const { return m_identifier; }
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    /// Default 100.
    double width() const { return m_width; }
    void setWidth(double width) { m_width = std::max(0.0, width); }
    /// A text cell without bezel by default; the table sets its value before drawing each row.
    const std::shared_ptr<TextFieldCell> &dataCell() const { return m_dataCell; }
    void setDataCell(std::shared_ptr<TextFieldCell> cell) { m_dataCell = std::move(cell); }

private:
    QString m_identifier;
    QString m_title;
    double m_width = 100;
    std::shared_ptr<TextFieldCell> m_dataCell;
};

/// Where a table's rows come from.
class TableViewDataSource {
public:
    virtual ~TableViewDataSource();
    virtual int numberOfRows(TableView &table) = 0;
    /// The value a column's data cell shows in a row (its text); none by default.
    virtual QVariant objectValue(TableView &table, const TableColumn &column, int row);
};

/// What a table asks of its owner while it lays out rows and selects them. Every operation has a
/// default, so a delegate overrides only what it needs.
class TableViewDelegate {
public:
    virtual ~TableViewDelegate();
    /// A view to show in the cell (the table owns it until the next reload), or none to draw the
    /// column's data cell with the data source's value.
    virtual View *viewFor(TableView &table, const TableColumn &column, int row);
    /// Default: the table's `rowHeight`.
    virtual double heightOfRow(TableView &table, int row);
    virtual bool shouldSelectRow(TableView &table, int row);
    virtual void selectionDidChange(TableView &table);
};

/// The column titles above a table, drawn in a row of the header's height.
class TableHeaderView : public View {
    Q_OBJECT
public:
    explicit TableHeaderView(TableView *table);
    TableView *tableView() const { return m_table; }
    bool isFlipped() const override { return true; }
    void drawRect(GraphicsContext &context, const Rect &dirtyRect) override;

private:
    QPointer<TableView> m_table;
};

/// A list in rows and columns over a data source, with a delegate for cell views, row heights and
/// selection. The table is flipped (row 0 at the top). Inside a scroll view it takes the width of
/// the content view (or more, for wide columns), the height of its rows, and gives the scroll view
/// its header view. It paints `backgroundColor` behind the rows (unless clear), the selected rows'
/// highlight, and the data cells of cells without a view; cell views lie above.
///
/// A click selects the row under it (when the delegate agrees) unless `mouseDownCanMoveWindow`,
/// in which case the press drags the window instead. Main thread only.
class TableView : public View {
    Q_OBJECT
public:
    explicit TableView(const Rect &frame = Rect(), QWidget *parent = nullptr);
    ~TableView() override;

    void setDataSource(std::weak_ptr<TableViewDataSource> dataSource);
    void setDelegate(std::weak_ptr<TableViewDelegate> delegate);

    // Columns
    void addTableColumn(std::shared_ptr<TableColumn> column);
    void removeTableColumn(const std::shared_ptr<TableColumn> &column);
    const std::vector<std::shared_ptr<TableColumn>> &tableColumns() const { return m_columns; }
    /// The index of the column with `identifier`, or -1.
    int columnWithIdentifier(const QString &identifier) const;

    // Rows
    /// Asks the data source and the delegate again and rebuilds the cell views.
    void reloadData();
    int numberOfRows() const { return int(m_rowTops.size()); }
    /// Default 24.
    double rowHeight() const { return m_rowHeight; }
    void setRowHeight(double height);
    Rect rectOfRow(int row) const;
    Rect rectOfColumn(int column) const;
    /// The part of a row and column a cell takes.
    virtual Rect frameOfCell(int column, int row) const;
    /// The row (column) at `p` in the table's coordinates, or -1.
    int rowAtPoint(Point p) const;
    int columnAtPoint(Point p) const;
    /// The delegate's view in a cell, or none.
    View *viewAtColumnRow(int column, int row) const;

    // Selection
    /// The last selected row, or -1.
    int selectedRow() const;
    const std::set<int> &selectedRowIndexes() const { return m_selection; }
    /// Selects `rows` (rows outside the table are left out), keeping the present selection when
    /// `extend`; tells the delegate when the selection changed.
    void selectRowIndexes(const std::set<int> &rows, bool extend);
    void deselectAll();

    // Looks
    /// Default: the control background colour. Clear paints nothing behind the rows.
    Color backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const Color &color);
    bool usesAlternatingRowBackgroundColors() const { return m_alternating; }
    void setUsesAlternatingRowBackgroundColors(bool on);
    /// The column titles, or none; made with the table.
    TableHeaderView *headerView() const { return m_headerView; }
    /// None removes the header (also from an enclosing scroll view).
    void setHeaderView(TableHeaderView *header);

    bool isFlipped() const override { return true; }
    void layout() override;
    void drawRect(GraphicsContext &context, const Rect &dirtyRect) override;
    void mouseDown(const MouseEvent &event) override;
    void viewDidMoveToSuperview() override;

protected:
    /// Rows and values as the table shows them; an outline view supplies its own.
    virtual int rowCountFromSource();
    virtual QVariant objectValueFromSource(const TableColumn &column, int row);
    virtual View *viewFromDelegate(const TableColumn &column, int row);
    /// Called when a press lands on a row, before selecting it; true takes the press.
    virtual bool handlePressInRow(int row, Point location);

private:
    void layoutCellViews();
    void sizeToFit();

    std::weak_ptr<TableViewDataSource> m_dataSource;
    std::weak_ptr<TableViewDelegate> m_delegate;
    std::vector<std::shared_ptr<TableColumn>> m_columns;
    std::vector<double> m_rowTops;
    std::vector<double> m_rowHeights;
    std::map<std::pair<int, int>, QPointer<View>> m_cellViews; // (column, row)
    std::set<int> m_selection;
    int m_lastSelected = -1;
    double m_rowHeight = 24;
    Color m_backgroundColor;
    bool m_alternating = false;
    QPointer<TableHeaderView> m_headerView;
};

} // namespace platform::ui
