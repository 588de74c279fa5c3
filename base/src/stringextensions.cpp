#include "tavrin/stringextensions.h"

#include <platform/ui/graphicscontext.h>
#include <platform/ui/text.h>

#include <QTextBoundaryFinder>
#include <QUuid>

#include <array>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace tavrin {

namespace {
    // Code points of the Mac OS Roman bytes 0x80…0xFF.
    constexpr std::array<char16_t, 128> kMacRomanHigh { 0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1,
        0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF,
        0x00F1, 0x00F3, 0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3,
        0x00A7, 0x2022, 0x00B6, 0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, 0x221E, 0x00B1,
        0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8,
        0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5,
        0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044, 0x20AC,
        0x2039, 0x203A, 0xFB01, 0xFB02, 0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, 0x00CB, 0x00C8,
        0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,
        0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7 };

    // Positions (in UTF-16 units) where characters begin, plus the end.
    QList<qsizetype> boundaries(const QString &text)
    {
        QList<qsizetype> out { 0 };
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        while (finder.toNextBoundary() != -1)
            out << finder.position();
        if (out.back() != text.size())
            out << text.size();
        return out;
    }

    QString characters(const QString &text, int from, int to)
    {
        const QList<qsizetype> b = boundaries(text);
        const int count = int(b.size()) - 1;
        from = std::clamp(from, 0, count);
        to = std::clamp(to, from, count);
        return text.mid(b[from], b[to] - b[from]);
    }

    // strtof in the POSIX locale, whatever the process's locale says.
    locale_t posixLocale()
    {
        static const locale_t s_locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        return s_locale;
    }
} // namespace

void StringExtensions::drawVerticallyCentered(platform::ui::GraphicsContext &context, const QString &text,
    const std::optional<platform::ui::TextAttributes> &attributes, const platform::ui::Rect &rect)
{
    const platform::ui::TextAttributes a = attributes.value_or(platform::ui::TextAttributes());
    const double h = platform::ui::Text::size(text, a).height;
    context.drawText(text, platform::ui::Rect(rect.x(), rect.y() + (rect.height() - h) * 0.5, rect.width(), h), a);
}

double StringExtensions::leadingFloatValue(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    const float v = strtof_l(bytes.constData(), nullptr, posixLocale());
    return double(v);
}

std::optional<double> StringExtensions::cgFloatValue(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QChar first = text.front();
    if (first == u' ' || first == u'\t' || first == u'\n' || first == u'\v' || first == u'\f' || first == u'\r')
        return std::nullopt;
    const QByteArray bytes = text.toUtf8();
    char *end = nullptr;
    const float v = strtof_l(bytes.constData(), &end, posixLocale());
    if (end != bytes.constData() + bytes.size() || end == bytes.constData())
        return std::nullopt;
    return double(v);
}

bool StringExtensions::isNilOrEmpty(const std::optional<QString> &text) { return !text || text->isEmpty(); }

QString StringExtensions::prefixText(const QString &text, int n) { return characters(text, 0, std::max(n, 0)); }

QString StringExtensions::substring(const QString &text, int offset, int length)
{
    if (length <= 0)
        return {};
    return characters(text, offset, offset + length);
}

QString StringExtensions::substringFromTo(const QString &text, int from, int to)
{
    return characters(text, std::max(from, 0), to);
}

QString StringExtensions::droppingLastFive(const QString &text)
{
    return characters(text, 0, characterCount(text) - 5);
}

std::uint64_t StringExtensions::fourCharCode(const QString &text)
{
    const QString composed = text.normalized(QString::NormalizationForm_C);
    std::uint64_t code = 0;
    for (const char16_t c : composed.toStdU16String()) {
        std::uint8_t byte = 0;
        if (c < 0x80) {
            byte = std::uint8_t(c);
        } else {
            const auto it = std::find(kMacRomanHigh.begin(), kMacRomanHigh.end(), c);
            if (it == kMacRomanHigh.end())
                return 0; // not representable without loss
            byte = std::uint8_t(0x80 + (it - kMacRomanHigh.begin()));
        }
        code = (code << 8) + byte;
    }
    return code;
}

QString StringExtensions::uuid() { return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper(); }

QString StringExtensions::lastPathComponent(const QString &text)
{
    if (text.isEmpty())
        return text;
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u'/')
        --end;
    if (end == 0)
        return QStringLiteral("/");
    const qsizetype slash = text.lastIndexOf(u'/', end - 1);
    return text.mid(slash + 1, end - slash - 1);
}

int StringExtensions::characterCount(const QString &text) { return int(boundaries(text).size()) - 1; }

} // namespace tavrin
