#pragma once

#include <platform/ui/image.h>

namespace olvane {

/// The pages of the system settings that `SystemSettings::openPage` opens.
enum class SystemSettingsPage { privacy, sharing, fullDiskAccess };

/// Opens the system settings, as a whole or at a page, through `platform::Workspace::current()` (which
/// opens the desktop's settings where it has the page, see the workspace). Systems from 13 on are named
/// by settings URLs, older ones by their preference panes. Static; nothing is stored.
class SystemSettings {
public:
    /// The icon that stands for the settings (the settings application's; the Sharing pane's on older systems).
    static platform::ui::Image icon();
    static void open();
    static void openPage(SystemSettingsPage page);

    SystemSettings() = delete;
};

} // namespace olvane
