#include "platform/core/format.h"

#include <QByteArray>

#include <cstdarg>
#include <cstdio>
#include <locale.h>

namespace platform {

namespace {
    // The "C" numeric conventions, made once; a thread switches to them only for the call.
    locale_t cLocale()
    {
        static const locale_t s_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        return s_locale;
    }

    // Switches the calling thread to the C locale for its lifetime. Only this thread is affected,
    // so the user's locale elsewhere in the program stays as it is.
    class CLocaleScope {
    public:
        CLocaleScope()
            : m_previous(cLocale() ? uselocale(cLocale()) : static_cast<locale_t>(nullptr))
        {
        }
        ~CLocaleScope()
        {
            if (m_previous)
                uselocale(m_previous);
        }
        CLocaleScope(const CLocaleScope &) = delete;
        CLocaleScope &operator=(const CLocaleScope &) = delete;

    private:
        locale_t m_previous;
    };
}

QString format(const char *fmt, ...)
{
    // The C library's own formatting, so that numbers round exactly as C rounds them (ties of the
    // exact binary value go to even: 1.125 is "1.12"); Qt's printf rounds such ties away from zero.
    const CLocaleScope scope;
    va_list args;
    va_start(args, fmt);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, fmt, measure);
    va_end(measure);
    if (length < 0) {
        va_end(args);
        return QString();
    }
    QByteArray text(length, Qt::Uninitialized);
    std::vsnprintf(text.data(), static_cast<std::size_t>(length) + 1, fmt, args);
    va_end(args);
    return QString::fromUtf8(text);
}

} // namespace platform
