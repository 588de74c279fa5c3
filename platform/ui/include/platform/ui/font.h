#pragma once

#include <QFont>
#include <QString>

namespace platform::ui {

/// Font weights on the scale the drawing code uses: −1 (lightest) to 1 (heaviest), regular 0.
struct FontWeight {
    static constexpr double ultraLight = -0.8;
    static constexpr double thin = -0.6;
    static constexpr double light = -0.4;
    static constexpr double regular = 0.0;
    static constexpr double medium = 0.23;
    static constexpr double semibold = 0.3;
    static constexpr double bold = 0.4;
    static constexpr double heavy = 0.56;
    static constexpr double black = 0.62;
};

/// A font: a family at a size in points and a weight. Sizes are points of the drawing space, so a
/// 13-point font is 13 units high on any device, whatever its dots per inch.
class Font {
public:
    /// The system font at the standard size.
    Font();

    static Font systemFont(double pointSize, double weight = FontWeight::regular);
    static Font boldSystemFont(double pointSize);
    /// The system font with digits of equal width where the family offers them.
    static Font monospacedDigitSystemFont(double pointSize, double weight = FontWeight::regular);
    /// A fixed-pitch font.
    static Font monospacedSystemFont(double pointSize, double weight = FontWeight::regular);
    /// A font of the given family (the system font's family when it is empty).
    static Font named(const QString &family, double pointSize, double weight = FontWeight::regular);

    static constexpr double systemFontSize() { return 13; }
    static constexpr double smallSystemFontSize() { return 11; }
    static constexpr double labelFontSize() { return 10; }

    QString family() const { return m_family; }
    double pointSize() const { return m_size; }
    double weight() const { return m_weight; }
    bool isBold() const { return m_weight >= FontWeight::semibold; }
    bool isFixedPitch() const { return m_fixedPitch; }
    Font withSize(double pointSize) const;
    Font withWeight(double weight) const;

    /// Distance from the baseline to the top of the tallest glyphs (positive).
    double ascender() const;
    /// Distance from the baseline to the bottom of the lowest glyphs (negative).
    double descender() const;
    /// Default line height: ascender − descender + leading.
    double lineHeight() const;
    double capHeight() const;
    double xHeight() const;

    /// The Qt font that draws this font at its point size on a device of `logicalDpi`.
    QFont toQFont(double logicalDpi = 96) const;

    /// Measures and draws a short text in this font on the calling thread, off screen. What that loads
    /// and Qt shares between threads (the font's fallbacks, the code that lays out and draws text) is then
    /// at hand for the main thread's first text: a thread started early takes it off the main thread.
    void prepare() const;

    friend bool operator==(const Font &, const Font &) = default;

private:
    Font(QString family, double size, double weight, bool fixedPitch);

    QString m_family;
    double m_size = 13;
    double m_weight = FontWeight::regular;
    bool m_fixedPitch = false;
};

QDebug operator<<(QDebug d, const Font &f);

} // namespace platform::ui
