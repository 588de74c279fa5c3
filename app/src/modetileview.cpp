#include "quenby/modetileview.h"

#include "quenby/modepreview.h"

#include <platform/ui/font.h>
#include <platform/ui/image.h>
#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>

#include <QPainter>
#include <QPainterPath>

namespace quenby {

namespace {
    constexpr double kCaptionHeight = 18;
    constexpr double kInset = 8;
    constexpr double kTileWidth = ModeTileView::kWidth;

    // The strip with rounded corners and a hairline edge: a light status bar on a light tile has no edge
    // of its own.
    QImage framed(const QImage &picture, double scale)
    {
        QImage out(picture.size(), QImage::Format_ARGB32_Premultiplied);
        out.setDevicePixelRatio(scale);
        out.fill(Qt::transparent);
        const QSizeF size(picture.width() / scale, picture.height() / scale);
        QPainter painter(&out);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath edge;
        edge.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 3, 3);
        painter.setClipPath(edge);
        painter.drawImage(QRectF(QPointF(0, 0), size), picture);
        painter.setClipping(false);
        const bool lightStrip = !picture.isNull() && picture.pixelColor(0, 0).lightness() > 128;
        painter.setPen(QPen(lightStrip ? QColor(0, 0, 0, 70) : QColor(255, 255, 255, 60), 1));
        painter.drawPath(edge);
        return out;
    }
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
    m_mode = mode;
    // Drawn at twice the pixels, then fitted to the tile's width: the picture shrinks as a whole
    // rather than being cut off.
    constexpr double kScale = 2.0, kMaxWidth = kTileWidth - 2 * kInset;
    QImage picture = ModePreview::picture(mode, kScale);
    platform::ui::Size size { picture.width() / kScale, picture.height() / kScale };
    if (size.width > kMaxWidth) {
        size = { kMaxWidth, size.height * kMaxWidth / size.width };
        picture = picture.scaled(int(size.width * kScale), int(size.height * kScale), Qt::IgnoreAspectRatio,
            Qt::SmoothTransformation);
    }
    m_picture->setImage(platform::ui::Image::fromQImage(framed(picture, kScale), size));
    m_caption->setStringValue(ModePreview::caption(mode));
}

void ModeTileView::viewDidChangeEffectiveAppearance()
{
    pirrow::SimpleTileView::viewDidChangeEffectiveAppearance();
    // The picture shows the status bar, whose look follows the colour scheme as the window's does.
    if (m_mode)
        showMode(*m_mode);
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
