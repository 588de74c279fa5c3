#include "quenby/modetileview.h"

#include "quenby/modepreview.h"

#include <platform/ui/font.h>
#include <platform/ui/image.h>
#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>

namespace quenby {

namespace {
    constexpr double kCaptionHeight = 18;
    constexpr double kInset = 8;
} // namespace

ModeTileView::ModeTileView(const platform::ui::Rect &frame, QWidget *parent)
    : pirrow::SimpleTileView(frame, parent)
    , m_picture(new platform::ui::ImageView)
    , m_caption(platform::ui::TextField::labelWithString(QString()))
{
    m_caption->setFont(platform::ui::Font::systemFont(12));
    m_caption->setAlignment(platform::ui::TextAlignment::center);
    addSubview(m_picture);
    addSubview(m_caption);
}

void ModeTileView::showMode(int mode)
{
    m_picture->setImage(platform::ui::Image::fromQImage(ModePreview::picture(mode)));
    m_caption->setStringValue(ModePreview::caption(mode));
}

void ModeTileView::layout()
{
    pirrow::SimpleTileView::layout();
    const platform::ui::Rect b = bounds();
    // Origin bottom left: the caption at the foot, the picture fills what is above it.
    m_caption->setFrame(platform::ui::Rect(kInset, kInset, b.width() - 2 * kInset, kCaptionHeight));
    const double top = kInset + kCaptionHeight + 4;
    m_picture->setFrame(
        platform::ui::Rect(kInset, top, b.width() - 2 * kInset, std::max(0.0, b.height() - top - kInset)));
}

} // namespace quenby
