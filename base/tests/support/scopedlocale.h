#pragma once

#include <QByteArray>
#include <QLocale>

#include <ctime>

namespace quenbytest {

/// Makes `QLocale()` (the user's locale as the libraries read it) the given one while it lives.
class ScopedLocale {
public:
    explicit ScopedLocale(const QString &name)
        : m_previous(QLocale())
    {
        QLocale::setDefault(QLocale(name));
    }
    ~ScopedLocale() { QLocale::setDefault(m_previous); }
    ScopedLocale(const ScopedLocale &) = delete;
    ScopedLocale &operator=(const ScopedLocale &) = delete;

private:
    QLocale m_previous;
};

/// Makes the process's local time zone the given IANA zone ("Europe/Berlin") while it lives.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char *zone)
        : m_hadPrevious(qEnvironmentVariableIsSet("TZ"))
        , m_previous(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_hadPrevious)
            qputenv("TZ", m_previous);
        else
            qunsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone &) = delete;
    ScopedTimeZone &operator=(const ScopedTimeZone &) = delete;

private:
    bool m_hadPrevious;
    QByteArray m_previous;
};

} // namespace quenbytest
