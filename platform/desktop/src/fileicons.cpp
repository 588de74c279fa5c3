#include "platform/desktop/fileicons.h"

#include "platform/ui/color.h"
#include "platform/ui/path.h"
#include "platform/ui/strokestyle.h"
#include "platform/ui/themeiconreader.h"

#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>

namespace platform {

namespace {
    constexpr ui::Size kIconSize { 32, 32 };

    const QString kFolderType = QStringLiteral("inode/directory");

    // The original platform's settings application and panes are named by path; the desktop's own
    // settings icons stand for them.
    QStringList settingsIconNames(const QString &path)
    {
        const QString name = QFileInfo(path).fileName();
        if (name == QLatin1String("System Settings.app") || name == QLatin1String("System Preferences.app"))
            return { QStringLiteral("preferences-system"), QStringLiteral("org.gnome.Settings"),
                QStringLiteral("systemsettings") };
        if (name == QLatin1String("SharingPref.prefPane"))
            return { QStringLiteral("preferences-system-sharing"), QStringLiteral("folder-publicshare"),
                QStringLiteral("preferences-system") };
        if (name.endsWith(QLatin1String(".prefPane")))
            return { QStringLiteral("preferences-other"), QStringLiteral("preferences-system") };
        return {};
    }

    ui::Image drawnSheet(bool folder)
    {
        return ui::Image::withDrawing(kIconSize, [folder](ui::GraphicsContext &context, const ui::Rect &bounds) {
            const double w = bounds.size.width;
            const double h = bounds.size.height;
            ui::Path path;
            if (folder) {
                path.addRoundedRect({ { w * 0.06, h * 0.12 }, { w * 0.88, h * 0.68 } }, 2, 2);
                path.addRoundedRect({ { w * 0.06, h * 0.70 }, { w * 0.38, h * 0.14 } }, 2, 2);
            } else {
                path.addLines({ { w * 0.18, h * 0.06 }, { w * 0.82, h * 0.06 }, { w * 0.82, h * 0.70 },
                    { w * 0.58, h * 0.94 }, { w * 0.18, h * 0.94 } });
                path.closeSubpath();
            }
            context.fillPath(path, ui::Color::fromRGBA(0.93, 0.93, 0.93));
            ui::StrokeStyle stroke;
            stroke.color = ui::Color::fromRGBA(0.45, 0.45, 0.45);
            stroke.lineWidth = 1;
            context.strokePath(path, stroke);
        });
    }

    ui::Image fromTheme(const QStringList &names, bool folder)
    {
        ui::ThemeIconReader::waitForReaders();
        for (const QString &name : names) {
            if (QIcon::hasThemeIcon(name))
                return ui::Image::fromIcon(QIcon::fromTheme(name), kIconSize);
        }
        return drawnSheet(folder);
    }
}

QStringList FileIcons::iconNamesForContentType(const QString &contentType)
{
    const QMimeType type = QMimeDatabase().mimeTypeForName(contentType);
    if (!type.isValid())
        return {};
    QStringList names { type.iconName(), type.genericIconName() };
    if (type.name() == kFolderType)
        names << QStringLiteral("folder");
    names.removeAll(QString());
    names.removeDuplicates();
    return names;
}

QStringList FileIcons::iconNamesForFile(const QString &path)
{
    if (QStringList names = settingsIconNames(path); !names.isEmpty())
        return names;
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (info.isDir() && path.endsWith(QLatin1String(".app")))
        return { QStringLiteral("application-x-executable") };
    return iconNamesForContentType(QMimeDatabase().mimeTypeForFile(info).name());
}

ui::Image FileIcons::iconForFile(const QString &path)
{
    return fromTheme(iconNamesForFile(path), QFileInfo(path).isDir());
}

ui::Image FileIcons::iconForContentType(const QString &contentType)
{
    return fromTheme(iconNamesForContentType(contentType), contentType == kFolderType);
}

ui::Image FileIcons::iconForFileType(const QString &extension)
{
    const QMimeType type
        = QMimeDatabase().mimeTypeForFile(QStringLiteral("file.") + extension, QMimeDatabase::MatchExtension);
    return iconForContentType(type.name());
}

} // namespace platform
