#include "platform/ui/themeiconreader.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using platform::ui::ThemeIconReader;

namespace {
// A theme with one icon at 22 px, "quenby-test-present" (solid red); other names fall through to
// hicolor and the fallback file.
bool makeTheme(const QString &root)
{
    if (!QDir(root).mkpath(QStringLiteral("quenbytest/22x22/apps")))
        return false;
    QFile index(root + QStringLiteral("/quenbytest/index.theme"));
    if (!index.open(QIODevice::WriteOnly))
        return false;
    index.write("[Icon Theme]\nName=Quenby test\nDirectories=22x22/apps\n\n"
                "[22x22/apps]\nSize=22\nContext=Applications\nType=Fixed\n");
    index.close();
    QImage red(22, 22, QImage::Format_ARGB32);
    red.fill(Qt::red);
    return red.save(root + QStringLiteral("/quenbytest/22x22/apps/quenby-test-present.png"));
}

QRgb centre(const QIcon &icon)
{
    return icon.pixmap(22, 22).toImage().pixel(11, 11);
}
} // namespace

class ThemeIconReaderTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_theme.isValid());
        QVERIFY(makeTheme(m_theme.path()));
        QVERIFY(m_fallback.isValid());
        QImage blue(22, 22, QImage::Format_ARGB32);
        blue.fill(Qt::blue);
        m_fallbackFile = m_fallback.filePath(QStringLiteral("fallback.png"));
        QVERIFY(blue.save(m_fallbackFile));
        QIcon::setThemeSearchPaths({ m_theme.path() });
        QIcon::setThemeName(QStringLiteral("quenbytest"));
    }

    // The icon read on the other thread is the one the main thread would have looked up.
    void looksUpLikeTheMainThread_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withFallback");
        QTest::addColumn<bool>("isNull");
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("in the theme") << "quenby-test-present" << true << false << qRgb(255, 0, 0);
        QTest::newRow("missing, the fallback file") << "quenby-test-absent" << true << false << qRgb(0, 0, 255);
        QTest::newRow("missing, no fallback") << "quenby-test-absent" << false << true << QRgb(0);
    }
    void looksUpLikeTheMainThread()
    {
        QFETCH(QString, name);
        QFETCH(bool, withFallback);
        QFETCH(bool, isNull);
        QFETCH(QRgb, colour);
        const QString fallback = withFallback ? m_fallbackFile : QString();

        ThemeIconReader reader(name, fallback);
        const QIcon read = reader.icon();
        QCOMPARE(read.isNull(), isNull);
        if (!isNull)
            QCOMPARE(centre(read), colour);

        const QIcon here = withFallback ? QIcon::fromTheme(name, QIcon(fallback)) : QIcon::fromTheme(name);
        QCOMPARE(here.isNull(), read.isNull());
        QCOMPARE(read.name(), here.name());
        QCOMPARE(reader.icon().cacheKey(), read.cacheKey());
    }

    // A reader dropped without being asked waits for its thread, and the ones waited for by
    // `waitForReaders` leave the theme to the main thread.
    void waitsForItsThread()
    {
        for (int i = 0; i < 8; ++i)
            ThemeIconReader(QStringLiteral("quenby-test-present"), m_fallbackFile);
        ThemeIconReader kept(QStringLiteral("quenby-test-present"), QString());
        ThemeIconReader::waitForReaders();
        QVERIFY(QIcon::hasThemeIcon(QStringLiteral("quenby-test-present")));
        QCOMPARE(centre(kept.icon()), qRgb(255, 0, 0));
    }

private:
    QTemporaryDir m_theme;
    QTemporaryDir m_fallback;
    QString m_fallbackFile;
};

QTEST_MAIN(ThemeIconReaderTest)
#include "themeiconreader_test.moc"
