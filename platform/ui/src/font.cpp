#include "platform/ui/font.h"

#include "textengine_p.h"

#include <QDebug>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace platform::ui {

namespace {
    QString systemFamily()
    {
        static const QString s_family = [] {
            if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
                return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
            return QStringLiteral("DejaVu Sans");
        }();
        return s_family;
    }

    QString fixedFamily()
    {
        static const QString s_family = [] {
            if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
                return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
            return QStringLiteral("DejaVu Sans Mono");
        }();
        return s_family;
    }

    // Maps the −1…1 weight scale onto Qt's 1…1000 one at the usual anchor points.
    QFont::Weight qtWeight(double w)
    {
        if (w <= -0.7)
            return QFont::ExtraLight;
        if (w <= -0.5)
            return QFont::Thin;
        if (w <= -0.2)
            return QFont::Light;
        if (w < 0.2)
            return QFont::Normal;
        if (w < 0.27)
            return QFont::Medium;
        if (w < 0.35)
            return QFont::DemiBold;
        if (w < 0.5)
            return QFont::Bold;
        if (w < 0.6)
            return QFont::ExtraBold;
        return QFont::Black;
    }
} // namespace

Font::Font()
    : Font(systemFamily(), systemFontSize(), FontWeight::regular, false)
{
}

Font::Font(QString family, double size, double weight, bool fixedPitch)
    : m_family(std::move(family))
    , m_size(size)
    , m_weight(weight)
    , m_fixedPitch(fixedPitch)
{
}

Font Font::systemFont(double pointSize, double weight) { return Font(systemFamily(), pointSize, weight, false); }

Font Font::boldSystemFont(double pointSize) { return systemFont(pointSize, FontWeight::bold); }

Font Font::monospacedDigitSystemFont(double pointSize, double weight)
{
    // The common system families (DejaVu, Cantarell, Noto) already draw digits of equal width.
    return systemFont(pointSize, weight);
}

Font Font::monospacedSystemFont(double pointSize, double weight)
{
    return Font(fixedFamily(), pointSize, weight, true);
}

Font Font::named(const QString &family, double pointSize, double weight)
{
    return Font(family.isEmpty() ? systemFamily() : family, pointSize, weight, false);
}

Font Font::withSize(double pointSize) const
{
    Font f = *this;
    f.m_size = pointSize;
    return f;
}

Font Font::withWeight(double weight) const
{
    Font f = *this;
    f.m_weight = weight;
    return f;
}

QFont Font::toQFont(double logicalDpi) const
{
    QFont f(m_family);
    if (m_fixedPitch)
        f.setStyleHint(QFont::Monospace);
    // Points of our drawing space are device-independent pixels; Qt points depend on the dpi.
    f.setPointSizeF(m_size * 72.0 / (logicalDpi > 0 ? logicalDpi : 96.0));
    f.setWeight(qtWeight(m_weight));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void Font::prepare() const
{
    // The way every text of the program is measured and drawn.
    TextAttributes attributes;
    attributes.font = *this;
    const QString sample = QStringLiteral("Mouse 100%");
    TextEngine::measure(sample, attributes, 0);
    QImage canvas(24, 24, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    TextEngine::draw(painter, sample, QRectF(0, 0, 24, 24), attributes, canvas.logicalDpiY());
}

double Font::ascender() const { return TextEngine::metrics(*this).ascent(); }

double Font::descender() const { return -TextEngine::metrics(*this).descent(); }

double Font::lineHeight() const
{
    const QFontMetricsF fm = TextEngine::metrics(*this);
    return fm.ascent() + fm.descent() + fm.leading();
}

double Font::capHeight() const { return TextEngine::metrics(*this).capHeight(); }

double Font::xHeight() const { return TextEngine::metrics(*this).xHeight(); }

QDebug operator<<(QDebug d, const Font &f)
{
    QDebugStateSaver s(d);
    d.nospace() << "Font(" << f.family() << ", " << f.pointSize() << "pt, weight " << f.weight() << ')';
    return d;
}

} // namespace platform::ui
