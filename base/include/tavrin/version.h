#pragma once

#include <QString>

namespace tavrin {

/// A version text such as "2.4.1", ordered the way people read versions: runs of decimal digits
/// compare by their value (1.10 is newer than 1.9), every other character by its code, case-sensitive;
/// when one text is a prefix of the other under these rules, the shorter is the smaller ("1.2" <
/// "1.2.0"). Digit runs of equal value compare equal whatever their leading zeros ("1.02" == "1.2").
/// The text is kept exactly as given; there is no validation.
class Version {
public:
    explicit Version(QString string)
        : m_string(std::move(string))
    {
    }
    Version() = delete;

    const QString &string() const { return m_string; }
    void setString(const QString &string) { m_string = string; }
    /// The version text.
    QString description() const { return m_string; }

    /// Negative, zero or positive as `left` sorts before, with or after `right`.
    static int compare(const QString &left, const QString &right);
    /// Whether `left` is newer than `right`: the question an update check asks.
    static bool isGreater(const Version &left, const Version &right) { return left > right; }

    friend bool operator==(const Version &l, const Version &r) { return compare(l.m_string, r.m_string) == 0; }
    friend bool operator<(const Version &l, const Version &r) { return compare(l.m_string, r.m_string) < 0; }
    friend bool operator>(const Version &l, const Version &r) { return compare(l.m_string, r.m_string) > 0; }
    friend bool operator<=(const Version &l, const Version &r) { return !(r < l); }
    friend bool operator>=(const Version &l, const Version &r) { return !(l < r); }

private:
    QString m_string;
};

} // namespace tavrin
