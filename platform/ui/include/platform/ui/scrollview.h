#pragma once

#include "platform/ui/color.h"
#include "platform/ui/view.h"

#include <QPointer>

namespace platform::ui {

/// The visible part of a scroll view's document: its bounds origin is the scroll position in the
/// document view's coordinates, and it follows the document's flipping. It paints its background
/// colour behind the document unless `drawsBackground` is off.
class ClipView : public View {
    Q_OBJECT
public:
    explicit ClipView(const Rect &frame = Rect(), QWidget *parent = nullptr);

    View *documentView() const { return m_documentView; }
    /// Puts `view` in as the only document (the clip view owns it), at the scroll position zero.
    void setDocumentView(View *view);
    bool drawsBackground() const { return m_drawsBackground; }
    void setDrawsBackground(bool on);
    /// Default: the control background colour.
    Color backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const Color &color);

    /// The document's frame (empty without a document).
    Rect documentRect() const;
    /// `origin` kept inside the range the document allows (the document's frame less the clip's size).
    Point constrainScrollPoint(Point origin) const;
    /// Moves the visible part to `origin` (constrained).
    void scrollToPoint(Point origin);

    bool isFlipped() const override;
    /// The document shows only inside the clip view.
    bool clipsSubviews() const override { return true; }
    void drawRect(GraphicsContext &context, const Rect &dirtyRect) override;
    /// Lays the document out again after the clip's own size changed.
    void layout() override;

private:
    QPointer<View> m_documentView;
    bool m_drawsBackground = true;
    Color m_backgroundColor;
};

/// A view that shows a part of a larger document view through its content view (a `ClipView`) and
/// scrolls it with the scroll wheel or trackpad, with an optional header view (a table's column
/// header) above the content in its own clip view. A scroll that cannot move the document further
/// passes on to the views above. It paints its own background colour over its whole bounds unless
/// `drawsBackground` is off; the content view has its own setting.
class ScrollView : public View {
    Q_OBJECT
public:
    explicit ScrollView(const Rect &frame = Rect(), QWidget *parent = nullptr);

    ClipView *contentView() const { return m_contentView; }
    View *documentView() const { return m_contentView->documentView(); }
    void setDocumentView(View *view) { m_contentView->setDocumentView(view); }
    /// The clip view of the header, while a header view is set.
    ClipView *headerClipView() const { return m_headerClipView; }
    View *headerView() const;
    /// Shows `view` above the content (none removes the header); the scroll view owns it.
    void setHeaderView(View *view);

    bool drawsBackground() const { return m_drawsBackground; }
    void setDrawsBackground(bool on);
    /// Default: the control background colour.
    Color backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const Color &color);

    /// The scroll position (the content view's bounds origin).
    Point scrollPosition() const { return m_contentView->bounds().origin; }

    bool isFlipped() const override { return true; }
    void layout() override;
    void drawRect(GraphicsContext &context, const Rect &dirtyRect) override;
    /// Moves the document by the event's deltas; passes the event on when it cannot move.
    void scrollWheel(const ScrollWheelEvent &event) override;

private:
    void tile();

    ClipView *m_contentView;
    QPointer<ClipView> m_headerClipView;
    bool m_drawsBackground = true;
    Color m_backgroundColor;
};

} // namespace platform::ui
