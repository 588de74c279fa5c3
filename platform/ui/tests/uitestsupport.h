#pragma once

#include "platform/ui/color.h"
#include "platform/ui/geometry.h"
#include "platform/ui/graphicscontext.h"
#include "platform/ui/view.h"

#include <QImage>
#include <QTest>

namespace platform::ui::test {

/// The colour of the pixel at (x, y) counted in device pixels from the image's bottom-left corner.
inline QColor pixelFromBottom(const QImage &img, int x, int y) { return img.pixelColor(x, img.height() - 1 - y); }

/// Whether two colours agree within `tolerance` per 8-bit channel.
inline bool near(const QColor &a, const QColor &b, int tolerance = 3)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance && std::abs(a.alpha() - b.alpha()) <= tolerance;
}

/// The smallest rectangle (device pixels, y-down rows) holding every pixel with some alpha.
inline QRect inkBounds(const QImage &img)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y).alpha() > 20)
                r = r.united(QRect(x, y, 1, 1));
    return r;
}

/// A view filled with one colour, which can change.
class FillView : public View {
public:
    FillView(const Rect &frame, Color color)
        : View(frame)
        , m_color(color)
    {
    }
    void drawRect(GraphicsContext &ctx, const Rect &) override { ctx.fillRect(bounds(), m_color); }
    void setColor(Color color)
    {
        m_color = color;
        setNeedsDisplay();
    }

private:
    Color m_color;
};

} // namespace platform::ui::test

namespace QTest {
template <> inline char *toString(const platform::ui::Rect &r)
{
    return qstrdup(QStringLiteral("Rect(%1, %2, %3 x %4)")
                       .arg(r.x())
                       .arg(r.y())
                       .arg(r.width())
                       .arg(r.height())
                       .toUtf8()
                       .constData());
}
template <> inline char *toString(const platform::ui::Point &p)
{
    return qstrdup(QStringLiteral("Point(%1, %2)").arg(p.x).arg(p.y).toUtf8().constData());
}
} // namespace QTest
