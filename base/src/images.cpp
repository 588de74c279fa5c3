#include "tavrin/images.h"

#include "tavrin/resources.h"

#include <platform/core/bundle.h>
#include <platform/core/coding.h>
#include <platform/core/json.h>
#include <platform/ui/graphicscontext.h>
#include <platform/ui/themeiconreader.h>

#include <QFile>
#include <QHash>
#include <QIcon>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>

#include <cmath>
#include <map>
#include <tuple>

namespace tavrin {

using platform::ui::Color;
using platform::ui::Image;
using platform::ui::Rect;
using platform::ui::Size;

namespace {
    constexpr double kStandardPointSize = 13.0;

    // The symbol table of the library's bundle: symbol name → freedesktop icon names.
    const std::map<QString, QStringList> &symbolTable()
    {
        static const std::map<QString, QStringList> s_table = [] {
            std::map<QString, QStringList> table;
            const QString path = moduleBundle().pathForResource(QStringLiteral("symbols"), QStringLiteral("json"));
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                return table;
            try {
                const platform::Value root = platform::json::parse(f.readAll());
                if (const auto *dict = root.toDictionary()) {
                    for (const auto &[name, icons] : *dict) {
                        QStringList names;
                        if (const auto *list = icons.toArray())
                            for (const platform::Value &v : *list)
                                if (auto s = v.toString())
                                    names << *s;
                        table[name] = names;
                    }
                }
            } catch (const platform::DecodingError &) {
                // A damaged table leaves every symbol to the library's own drawings.
            }
            return table;
        }();
        return s_table;
    }

    QByteArray ownDrawing(const QString &name)
    {
        static QHash<QString, QByteArray> s_cache;
        if (auto it = s_cache.constFind(name); it != s_cache.constEnd())
            return *it;
        QByteArray svg;
        QFile f(moduleBundle().pathForResource(QStringLiteral("Symbols/") + name, QStringLiteral("svg")));
        if (f.open(QIODevice::ReadOnly))
            svg = f.readAll();
        s_cache.insert(name, svg);
        return svg;
    }

    // The drawing with its stroke widths scaled for a font weight (regular keeps them).
    QByteArray weighted(const QByteArray &svg, double weight)
    {
        if (weight == 0)
            return svg;
        const double factor = std::clamp(1.0 + 0.75 * weight, 0.4, 1.6);
        static const QRegularExpression strokeWidth(QStringLiteral("stroke-width=\"([0-9.]+)\""));
        QString text = QString::fromUtf8(svg);
        QString out;
        qsizetype last = 0;
        for (auto it = strokeWidth.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            out += text.mid(last, m.capturedStart() - last);
            out += QStringLiteral("stroke-width=\"%1\"").arg(m.captured(1).toDouble() * factor);
            last = m.capturedEnd();
        }
        out += text.mid(last);
        return out.toUtf8();
    }

    void warnOnce(const QString &what)
    {
        static QSet<QString> s_warned;
        if (s_warned.contains(what))
            return;
        s_warned.insert(what);
        qWarning("%s", qPrintable(what));
    }

    Image makeSymbol(const QString &name, double pointSize, double weight);

    // Symbols as made, by name, size, weight and icon theme (and where themes are looked for): making one parses its drawing and asks the
    // icon theme for each of its names, which a window that redraws every refresh would repeat. Callers
    // get copies (an Image is a shared handle they may resize or draw on), which keep the rendered
    // bitmaps.
    Image cachedSymbol(const QString &name, double pointSize, double weight)
    {
        static std::map<std::tuple<QString, double, double, QString>, Image> s_made;
        platform::ui::ThemeIconReader::waitForReaders();
        const QString theme = QIcon::themeName() + QLatin1Char('\n') + QIcon::fallbackThemeName() + QLatin1Char('\n')
            + QIcon::themeSearchPaths().join(QLatin1Char('\n'));
        const auto key = std::make_tuple(name, pointSize, weight, theme);
        auto found = s_made.find(key);
        if (found == s_made.end()) {
            if (s_made.size() >= 1024)
                s_made.clear();
            found = s_made.emplace(key, makeSymbol(name, pointSize, weight)).first;
        }
        return found->second.copy();
    }

    Image makeSymbol(const QString &name, double pointSize, double weight)
    {
        if (!Images::knowsSymbol(name)) {
            warnOnce(QStringLiteral("unknown symbol name \"%1\"").arg(name));
            return Image();
        }
        const QByteArray svg = ownDrawing(name);
        const Image own = Image::fromSvg(weighted(svg, weight));
        if (own.isBlank()) {
            warnOnce(QStringLiteral("no drawing for the symbol \"%1\"").arg(name));
            return Image();
        }
        const Size natural = own.size();
        const double scale = pointSize / kStandardPointSize;
        const Size size { natural.width * scale, natural.height * scale };
        const auto reconfigure = [name](double ps, double w) { return cachedSymbol(name, ps, w); };
        // Theme icons have the regular weight only; other weights take our own strokes.
        if (weight == platform::ui::FontWeight::regular) {
            for (const QString &icon : Images::iconNames(name)) {
                if (QIcon::hasThemeIcon(icon)) {
                    Image themed = Image::fromIcon(QIcon::fromTheme(icon), size);
                    themed.setTemplate(icon.endsWith(QLatin1String("-symbolic")));
                    themed.setSymbolProvider(reconfigure);
                    return themed;
                }
            }
        }
        Image img = own;
        img.setSize(size);
        img.setTemplate(true);
        img.setSymbolProvider(reconfigure);
        return img;
    }
} // namespace

bool Images::knowsSymbol(const QString &name) { return symbolTable().count(name) > 0; }

QStringList Images::iconNames(const QString &name)
{
    const auto &table = symbolTable();
    const auto it = table.find(name);
    return it == table.end() ? QStringList() : it->second;
}

Image Images::symbol(const QString &name)
{
    return cachedSymbol(name, kStandardPointSize, platform::ui::FontWeight::regular);
}

Image Images::symbolWithConfiguration(const QString &name, double pointSize, double weight)
{
    return cachedSymbol(name, pointSize, weight);
}

Image Images::tintedSymbol(const QString &name, const Color &color) { return tinted(color, symbol(name)); }

Image Images::tintedSymbol(const QString &name, const Color &color, double pointSize, double weight)
{
    // Tinting keeps the size, so configuring first gives the same picture as tinting first.
    return tinted(color, symbolWithConfiguration(name, pointSize, weight));
}

Image Images::named(const QString &name)
{
    const Image img = Image::named(platform::Bundle::main(), name);
    if (img.isBlank())
        warnOnce(QStringLiteral("no image named \"%1\" in the program's resources").arg(name));
    return img;
}

Image Images::tinted(const Color &color, const Image &image)
{
    if (!image.isTemplate())
        return image;
    Image copy = image.copy();
    const Color fill = color.resolved(); // the colour as it is now, like a drawing made now
    const Size size = copy.size();
    copy.drawOnTop([fill, size](platform::ui::GraphicsContext &ctx) {
        ctx.setCompositeOperation(platform::ui::CompositeOperation::sourceAtop);
        ctx.fillRect(Rect(0, 0, size.width, size.height), fill);
    });
    copy.setTemplate(false);
    return copy;
}

} // namespace tavrin
