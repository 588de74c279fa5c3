#include "fuzzinput.h"

#include "../platform/desktop/src/desktopentry_p.h"

#include <cstdlib>

namespace desktopentry = platform::desktopentry;

// An autostart entry of any bytes is read or refused. Whatever values it holds, writing them back
// gives an entry that reads to the same values, and an Exec line that splits quotes back to itself.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto group = desktopentry::parseMainGroup(fuzzBytes(data, size));
    if (!group)
        return 0;
    std::vector<std::pair<QString, QString>> keys;
    for (const auto &[key, raw] : *group) {
        const QString value = desktopentry::unescapeString(raw);
        keys.emplace_back(key, value);
        if (key == QLatin1String("Exec")) {
            if (const auto arguments = desktopentry::splitExec(value)) {
                QStringList quoted;
                for (const QString &argument : *arguments)
                    quoted << desktopentry::quoteExecArgument(argument);
                if (desktopentry::splitExec(quoted.join(QLatin1Char(' '))) != arguments)
                    std::abort();
            }
        }
    }
    const auto again = desktopentry::parseMainGroup(desktopentry::write(keys));
    if (!again)
        std::abort();
    for (const auto &[key, value] : keys) {
        const auto found = again->find(key);
        if (found == again->end() || desktopentry::unescapeString(found->second) != value)
            std::abort();
    }
    return 0;
}
