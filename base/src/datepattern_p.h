#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace tavrin::detail {

/// Date texts from fixed patterns in the Unicode notation ("yyyy-MM-dd", "EEEE", "LLL", "hh:mm:ss")
/// and from the locale's styles.
class DatePattern {
public:
    /// The text of `dateTime` (in its own time spec) for `pattern` in `locale`. Letters: G y Y u M L d D
    /// E c e a h H k K m s S (counts as in the notation); 'quoted text' and '' for a quote; any other
    /// character is copied. Invalid dates give the empty text.
    static QString format(const QDateTime &dateTime, const QString &pattern, const QLocale &locale);

    /// Qt format strings of the locale's styles: 0 none, 1 short, 2 medium, 3 long, 4 full.
    static QString qtDateFormat(int style, const QLocale &locale);
    static QString qtTimeFormat(int style, const QLocale &locale);

    DatePattern() = delete;
};

} // namespace tavrin::detail
