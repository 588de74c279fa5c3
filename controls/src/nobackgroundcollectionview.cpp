#include "pirrow/nobackgroundcollectionview.h"

#include "listbackgrounds_p.h"

namespace pirrow {

using namespace platform::ui;

NoBackgroundCollectionView::NoBackgroundCollectionView(const Rect &frame, QWidget *parent)
    : CollectionView(frame, parent)
{
    NoBackgroundCollectionView::removeBackground();
}

void NoBackgroundCollectionView::removeBackground()
{
    detail::clearEnclosingScrollView(*this);
    setBackgroundColors({ Color::clear() });
}

View *NoBackgroundCollectionView::backgroundView() const { return nullptr; }

void NoBackgroundCollectionView::setBackgroundView(View *view)
{
    // Ignored; a view handed over without an owner would otherwise be lost.
    if (view && !view->parent())
        view->deleteLater();
}

} // namespace pirrow
