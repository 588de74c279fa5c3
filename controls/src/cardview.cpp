#include "pirrow/cardview.h"

#include "pirrow/colors.h"

namespace pirrow {

using namespace platform::ui;

CardView::CardView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
    update();
}

void CardView::update()
{
    setWantsLayer(true);
    // The library's colours follow the current appearance: make it the card's own while reading.
    ScopedDrawingAppearance appearance(effectiveAppearance());
    layer()->setBackgroundColor(Colors::warmBackground());
    layer()->setCornerRadius(8);
    layer()->setMasksToBounds(false);
}

void CardView::layout()
{
    View::layout();
    update();
}

void CardView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    update();
}

} // namespace pirrow
