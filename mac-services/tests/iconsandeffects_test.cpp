#include "olvane/fileiconmanager.h"
#include "olvane/imageextensions.h"
#include "olvane/iokithelper.h"
#include "olvane/photoeffect.h"
#include "olvane/urlextensions.h"
#include "platform/desktop/memoryworkspace.h"
#include "platform/registry/memoryregistry.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using olvane::FileIconManager;
using olvane::PhotoEffect;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A 2x2 picture in PNG form; the icon files of the fixtures carry it under an ".icns" name.
QByteArray pngBytes(QRgb colour)
{
    QImage image(2, 2, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class IconsAndEffectsTest : public QObject {
    Q_OBJECT

private slots:
    void registryReaders_data()
    {
        QTest::addColumn<platform::Value>("value");
        QTest::addColumn<std::optional<quint32>>("number");
        QTest::addColumn<std::optional<QString>>("text");
        using N = std::optional<quint32>;
        using T = std::optional<QString>;
        QTest::newRow("two bytes little-endian")
            << platform::Value(QByteArray("\x34\x12", 2)) << N(4660) << T("\x34\x12");
        QTest::newRow("only four bytes count")
            << platform::Value(QByteArray("\x01\x00\x00\x80\xff", 5)) << N(0x80000001) << T();
        QTest::newRow("empty data") << platform::Value(QByteArray()) << N(0) << T("");
        QTest::newRow("UTF-8 text in data")
            << platform::Value(QByteArray("Gr\xc3\xbcn")) << N(0xbcc37247) << T(QString::fromUtf8("Gr\xc3\xbcn"));
        QTest::newRow("text, not data") << platform::Value("1234") << N() << T();
        QTest::newRow("number, not data") << platform::Value(4660) << N() << T();
        QTest::newRow("missing") << platform::Value() << N() << T();
    }

    void registryReaders()
    {
        QFETCH(platform::Value, value);
        QFETCH(std::optional<quint32>, number);
        QFETCH(std::optional<QString>, text);
        platform::MemoryRegistry registry;
        platform::Value::Dictionary properties;
        if (!value.isNull())
            properties.insert({ QStringLiteral("key"), value });
        registry.addEntry({ QStringLiteral("IOService"), {}, {}, properties });
        const platform::RegistryEntry entry = registry.firstMatchingService(QStringLiteral("IOService"));
        QVERIFY(entry.isValid());
        QCOMPARE(olvane::IOKitHelper::numberProperty(entry, QStringLiteral("key")), number);
        QCOMPARE(olvane::IOKitHelper::stringProperty(entry, QStringLiteral("key")), text);
    }

    void photoEffectNames()
    {
        QCOMPARE(
            olvane::photoEffectFromRawValue(QStringLiteral("CIPhotoEffectNoir")), std::optional(PhotoEffect::noir));
        QCOMPARE(
            olvane::photoEffectFromRawValue(QStringLiteral("CIPhotoEffectMono")), std::optional(PhotoEffect::mono));
        QCOMPARE(olvane::photoEffectFromRawValue(QStringLiteral("ciphotoeffectnoir")), std::optional<PhotoEffect>());
        QCOMPARE(olvane::rawValue(PhotoEffect::tonal), QStringLiteral("CIPhotoEffectTonal"));
    }

    void effectsTurnColoursGrey()
    {
        QImage bitmap(4, 4, QImage::Format_ARGB32);
        bitmap.fill(qRgba(200, 40, 40, 255));
        bitmap.setPixel(0, 0, qRgba(0, 0, 255, 0)); // a clear pixel stays clear
        const auto image = platform::ui::Image::fromQImage(bitmap, platform::ui::Size { 8, 8 });

        QList<int> greys;
        for (PhotoEffect effect : { PhotoEffect::mono, PhotoEffect::tonal, PhotoEffect::noir }) {
            const std::optional<platform::ui::Image> result = olvane::ImageExtensions::withEffect(image, effect);
            QVERIFY(result);
            QCOMPARE(result->size(), image.size());
            const QImage pixels = result->bitmap(1.0).convertToFormat(QImage::Format_ARGB32);
            const QRgb inside = pixels.pixel(5, 5);
            QCOMPARE(qRed(inside), qGreen(inside));
            QCOMPARE(qGreen(inside), qBlue(inside));
            QCOMPARE(qAlpha(pixels.pixel(0, 0)), 0);
            greys << qRed(inside);
        }
        // A dark red: the stronger the contrast of the effect, the darker it gets.
        QVERIFY(greys[0] > greys[1]);
        QVERIFY(greys[1] > greys[2]);

        QCOMPARE(olvane::ImageExtensions::withEffect(platform::ui::Image(), PhotoEffect::mono),
            std::optional<platform::ui::Image>());
    }

    void sizes()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("file"), QByteArray(10, 'x'));
        writeFile(dir.filePath("folder/a"), QByteArray(100, 'x'));
        writeFile(dir.filePath("folder/.hidden"), QByteArray(20, 'x'));
        writeFile(dir.filePath("folder/deep/b"), QByteArray(3, 'x'));
        // A link back up would count the folder forever if it were followed.
        QVERIFY(QFile::link(dir.path(), dir.filePath("folder/deep/loop")));

        QCOMPARE(olvane::UrlExtensions::size(QUrl::fromLocalFile(dir.filePath("file"))), quint64(10));
        QCOMPARE(olvane::UrlExtensions::size(QUrl::fromLocalFile(dir.filePath("folder"))), quint64(123));
        QCOMPARE(olvane::UrlExtensions::size(QUrl::fromLocalFile(dir.filePath("nothing"))), quint64(0));
        QCOMPARE(olvane::UrlExtensions::size(QUrl("https://example.org/file")), quint64(0));
    }

    void firstIconFile()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("Resources/.hidden.icns"), "x");
        writeFile(dir.filePath("Resources/Plugin.bundle/inside.icns"), "x");
        writeFile(dir.filePath("Resources/a/deep.icns"), "x");
        writeFile(dir.filePath("Resources/b.icns"), "x");

        QCOMPARE(FileIconManager::firstIconFile(QUrl::fromLocalFile(dir.filePath("Resources"))),
            std::optional(QUrl::fromLocalFile(dir.filePath("Resources/b.icns"))));
        QFile::remove(dir.filePath("Resources/b.icns"));
        QCOMPARE(FileIconManager::firstIconFile(QUrl::fromLocalFile(dir.filePath("Resources"))),
            std::optional(QUrl::fromLocalFile(dir.filePath("Resources/a/deep.icns"))));
        QCOMPARE(FileIconManager::firstIconFile(QUrl::fromLocalFile(dir.filePath("missing"))), std::optional<QUrl>());
    }

    void appIcons()
    {
        QTemporaryDir dir;
        const QString system = dir.filePath("System");
        const QString applications = dir.filePath("Applications");
        writeFile(system + "/Clock.app/Contents/Resources/Clock.icns", pngBytes(qRgb(255, 0, 0)));
        writeFile(applications + "/Notes.app/Contents/Resources/Notes.icns", pngBytes(qRgb(0, 255, 0)));
        QDir().mkpath(applications + "/Bare.app/Contents/MacOS");
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        FileIconManager manager(system, applications);

        // The system folder's icon file, read again on every call and never cached.
        for (int i = 0; i < 2; ++i) {
            const std::optional<platform::ui::Image> clock = manager.appIcon(QStringLiteral("Clock"));
            QVERIFY(clock);
            QCOMPARE(clock->bitmap(1.0).pixel(0, 0), qRgb(255, 0, 0));
        }
        QVERIFY(workspace.iconRequests().isEmpty());
        QVERIFY(!manager.cache().contains(QStringLiteral("Clock")));

        // The applications folder: the workspace's icon of the icon file, once, then the cache.
        const auto notes = manager.appIcon(QStringLiteral("Notes"));
        QVERIFY(notes);
        QVERIFY(manager.appIcon(QStringLiteral("Notes"))->isSameObject(*notes));
        QCOMPARE(workspace.iconRequests(), QStringList { applications + "/Notes.app/Contents/Resources/Notes.icns" });

        // No icon file anywhere: the workspace's icon of the bundle path, cached too.
        QVERIFY(manager.appIcon(QStringLiteral("Bare")));
        QVERIFY(manager.appIcon(QStringLiteral("Gone")));
        QCOMPARE(
            workspace.iconRequests().mid(1), (QStringList { applications + "/Bare.app", applications + "/Gone.app" }));
        QVERIFY(manager.cache().contains(QStringLiteral("Gone")));
    }

    void iconOfUrl_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("requests");
        QTest::addColumn<bool>("found");
        QTest::newRow("bundle itself: workspace, no cache")
            << "/Applications/Notes.app" << QStringList { "/Applications/Notes.app", "/Applications/Notes.app" }
            << true;
        QTest::newRow("inside a bundle: the application by name")
            << "/Applications/Notes.app/Contents/MacOS/Notes" << QStringList { "@/Notes.app" } << true;
        QTest::newRow("first .app component wins, every .app removed")
            << "/x/Outer.app.app/Contents/Inner.app/Contents/MacOS/Inner" << QStringList { "@/Outer.app" } << true;
        QTest::newRow("no bundle") << "/usr/bin/true" << QStringList() << false;
    }

    void iconOfUrl()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, requests);
        QFETCH(bool, found);
        QTemporaryDir dir;
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        FileIconManager manager(dir.filePath("System"), dir.filePath("Applications"));

        for (int i = 0; i < 2; ++i)
            QCOMPARE(manager.icon(QUrl::fromLocalFile(path)).has_value(), found);
        requests.replaceInStrings("@", dir.filePath("Applications"));
        QCOMPARE(workspace.iconRequests(), requests);
    }
};

QTEST_MAIN(IconsAndEffectsTest)
#include "iconsandeffects_test.moc"
