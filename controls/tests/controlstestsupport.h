#pragma once

#include <platform/ui/view.h>

#include <QImage>
#include <QTest>

namespace pirrowtest {

/// The colour of the pixel at (x, y) counted from the image's bottom-left corner.
inline QColor pixelFromBottom(const QImage &image, int x, int y) { return image.pixelColor(x, image.height() - 1 - y); }

/// Whether two colours agree within `tolerance` per 8-bit channel.
inline bool near(const QColor &a, const QColor &b, int tolerance = 4)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance && std::abs(a.alpha() - b.alpha()) <= tolerance;
}

/// A shown top-level view that counts the mouse-downs passed on to it by its subviews.
class Host : public platform::ui::View {
public:
    explicit Host(const platform::ui::Rect &frame = platform::ui::Rect(0, 0, 300, 200))
        : View(frame)
    {
    }
    int mouseDowns = 0;
    void mouseDown(const platform::ui::MouseEvent &) override { ++mouseDowns; }

    /// Shows the host and waits until it is on screen.
    bool showAndWait()
    {
        show();
        return QTest::qWaitForWindowExposed(this);
    }
    /// A point of this view (y up) as a widget position (y down), for QTest.
    QPoint widgetPoint(platform::ui::Point p) const { return QPoint(int(p.x), int(frame().height() - p.y)); }
};

} // namespace pirrowtest
