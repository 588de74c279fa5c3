#include "tavrin/version.h"

namespace tavrin {

namespace {
    bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

    // Compares two runs of digits by value without converting them, so runs of any length work.
    int compareDigitRuns(QStringView a, QStringView b)
    {
        while (a.size() > 1 && a.front() == QLatin1Char('0'))
            a = a.mid(1);
        while (b.size() > 1 && b.front() == QLatin1Char('0'))
            b = b.mid(1);
        if (a.size() != b.size())
            return a.size() < b.size() ? -1 : 1;
        return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    }

    qsizetype digitRunEnd(QStringView text, qsizetype from)
    {
        while (from < text.size() && isDigit(text[from]))
            ++from;
        return from;
    }
}

int Version::compare(const QString &left, const QString &right)
{
    const QStringView a(left);
    const QStringView b(right);
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const qsizetype ie = digitRunEnd(a, i);
            const qsizetype je = digitRunEnd(b, j);
            if (const int c = compareDigitRuns(a.sliced(i, ie - i), b.sliced(j, je - j)))
                return c;
            i = ie;
            j = je;
            continue;
        }
        if (a[i] != b[j])
            return a[i].unicode() < b[j].unicode() ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

} // namespace tavrin
