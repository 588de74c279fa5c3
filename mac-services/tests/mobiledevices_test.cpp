#include "olvane/mobiledevices.h"
#include "olvane/olvane.h"

#include <platform/core/bundle.h>

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using olvane::MobileDevice;
using olvane::MobileDevices;

namespace {
QString kindOf(const MobileDevice *device)
{
    if (!device)
        return QStringLiteral("none");
    if (dynamic_cast<const olvane::Phone *>(device))
        return QStringLiteral("Phone");
    if (dynamic_cast<const olvane::Tablet *>(device))
        return QStringLiteral("Tablet");
    if (dynamic_cast<const olvane::Watch *>(device))
        return QStringLiteral("Watch");
    if (dynamic_cast<const olvane::Audio *>(device))
        return QStringLiteral("Audio");
    return QStringLiteral("other");
}
}

// Puts the icon theme search on `paths` with `theme` for the lifetime of the guard.
class ScopedIconTheme {
public:
    ScopedIconTheme(const QStringList &paths, const QString &theme)
        : m_paths(QIcon::themeSearchPaths())
        , m_theme(QIcon::themeName())
        , m_fallback(QIcon::fallbackThemeName())
    {
        QIcon::setThemeSearchPaths(paths);
        QIcon::setThemeName(theme);
        QIcon::setFallbackThemeName(QString());
    }
    ~ScopedIconTheme()
    {
        QIcon::setThemeSearchPaths(m_paths);
        QIcon::setThemeName(m_theme);
        QIcon::setFallbackThemeName(m_fallback);
    }

private:
    QStringList m_paths;
    QString m_theme;
    QString m_fallback;
};

const QString kAdwaita = QStringLiteral("/usr/share/icons/Adwaita");

class MobileDevicesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_icons;

    // A small theme "Tiny" holding a picture of one model and pictures of names that a shortened
    // lookup would reach ("computer-apple-ipad" to "computer").
    void writeTinyTheme()
    {
        const QString folder = m_icons.path() + "/Tiny/32x32/devices";
        QVERIFY(QDir().mkpath(folder));
        QFile index(m_icons.path() + "/Tiny/index.theme");
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=Tiny\nDirectories=32x32/devices\n\n[32x32/devices]\nSize=32\n");
        index.close();
        const std::pair<const char *, Qt::GlobalColor> pictures[] = { { "com.apple.iphone-11-1", Qt::red },
            { "computer", Qt::blue }, { "computer-apple", Qt::green }, { "phone", Qt::yellow } };
        for (const auto &[name, colour] : pictures) {
            QImage image(32, 32, QImage::Format_ARGB32);
            image.fill(colour);
            QVERIFY(image.save(folder + '/' + name + ".png"));
        }
    }

    static QImage expectedPicture(const QString &file)
    {
        platform::ui::Image image = platform::ui::Image::fromFile(file);
        image.setSize({ MobileDevice::kIconSize, MobileDevice::kIconSize });
        return image.bitmap();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_icons.isValid());
        writeTinyTheme();
    }

    void icon_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("theme"); // "none", "Adwaita" or "Tiny"
        QTest::addColumn<QString>("source"); // "" = no icon, "own:<drawing>", or a theme file
        const QString adwaita = kAdwaita + "/scalable/devices/";
        QTest::newRow("first phone has none") << "iPhone1,1"
                                              << "Tiny"
                                              << "";
        QTest::newRow("no theme: our phone") << "iPhone12,1"
                                             << "none"
                                             << "own:iphone";
        QTest::newRow("no theme: our tablet") << "iPad8,1"
                                              << "none"
                                              << "own:ipad";
        QTest::newRow("no theme: our watch") << "Watch6,18"
                                             << "none"
                                             << "own:watch";
        QTest::newRow("no theme: our player") << "iPod7,1"
                                              << "none"
                                              << "own:ipod";
        QTest::newRow("generic phone has a picture") << "iPhone99,9"
                                                     << "none"
                                                     << "own:iphone";
        QTest::newRow("generic tablet has a picture") << "iPad99,9"
                                                      << "none"
                                                      << "own:ipad";
        QTest::newRow("generic watch has a picture") << "Watch99,9"
                                                     << "none"
                                                     << "own:watch";
        QTest::newRow("Adwaita's iPhone") << "iPhone12,1"
                                          << "Adwaita" << adwaita + "phone-apple-iphone-symbolic.svg";
        QTest::newRow("Adwaita's iPad") << "iPad8,1"
                                        << "Adwaita" << adwaita + "computer-apple-ipad-symbolic.svg";
        QTest::newRow("Adwaita's iPod touch")
            << "iPod7,1"
            << "Adwaita" << adwaita + "multimedia-player-apple-ipod-touch-symbolic.svg";
        QTest::newRow("Adwaita has no watch") << "Watch6,18"
                                              << "Adwaita"
                                              << "own:watch";
        QTest::newRow("the theme's picture of the model")
            << "iPhone12,1"
            << "Tiny" << m_icons.path() + "/Tiny/32x32/devices/com.apple.iphone-11-1.png";
        QTest::newRow("a plain phone or a computer is not that device") << "iPad8,1"
                                                                        << "Tiny"
                                                                        << "own:ipad";
        QTest::newRow("a plain phone is not an iPhone") << "iPhone8,1"
                                                        << "Tiny"
                                                        << "own:iphone";
    }

    void icon()
    {
        QFETCH(QString, identifier);
        QFETCH(QString, theme);
        QFETCH(QString, source);
        if (theme == "Adwaita" && !QFileInfo(kAdwaita).isDir())
            QSKIP("the Adwaita icon theme is not installed");
        const QStringList paths = theme == "Adwaita" ? QStringList { "/usr/share/icons" }
            : theme == "Tiny"                        ? QStringList { m_icons.path() }
                                                     : QStringList { m_icons.path() + "/nothing" };
        ScopedIconTheme guard(paths, theme == "none" ? QString() : theme);

        const auto device = MobileDevices::device(identifier);
        QVERIFY(device);
        const std::optional<platform::ui::Image> icon = device->icon();
        QCOMPARE(icon.has_value(), !source.isEmpty());
        if (!icon)
            return;
        QCOMPARE(icon->size(), (platform::ui::Size { MobileDevice::kIconSize, MobileDevice::kIconSize }));
        const QString file = source.startsWith("own:")
            ? platform::Bundle::module(olvane::kBundleName).pathForResource("DeviceIcons/" + source.mid(4), "svg")
            : source;
        QVERIFY(QFileInfo::exists(file));
        QCOMPARE(icon->bitmap(), expectedPicture(file));
    }

    void iconNamesOfNoModelGiveNothing_data()
    {
        QTest::addColumn<QString>("iconName");
        QTest::newRow("unknown model") << "com.apple.toaster-1.icns";
        QTest::newRow("without its frame") << "iphone-11-1";
        QTest::newRow("another extension") << "com.apple.iphone-11-1.png";
        QTest::newRow("empty") << "";
    }

    void iconNamesOfNoModelGiveNothing()
    {
        QFETCH(QString, iconName);
        ScopedIconTheme guard({ m_icons.path() }, "Tiny");
        olvane::Phone phone("iPhone", "iPhone", iconName);
        QVERIFY(!phone.icon());
    }

    void device_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<QString>("icon"); // "" = none

        QTest::newRow("phone") << "iPhone12,1"
                               << "Phone"
                               << "iPhone 11"
                               << "iPhone 11"
                               << "com.apple.iphone-11-1.icns";
        QTest::newRow("first phone has no icon") << "iPhone1,1"
                                                 << "Phone"
                                                 << "iPhone"
                                                 << "iPhone"
                                                 << "";
        QTest::newRow("newest phone") << "iPhone16,2"
                                      << "Phone"
                                      << "iPhone 15 Pro Max"
                                      << "15 Pro Max"
                                      << "com.apple.iphone-15-pro-2.icns";
        QTest::newRow("unknown phone: generic") << "iPhone99,9"
                                                << "Phone"
                                                << "iPhone"
                                                << "iPhone"
                                                << "com.apple.iphone-14-pro-2.icns";
        QTest::newRow("no trimming") << " iPhone12,1"
                                     << "Phone"
                                     << "iPhone"
                                     << "iPhone"
                                     << "com.apple.iphone-14-pro-2.icns";
        QTest::newRow("phone word wins over tablet") << "iPhone-iPad1,1"
                                                     << "Phone"
                                                     << "iPhone"
                                                     << "iPhone"
                                                     << "com.apple.iphone-14-pro-2.icns";
        QTest::newRow("ipod") << "iPod7,1"
                              << "Audio"
                              << "6th Gen iPod"
                              << "iPod 6"
                              << "com.apple.ipod-touch-6-6b6a6d.icns";
        QTest::newRow("unknown ipod: nothing") << "iPod6,1"
                                               << "none"
                                               << ""
                                               << ""
                                               << "";
        QTest::newRow("tablet with suffix") << "iPad14,3-A"
                                            << "Tablet"
                                            << "iPad Pro 11 inch 4th Gen"
                                            << "iPad Pro"
                                            << "com.apple.ipad-pro-11-1.icns";
        QTest::newRow("tablet row with several keys") << "iPad13,10"
                                                      << "Tablet"
                                                      << "iPad Pro 12.9 inch 5th Gen"
                                                      << "iPad Pro"
                                                      << "com.apple.ipad-pro-12point9-2.icns";
        QTest::newRow("tablet without suffix: the generic tablet") << "iPad14,3"
                                                                   << "Tablet"
                                                                   << "iPad"
                                                                   << "iPad"
                                                                   << "com.apple.ipad-pro-12point9-2.icns";
        QTest::newRow("unknown tablet: the generic tablet") << "iPad99,9"
                                                            << "Tablet"
                                                            << "iPad"
                                                            << "iPad"
                                                            << "com.apple.ipad-pro-12point9-2.icns";
        QTest::newRow("watch") << "Watch6,18"
                               << "Watch"
                               << "Apple Watch Ultra"
                               << "Watch Ultra"
                               << "com.apple.watch-u-8.icns";
        QTest::newRow("watch row between 6,1 and 6,3") << "Watch6,2"
                                                       << "Watch"
                                                       << "Apple Watch Series 6 44mm case (GPS)"
                                                       << "Watch 6"
                                                       << "com.apple.watch-series6-2.icns";
        QTest::newRow("unknown watch: the generic watch") << "Watch99,9"
                                                          << "Watch"
                                                          << "Apple Watch"
                                                          << "Apple Watch"
                                                          << "com.apple.watch-placeholder.icns";
        QTest::newRow("lower case matches no word") << "iphone12,1"
                                                    << "none"
                                                    << ""
                                                    << ""
                                                    << "";
        QTest::newRow("empty") << ""
                               << "none"
                               << ""
                               << ""
                               << "";
        QTest::newRow("other device") << "MacBookPro18,3"
                                      << "none"
                                      << ""
                                      << ""
                                      << "";
    }

    void device()
    {
        QFETCH(QString, identifier);
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, shortName);
        QFETCH(QString, icon);
        const auto device = MobileDevices::device(identifier);
        QCOMPARE(kindOf(device.get()), kind);
        if (!device)
            return;
        QCOMPARE(device->name(), name);
        QCOMPARE(device->shortName(), shortName);
        QCOMPARE(device->iconName().value_or(QString()), icon);
        QCOMPARE(device->iconName().has_value(), !icon.isEmpty());
    }

    void everyCallMakesANewObject()
    {
        auto a = MobileDevices::device(QStringLiteral("iPad8,1"));
        auto b = MobileDevices::device(QStringLiteral("iPad8,1"));
        QVERIFY(a && b && a.get() != b.get());
        a->setShortName(QStringLiteral("changed"));
        QCOMPARE(b->shortName(), QStringLiteral("iPad Pro"));
        QCOMPARE(MobileDevices::device(QStringLiteral("iPad8,1"))->shortName(), QStringLiteral("iPad Pro"));
    }
};

QTEST_MAIN(MobileDevicesTest)
#include "mobiledevices_test.moc"
