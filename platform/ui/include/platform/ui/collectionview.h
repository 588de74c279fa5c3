#pragma once

#include "platform/ui/color.h"
#include "platform/ui/view.h"

#include <QList>
#include <QPointer>

#include <memory>
#include <set>

namespace platform::ui {

class CollectionView;

/// Where a collection's items come from: one section of items, each shown by a view.
class CollectionViewDataSource {
public:
    virtual ~CollectionViewDataSource();
    virtual int numberOfItems(CollectionView &collection) = 0;
    /// The view showing an item; the collection owns it until the next reload.
    virtual View *itemView(CollectionView &collection, int index) = 0;
};

/// A grid of item views over a data source, laid out in rows from the top left (flipped) at
/// `itemSize` with spacing between items and lines and an inset around the whole. Behind the items
/// it paints the first of its `backgroundColors` (none: nothing), or shows a background view filling
/// its bounds. Inside a scroll view it takes the content view's width and the height its rows need.
/// A click selects the item under it when the collection `isSelectable`. Main thread only.
class CollectionView : public View {
    Q_OBJECT
public:
    explicit CollectionView(const Rect &frame = Rect(), QWidget *parent = nullptr);

    void setDataSource(std::weak_ptr<CollectionViewDataSource> dataSource);
    void reloadData();
    int numberOfItems() const { return int(m_items.size()); }
    View *itemAtIndex(int index) const;
    /// Where an item lies (empty for an index outside the collection).
    Rect frameForItem(int index) const;
    /// The item at `p`, or -1.
    int indexOfItemAtPoint(Point p) const;

    /// Default 100 by 100.
    Size itemSize() const { return m_itemSize; }
    void setItemSize(Size size);
    /// Between items of a line and between lines; default 10 each.
    double interitemSpacing() const { return m_interitemSpacing; }
    void setInteritemSpacing(double spacing);
    double lineSpacing() const { return m_lineSpacing; }
    void setLineSpacing(double spacing);
    /// Around all items; default 10 on every side.
    EdgeInsets sectionInset() const { return m_inset; }
    void setSectionInset(const EdgeInsets &inset);

    /// Default: [the control background colour]. The first colour fills the bounds; empty or clear
    /// paints nothing.
    const QList<Color> &backgroundColors() const { return m_backgroundColors; }
    void setBackgroundColors(const QList<Color> &colors);
    /// A view behind the items, filling the bounds (the collection owns it), or none.
    virtual View *backgroundView() const;
    virtual void setBackgroundView(View *view);

    bool isSelectable() const { return m_selectable; }
    void setSelectable(bool on) { m_selectable = on; }
    const std::set<int> &selectionIndexes() const { return m_selection; }
    void setSelectionIndexes(const std::set<int> &indexes);

    bool isFlipped() const override { return true; }
    void layout() override;
    void drawRect(GraphicsContext &context, const Rect &dirtyRect) override;
    void mouseDown(const MouseEvent &event) override;

signals:
    void selectionChanged();

private:
    int columns() const;
    void sizeToFit();
    void layoutItems();

    std::weak_ptr<CollectionViewDataSource> m_dataSource;
    QList<QPointer<View>> m_items;
    QPointer<View> m_backgroundView;
    Size m_itemSize { 100, 100 };
    double m_interitemSpacing = 10;
    double m_lineSpacing = 10;
    EdgeInsets m_inset { 10, 10, 10, 10 };
    QList<Color> m_backgroundColors;
    bool m_selectable = false;
    std::set<int> m_selection;
};

} // namespace platform::ui
