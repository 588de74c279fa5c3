#include "olvane/systemsettings.h"

#include <platform/core/systemversion.h>
#include <platform/desktop/workspace.h>

#include <QUrl>

namespace olvane {

namespace {
    bool hasSettingsApplication() { return platform::SystemVersion::current().isAtLeast(13); }

    void openUrl(const QUrl &url)
    {
        if (url.isValid() && !url.scheme().isEmpty())
            platform::Workspace::current().openUrl(url);
    }
}

platform::ui::Image SystemSettings::icon()
{
    return platform::Workspace::current().iconForFile(hasSettingsApplication()
            ? QStringLiteral("/System/Applications/System Settings.app")
            : QStringLiteral("/System/Library/PreferencePanes/SharingPref.prefPane"));
}

void SystemSettings::open()
{
    // The scheme alone must still be a URL of that scheme; without its colon the text would be a
    // relative path that opens nothing.
    openUrl(QUrl(QStringLiteral("x-apple.systempreferences:"), QUrl::StrictMode));
}

void SystemSettings::openPage(SystemSettingsPage page)
{
    if (hasSettingsApplication()) {
        QString text;
        switch (page) {
        case SystemSettingsPage::privacy:
            text = QStringLiteral("x-apple.systempreferences:com.apple.settings.PrivacySecurity.extension");
            break;
        case SystemSettingsPage::sharing:
            text = QStringLiteral("x-apple.systempreferences:com.apple.Sharing-Settings.extension");
            break;
        case SystemSettingsPage::fullDiskAccess:
            text = QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles");
            break;
        }
        openUrl(QUrl(text, QUrl::StrictMode));
        return;
    }
    QString pane;
    switch (page) {
    case SystemSettingsPage::privacy:
    case SystemSettingsPage::fullDiskAccess:
        pane = QStringLiteral("/System/Library/PreferencePanes/Privacy.prefPane");
        break;
    case SystemSettingsPage::sharing:
        pane = QStringLiteral("/System/Library/PreferencePanes/SharingPref.prefPane");
        break;
    }
    openUrl(QUrl::fromLocalFile(pane));
}

} // namespace olvane
