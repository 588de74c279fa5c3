#include "datepattern_p.h"

#include <QList>

#include <algorithm>

namespace tavrin::detail {

namespace {
    QString padded(qint64 value, qsizetype width)
    {
        QString digits = QString::number(value < 0 ? -value : value);
        if (digits.size() < width)
            digits.prepend(QString(width - digits.size(), QLatin1Char('0')));
        return value < 0 ? QLatin1Char('-') + digits : digits;
    }

    QString yearText(int year, qsizetype count)
    {
        if (count == 2)
            return padded(((year % 100) + 100) % 100, 2);
        return padded(year, count);
    }

    QString monthText(int month, qsizetype count, bool standalone, const QLocale &locale)
    {
        if (count <= 2)
            return padded(month, count);
        const QLocale::FormatType type = count == 3 ? QLocale::ShortFormat
            : count == 4                            ? QLocale::LongFormat
                                                    : QLocale::NarrowFormat;
        return standalone ? locale.standaloneMonthName(month, type) : locale.monthName(month, type);
    }

    QString weekdayText(int weekday, qsizetype count, bool standalone, const QLocale &locale)
    {
        const QLocale::FormatType type = count <= 3 ? QLocale::ShortFormat
            : count == 4                            ? QLocale::LongFormat
                                                    : QLocale::NarrowFormat;
        return standalone ? locale.standaloneDayName(weekday, type) : locale.dayName(weekday, type);
    }

    // Tokens of a Qt format string: runs of one letter, quoted literals, single other characters.
    QStringList qtTokens(const QString &format)
    {
        QStringList tokens;
        for (qsizetype i = 0; i < format.size();) {
            const QChar c = format[i];
            qsizetype j = i + 1;
            if (c == QLatin1Char('\'')) {
                while (j < format.size() && format[j] != QLatin1Char('\''))
                    ++j;
                j = std::min(j + 1, format.size());
            } else if (c.isLetter()) {
                while (j < format.size() && format[j] == c)
                    ++j;
            }
            tokens << format.mid(i, j - i);
            i = j;
        }
        return tokens;
    }

    // Removes the tokens that start with `letter` (and at least `minCount` long) together with the
    // separators that tie them to their neighbour.
    QString withoutField(const QString &format, QChar letter, qsizetype minCount)
    {
        QStringList tokens = qtTokens(format);
        auto isSeparator
            = [](const QString &t) { return !t.isEmpty() && !t[0].isLetter() && t[0] != QLatin1Char('\''); };
        for (qsizetype i = 0; i < tokens.size();) {
            if (tokens[i].startsWith(letter) && tokens[i].size() >= minCount) {
                tokens.removeAt(i);
                if (i < tokens.size() && isSeparator(tokens[i])) {
                    while (i < tokens.size() && isSeparator(tokens[i]))
                        tokens.removeAt(i);
                } else {
                    while (i > 0 && isSeparator(tokens[i - 1]))
                        tokens.removeAt(--i);
                }
            } else {
                ++i;
            }
        }
        return tokens.join(QString()).trimmed();
    }
}

QString DatePattern::format(const QDateTime &dateTime, const QString &pattern, const QLocale &locale)
{
    if (!dateTime.isValid())
        return {};
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'')) {
            if (i + 1 < pattern.size() && pattern[i + 1] == QLatin1Char('\'')) {
                out += QLatin1Char('\'');
                i += 2;
                continue;
            }
            qsizetype j = i + 1;
            while (j < pattern.size()) {
                if (pattern[j] == QLatin1Char('\'')) {
                    if (j + 1 < pattern.size() && pattern[j + 1] == QLatin1Char('\'')) {
                        out += QLatin1Char('\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                out += pattern[j++];
            }
            i = j + 1;
            continue;
        }
        if (!(c >= QLatin1Char('a') && c <= QLatin1Char('z')) && !(c >= QLatin1Char('A') && c <= QLatin1Char('Z'))) {
            out += c;
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        while (j < pattern.size() && pattern[j] == c)
            ++j;
        const qsizetype n = j - i;
        i = j;
        const int hour = time.hour();
        switch (c.toLatin1()) {
        case 'G':
            out += date.year() > 0 ? QStringLiteral("AD") : QStringLiteral("BC");
            break;
        case 'y':
        case 'u':
            out += yearText(date.year(), n);
            break;
        case 'Y': {
            // Year of the Monday-first week (ISO).
            int weekYear = date.year();
            date.weekNumber(&weekYear);
            out += yearText(weekYear, n);
            break;
        }
        case 'M':
            out += monthText(date.month(), n, false, locale);
            break;
        case 'L':
            out += monthText(date.month(), n, true, locale);
            break;
        case 'd':
            out += padded(date.day(), n);
            break;
        case 'D':
            out += padded(date.dayOfYear(), n);
            break;
        case 'E':
            out += weekdayText(date.dayOfWeek(), n, false, locale);
            break;
        case 'c':
        case 'e':
            // Numeric forms count from Monday, the first day of the week here.
            if (n <= 2)
                out += padded(date.dayOfWeek(), n);
            else
                out += weekdayText(date.dayOfWeek(), n, c == QLatin1Char('c'), locale);
            break;
        case 'a':
            out += hour < 12 ? locale.amText() : locale.pmText();
            break;
        case 'h':
            out += padded(hour % 12 == 0 ? 12 : hour % 12, n);
            break;
        case 'H':
            out += padded(hour, n);
            break;
        case 'k':
            out += padded(hour == 0 ? 24 : hour, n);
            break;
        case 'K':
            out += padded(hour % 12, n);
            break;
        case 'm':
            out += padded(time.minute(), n);
            break;
        case 's':
            out += padded(time.second(), n);
            break;
        case 'S': {
            QString fraction = padded(time.msec(), 3);
            if (n < 3)
                fraction.truncate(n);
            else
                fraction += QString(n - 3, QLatin1Char('0'));
            out += fraction;
            break;
        }
        default:
            out += QString(n, c);
            break;
        }
    }
    return out;
}

QString DatePattern::qtDateFormat(int style, const QLocale &locale)
{
    switch (style) {
    case 1:
        return locale.dateFormat(QLocale::ShortFormat);
    case 2: {
        QString format = withoutField(locale.dateFormat(QLocale::LongFormat), QLatin1Char('d'), 3);
        return format.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    }
    case 3:
        return withoutField(locale.dateFormat(QLocale::LongFormat), QLatin1Char('d'), 3);
    case 4:
        return locale.dateFormat(QLocale::LongFormat);
    default:
        return {};
    }
}

QString DatePattern::qtTimeFormat(int style, const QLocale &locale)
{
    switch (style) {
    case 1:
        return locale.timeFormat(QLocale::ShortFormat);
    case 2:
        return withoutField(locale.timeFormat(QLocale::LongFormat), QLatin1Char('t'), 1);
    case 3:
    case 4:
        return locale.timeFormat(QLocale::LongFormat);
    default:
        return {};
    }
}

} // namespace tavrin::detail
