#include "quenby/firststartviewcontroller.h"

#include "localization_p.h"
#include "quenby/modepreview.h"
#include "quenby/settings.h"

#include <platform/ui/appearance.h>
#include <platform/ui/color.h>
#include <platform/ui/font.h>
#include <platform/ui/image.h>
#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>

namespace quenby {

namespace {

    using platform::ui::Rect;

    // A corner of a desktop: a wallpaper under the top bar, Quenby's items at its right end (ringed in the
    // accent colour) beside a clock, so the user knows what to look for. `width` × `height` points,
    // `scale` pixels per point. The wallpaper sets the bar apart from the dialog in either appearance.
    QImage desktopCorner(double width, double height, bool dark, double scale)
    {
        constexpr double kMaxZoom = 1.5, kRadius = 8, kClockWidth = 44, kPad = 10;
        QImage scene(int(width * scale), int(height * scale), QImage::Format_ARGB32_Premultiplied);
        scene.setDevicePixelRatio(scale);
        scene.fill(Qt::transparent);
        QPainter painter(&scene);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);

        QPainterPath frame;
        frame.addRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), kRadius, kRadius);
        painter.setClipPath(frame);
        QLinearGradient wallpaper(0, 0, width, height);
        wallpaper.setColorAt(0, dark ? QColor(46, 66, 110) : QColor(122, 160, 222));
        wallpaper.setColorAt(1, dark ? QColor(86, 56, 112) : QColor(196, 170, 226));
        painter.fillRect(QRectF(0, 0, width, height), wallpaper);

        // The items as the status bar draws them, larger than life when there is room.
        const QImage items = ModePreview::picture(Settings::appMode(), scale * kMaxZoom);
        const double itemsWidth = items.width() / (scale * kMaxZoom), itemsHeight = items.height() / (scale * kMaxZoom);
        const double zoom
            = std::clamp((width - kClockWidth - 2 * kPad - 60) / std::max(1.0, itemsWidth), 0.5, kMaxZoom);
        const QSizeF shown(itemsWidth * zoom, itemsHeight * zoom);
        // The bar leaves room around the items for the ring.
        const double barHeight = shown.height() + 8;
        const QColor bar = items.isNull() ? QColor(236, 236, 238) : items.pixelColor(0, 0);
        painter.fillRect(QRectF(0, 0, width, barHeight), bar);
        painter.setPen(QColor(0, 0, 0, dark ? 120 : 40));
        painter.drawLine(QPointF(0, barHeight + 0.5), QPointF(width, barHeight + 0.5));

        const QColor ink = bar.lightness() > 128 ? QColor(30, 30, 32) : QColor(235, 235, 238);
        QFont clockFont = platform::ui::Font::systemFont(11).toQFont();
        clockFont.setWeight(QFont::DemiBold);
        painter.setFont(clockFont);
        painter.setPen(ink);
        const QRectF clock(width - kClockWidth - 4, 0, kClockWidth, barHeight);
        painter.drawText(clock, Qt::AlignCenter, QStringLiteral("10:09"));
        // Something on the left, as a desktop's bar has: a placeholder for the desktop's own menu.
        QColor faint = ink;
        faint.setAlphaF(0.35);
        painter.setPen(Qt::NoPen);
        painter.setBrush(faint);
        painter.drawRoundedRect(QRectF(kPad, barHeight / 2 - 3, 44, 6), 3, 3);

        const QRectF target(clock.left() - 6 - shown.width(), 4, shown.width(), shown.height());
        painter.drawImage(target, items);
        QColor accent = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(accent, 2));
        painter.drawRoundedRect(target.adjusted(-3, -2, 3, 2), 5, 5);

        painter.setClipping(false);
        painter.setPen(QPen(dark ? QColor(255, 255, 255, 60) : QColor(0, 0, 0, 60), 1));
        painter.drawPath(frame);
        return scene;
    }

    // The status bar as the user will find it, the explanation under it, and where to go next.
    class FirstStartView final : public platform::ui::View {
    public:
        static constexpr double kSceneHeight = 64;

        FirstStartView()
            : platform::ui::View(Rect(0, 0, FirstStartViewController::kWidth, FirstStartViewController::kHeight))
            , m_scene(new platform::ui::ImageView)
            , m_text(makeText(QStringLiteral("FIRST_START_TEXT"), 13, platform::ui::Color::label()))
            , m_more(makeText(QStringLiteral("FIRST_START_MORE"), 11, platform::ui::Color::secondaryLabel()))
        {
            addSubview(m_scene);
            addSubview(m_text);
            addSubview(m_more);
        }

        platform::ui::ImageView *scene() const { return m_scene; }

        void layout() override
        {
            platform::ui::View::layout();
            const Rect b = bounds();
            const double inset = 24, width = b.width() - 2 * inset;
            // Origin bottom left: the picture at the top, the next step at the foot, the text between.
            const Rect scene(inset, b.height() - 16 - kSceneHeight, width, kSceneHeight);
            if (scene.size != m_scene->frame().size || m_drawnDark != effectiveAppearance().isDark())
                drawScene(scene.size);
            m_scene->setFrame(scene);
            m_more->setFrame(Rect(inset, 16, width, 32));
            const double textBottom = 16 + 32 + 8, textTop = scene.minY() - 12;
            m_text->setFrame(Rect(inset, textBottom, width, std::max(0.0, textTop - textBottom)));
        }

        void viewDidChangeEffectiveAppearance() override
        {
            platform::ui::View::viewDidChangeEffectiveAppearance();
            drawScene(m_scene->frame().size);
        }

    private:
        static platform::ui::TextField *makeText(const QString &key, double size, const platform::ui::Color &color)
        {
            auto *text = new platform::ui::TextField;
            text->setStringValue(localized(key));
            text->setFont(platform::ui::Font::systemFont(size));
            text->setTextColor(color);
            text->setAlignment(platform::ui::TextAlignment::center);
            text->setLineBreakMode(platform::ui::LineBreakMode::wordWrapping);
            return text;
        }

        void drawScene(platform::ui::Size size)
        {
            if (!(size.width > 0) || !(size.height > 0))
                return;
            m_drawnDark = effectiveAppearance().isDark();
            constexpr double kScale = 2;
            m_scene->setImage(
                platform::ui::Image::fromQImage(desktopCorner(size.width, size.height, m_drawnDark, kScale), size));
        }

        platform::ui::ImageView *m_scene;
        bool m_drawnDark = false;
        platform::ui::TextField *m_text;
        platform::ui::TextField *m_more;
    };

} // namespace

void FirstStartViewController::loadView() { setView(new FirstStartView); }

} // namespace quenby
