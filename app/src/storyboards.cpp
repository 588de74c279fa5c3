#include "quenby/storyboards.h"

#include "quenby/doublebatteryviewcontroller.h"
#include "quenby/firststartviewcontroller.h"
#include "quenby/singlebatteryviewcontroller.h"

#include <platform/ui/storyboard.h>

#include <mutex>

namespace quenby {

void registerStoryboards()
{
    static std::once_flag s_once;
    std::call_once(s_once, [] {
        using platform::ui::Storyboard;
        const QString menuItems = QString::fromLatin1(kMenuItemsStoryboard);
        Storyboard::registerController(menuItems, QString::fromLatin1(kSingleRowIdentifier),
            [] { return std::make_unique<SingleBatteryViewController>(); });
        Storyboard::registerController(menuItems, QString::fromLatin1(kDoubleRowIdentifier),
            [] { return std::make_unique<DoubleBatteryViewController>(); });
        Storyboard::registerInitialController(
            QString::fromLatin1(kFirstStartStoryboard), [] { return std::make_unique<FirstStartViewController>(); });
    });
}

} // namespace quenby
