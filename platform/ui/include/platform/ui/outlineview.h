#pragma once

#include "platform/ui/tableview.h"

namespace platform::ui {

class OutlineView;

/// Where an outline's items come from. Items are values the data source chooses (texts, numbers,
/// identifiers); an invalid value stands for the root.
class OutlineViewDataSource {
public:
    virtual ~OutlineViewDataSource();
    virtual int numberOfChildren(OutlineView &outline, const QVariant &item) = 0;
    virtual QVariant child(OutlineView &outline, int index, const QVariant &item) = 0;
    virtual bool isItemExpandable(OutlineView &outline, const QVariant &item) = 0;
    /// The value a column's data cell shows for an item; none by default.
    virtual QVariant objectValue(OutlineView &outline, const TableColumn &column, const QVariant &item);
};

/// A table whose rows are the visible items of a tree: the children of expanded items follow their
/// parent, indented by `indentationPerLevel` in the first column, where a triangle shows whether an
/// expandable item is open; a click on the triangle expands or collapses it.
class OutlineView : public TableView {
    Q_OBJECT
public:
    explicit OutlineView(const Rect &frame = Rect(), QWidget *parent = nullptr);

    void setOutlineDataSource(std::weak_ptr<OutlineViewDataSource> dataSource);

    void expandItem(const QVariant &item);
    void collapseItem(const QVariant &item);
    bool isItemExpanded(const QVariant &item) const;
    QVariant itemAtRow(int row) const;
    /// The row showing `item`, or -1.
    int rowForItem(const QVariant &item) const;
    /// 0 for the root's children.
    int levelForRow(int row) const;
    /// Default 16.
    double indentationPerLevel() const { return m_indentation; }
    void setIndentationPerLevel(double indentation);

    /// The first column's cells start after the indentation and the triangle.
    Rect frameOfCell(int column, int row) const override;
    void drawRect(GraphicsContext &context, const Rect &dirtyRect) override;

protected:
    int rowCountFromSource() override;
    QVariant objectValueFromSource(const TableColumn &column, int row) override;
    bool handlePressInRow(int row, Point location) override;

private:
    Rect disclosureRect(int row) const;
    void appendChildren(OutlineViewDataSource &source, const QVariant &item, int level, int depthLeft);

    std::weak_ptr<OutlineViewDataSource> m_outlineSource;
    QVariantList m_expanded;
    std::vector<std::pair<QVariant, int>> m_rows; // item, level
    std::vector<bool> m_expandable;
    double m_indentation = 16;
};

} // namespace platform::ui
