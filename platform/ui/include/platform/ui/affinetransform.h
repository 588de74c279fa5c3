#pragma once

#include "platform/ui/geometry.h"

#include <QTransform>

namespace platform::ui {

/// A 2-D affine transform (x' = a·x + c·y + tx, y' = b·x + d·y + ty), composed the way the drawing
/// code reads: `t.translated(…)` first translates, then applies `t`.
class AffineTransform {
public:
    constexpr AffineTransform() = default;
    constexpr AffineTransform(double a, double b, double c, double d, double tx, double ty)
        : m_a(a)
        , m_b(b)
        , m_c(c)
        , m_d(d)
        , m_tx(tx)
        , m_ty(ty)
    {
    }

    static AffineTransform translation(double dx, double dy) { return { 1, 0, 0, 1, dx, dy }; }
    static AffineTransform scaling(double sx, double sy) { return { sx, 0, 0, sy, 0, 0 }; }
    /// Counter-clockwise in a y-up space, in radians.
    static AffineTransform rotation(double radians);

    double a() const { return m_a; }
    double b() const { return m_b; }
    double c() const { return m_c; }
    double d() const { return m_d; }
    double tx() const { return m_tx; }
    double ty() const { return m_ty; }

    bool isIdentity() const { return *this == AffineTransform(); }
    /// `other` applied first, then this one.
    AffineTransform concatenated(const AffineTransform &other) const;
    AffineTransform translated(double dx, double dy) const { return concatenated(translation(dx, dy)); }
    AffineTransform scaled(double sx, double sy) const { return concatenated(scaling(sx, sy)); }
    AffineTransform rotated(double radians) const { return concatenated(rotation(radians)); }
    AffineTransform inverted() const;
    double determinant() const { return m_a * m_d - m_b * m_c; }
    /// The rotation angle of the x axis, in radians.
    double rotationAngle() const;

    Point map(Point p) const { return { m_a * p.x + m_c * p.y + m_tx, m_b * p.x + m_d * p.y + m_ty }; }
    Size mapSize(Size s) const { return { m_a * s.width + m_c * s.height, m_b * s.width + m_d * s.height }; }
    /// The bounding box of the mapped rectangle.
    Rect mapRect(const Rect &r) const;

    QTransform toQTransform() const { return QTransform(m_a, m_b, m_c, m_d, m_tx, m_ty); }
    static AffineTransform fromQTransform(const QTransform &t)
    {
        return { t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy() };
    }

    friend bool operator==(const AffineTransform &, const AffineTransform &) = default;

private:
    double m_a = 1;
    double m_b = 0;
    double m_c = 0;
    double m_d = 1;
    double m_tx = 0;
    double m_ty = 0;
};

QDebug operator<<(QDebug d, const AffineTransform &t);

} // namespace platform::ui
