#include "batterycopy_p.h"

#include <ammerl/appleinternalbattery.h>
#include <ammerl/legacyinternalbattery.h>

namespace quenby {

std::unique_ptr<ammerl::InternalBattery> copyOf(const ammerl::InternalBattery &battery)
{
    if (const auto *apple = dynamic_cast<const ammerl::AppleInternalBattery *>(&battery))
        return std::make_unique<ammerl::AppleInternalBattery>(*apple);
    if (const auto *legacy = dynamic_cast<const ammerl::LegacyInternalBattery *>(&battery))
        return std::make_unique<ammerl::LegacyInternalBattery>(*legacy);
    return nullptr;
}

} // namespace quenby
