#include "olvane/modifierflags.h"

#include <array>

namespace olvane {

namespace {

    struct Modifier {
        quint64 flag;
        qint64 carbon;
        char16_t symbol;
    };

    // Also the order of the symbols in a description.
    constexpr std::array<Modifier, 4> kModifiers { {
        { ModifierFlags::control, ModifierFlags::carbonControl, u'\u2303' },
        { ModifierFlags::option, ModifierFlags::carbonOption, u'\u2325' },
        { ModifierFlags::shift, ModifierFlags::carbonShift, u'\u21E7' },
        { ModifierFlags::command, ModifierFlags::carbonCommand, u'\u2318' },
    } };

} // namespace

qint64 ModifierFlags::carbonModifiers() const
{
    qint64 mask = 0;
    for (const Modifier &modifier : kModifiers) {
        if (contains(modifier.flag))
            mask |= modifier.carbon;
    }
    return mask;
}

ModifierFlags ModifierFlags::fromCarbonModifiers(qint64 carbonModifiers)
{
    ModifierFlags flags;
    for (const Modifier &modifier : kModifiers) {
        if ((carbonModifiers & modifier.carbon) == modifier.carbon)
            flags.rawValue |= modifier.flag;
    }
    return flags;
}

QString ModifierFlags::description() const
{
    QString text;
    for (const Modifier &modifier : kModifiers) {
        if (contains(modifier.flag))
            text += QChar(modifier.symbol);
    }
    return text;
}

} // namespace olvane
