#include "olvane/mobiledevice.h"

#include "mobiledevicetables_p.h"
#include "olvane/olvane.h"

#include <platform/core/bundle.h>
#include <platform/ui/themeiconreader.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QRegularExpression>
#include <QSet>

namespace olvane {

namespace {

    enum class Kind { phone, tablet, watch, player };

    constexpr const char *kIconPrefix = "com.apple.";
    constexpr const char *kIconSuffix = ".icns";

    // The kind whose table holds the icon file; none for a file no model uses.
    std::optional<Kind> kindOfIcon(const QString &iconName)
    {
        const QLatin1String prefix(kIconPrefix);
        const QLatin1String suffix(kIconSuffix);
        if (!iconName.startsWith(prefix) || !iconName.endsWith(suffix))
            return std::nullopt;
        const QString stem = iconName.mid(prefix.size(), iconName.size() - prefix.size() - suffix.size());
        const std::pair<const std::vector<ModelRow> &, Kind> tables[] = { { phoneTable(), Kind::phone },
            { tabletTable(), Kind::tablet }, { watchTable(), Kind::watch }, { iPodTable(), Kind::player } };
        for (const auto &[table, kind] : tables) {
            for (const ModelRow &row : table) {
                if (row.icon && stem == QLatin1String(row.icon))
                    return kind;
            }
        }
        // The generic watch's picture is no model's.
        if (stem == QLatin1String(genericWatch().icon))
            return Kind::watch;
        return std::nullopt;
    }

    // Freedesktop icon names that show exactly this kind of device; a watch has none.
    QStringList themeNames(Kind kind)
    {
        switch (kind) {
        case Kind::phone:
            return { QStringLiteral("phone-apple-iphone"), QStringLiteral("phone-apple-iphone-symbolic") };
        case Kind::tablet:
            return { QStringLiteral("computer-apple-ipad"), QStringLiteral("computer-apple-ipad-symbolic") };
        case Kind::player:
            return { QStringLiteral("multimedia-player-apple-ipod-touch"),
                QStringLiteral("multimedia-player-apple-ipod-touch-symbolic") };
        case Kind::watch:
            break;
        }
        return {};
    }

    QString ownDrawing(Kind kind)
    {
        switch (kind) {
        case Kind::phone:
            return QStringLiteral("iphone");
        case Kind::tablet:
            return QStringLiteral("ipad");
        case Kind::watch:
            return QStringLiteral("watch");
        case Kind::player:
            return QStringLiteral("ipod");
        }
        return {};
    }

    // The current theme, the themes it inherits, the fallback theme and hicolor, each once.
    QStringList themeChain()
    {
        platform::ui::ThemeIconReader::waitForReaders();
        QStringList chain;
        QStringList pending { QIcon::themeName() };
        while (!pending.isEmpty()) {
            const QString theme = pending.takeFirst();
            if (theme.isEmpty() || chain.contains(theme))
                continue;
            chain << theme;
            for (const QString &base : QIcon::themeSearchPaths()) {
                const QString index = base + QLatin1Char('/') + theme + QStringLiteral("/index.theme");
                QFile file(index);
                if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
                    continue;
                for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
                    if (line.startsWith(QLatin1String("Inherits=")))
                        pending << line.mid(9).split(QLatin1Char(','), Qt::SkipEmptyParts);
                }
                break;
            }
        }
        for (const QString &theme : { QIcon::fallbackThemeName(), QStringLiteral("hicolor") }) {
            if (!theme.isEmpty() && !chain.contains(theme))
                chain << theme;
        }
        return chain;
    }

    // The file of exactly the icon `name` in the theme chain: a scalable one, else the largest bitmap.
    // Qt's own lookup would fall back to shorter names ("computer-apple-ipad" to "computer"), which
    // show other things.
    QString themeIconFile(const QStringList &themes, const QString &name)
    {
        static const QRegularExpression kSize(QStringLiteral("/(\\d+)x\\d+(@\\d+)?/"));
        for (const QString &theme : themes) {
            QString best;
            int bestSize = -1;
            for (const QString &base : QIcon::themeSearchPaths()) {
                const QString folder = base + QLatin1Char('/') + theme;
                if (!QFileInfo(folder).isDir())
                    continue;
                QDirIterator it(folder,
                    { name + QStringLiteral(".svg"), name + QStringLiteral(".svgz"), name + QStringLiteral(".png") },
                    QDir::Files, QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
                while (it.hasNext()) {
                    const QString path = it.next();
                    if (!path.endsWith(QLatin1String(".png")))
                        return path;
                    const QRegularExpressionMatch size = kSize.match(path);
                    const int pixels = size.hasMatch() ? size.captured(1).toInt() : 0;
                    if (pixels > bestSize) {
                        best = path;
                        bestSize = pixels;
                    }
                }
            }
            if (!best.isEmpty())
                return best;
        }
        return {};
    }

} // namespace

MobileDevice::MobileDevice(QString name, QString shortName, std::optional<QString> iconName)
    : m_name(std::move(name))
    , m_shortName(std::move(shortName))
    , m_iconName(std::move(iconName))
{
}

MobileDevice::~MobileDevice() = default;

std::optional<platform::ui::Image> MobileDevice::icon() const
{
    if (!m_iconName)
        return std::nullopt;
    const std::optional<Kind> kind = kindOfIcon(*m_iconName);
    if (!kind)
        return std::nullopt;
    const platform::ui::Size size { kIconSize, kIconSize };

    const QString modelIcon = m_iconName->chopped(qsizetype(qstrlen(kIconSuffix)));
    const QStringList themes = themeChain();
    for (const QString &name : QStringList { modelIcon } + themeNames(*kind)) {
        const QString file = themeIconFile(themes, name);
        if (file.isEmpty())
            continue;
        platform::ui::Image image = platform::ui::Image::fromFile(file);
        if (!image.hasContent())
            continue;
        image.setSize(size);
        image.setTemplate(name.endsWith(QLatin1String("-symbolic")));
        return image;
    }

    const QString own = platform::Bundle::module(kBundleName)
                            .pathForResource(QStringLiteral("DeviceIcons/") + ownDrawing(*kind), QStringLiteral("svg"));
    platform::ui::Image image = platform::ui::Image::fromFile(own);
    if (!image.hasContent())
        return std::nullopt;
    image.setSize(size);
    return image;
}

} // namespace olvane
