#include "httptestserver.h"
#include "pirrow/marketing.h"
#include "pirrow/otherappcell.h"
#include "pirrow/otherappsviewcontroller.h"

#include <platform/core/json.h>
#include <platform/core/mainqueue.h>
#include <platform/desktop/memoryworkspace.h>
#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>

#include <QBuffer>
#include <QImage>
#include <QLocale>
#include <QTest>

using pirrow::Marketing;
using pirrow::OtherApp;
using pirrow::OtherAppsViewController;
using quenbytest::HttpTestServer;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

QByteArray entry(const QString &identifier, const QString &name, const QString &iconUrl = QStringLiteral("x"))
{
    return QStringLiteral("{\"bundleIdentifier\": \"%1\", \"name\": \"%2\", \"german\": \"%2 auf Deutsch\", "
                          "\"english\": \"%2 in English\", \"iconUrl\": \"%3\", "
                          "\"storeUrl\": \"https://store.example/%1\"}")
        .arg(identifier, name, iconUrl)
        .toUtf8();
}

QByteArray list(const QList<QByteArray> &entries) { return "{\"apps\": [" + entries.join(',') + "]}"; }

QStringList names(const QList<OtherApp> &apps)
{
    QStringList result;
    for (const OtherApp &app : apps)
        result << app.name;
    return result;
}

template <typename T> bool settle(const QFuture<T> &future)
{
    return QTest::qWaitFor([&] { return future.isFinished(); }, 10000);
}

QByteArray pngOfColour(const QColor &colour)
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class OtherAppsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<HttpTestServer> m_server;
    std::optional<pirrow::ScopedMarketingWebsite> m_website;
    std::unique_ptr<platform::MemoryWorkspace> m_workspace;
    std::optional<platform::ScopedWorkspace> m_workspaceGuard;

private slots:
    void init()
    {
        m_server = std::make_unique<HttpTestServer>();
        QVERIFY(m_server->start());
        m_website.emplace(m_server->baseUrl());
        m_workspace = std::make_unique<platform::MemoryWorkspace>();
        m_workspaceGuard.emplace(*m_workspace);
    }
    void cleanup()
    {
        m_workspaceGuard.reset();
        m_workspace.reset();
        m_website.reset();
        m_server.reset();
        QLocale::setDefault(QLocale::c());
    }

    void theListIsAllOrNothing_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("expected");
        const QByteArray one = entry(QStringLiteral("com.a"), QStringLiteral("Alpha"));
        const QByteArray two = entry(QStringLiteral("com.b"), QStringLiteral("Beta"));
        QTest::newRow("two entries in served order") << 200 << list({ two, one }) << QStringList { "Beta", "Alpha" };
        QTest::newRow("unknown keys are ignored")
            << 200
            << QByteArray("{\"version\": 2, \"apps\": [" + QByteArray(one).replace("{", "{\"extra\": 1, ") + "]}")
            << QStringList { "Alpha" };
        QTest::newRow("empty list") << 200 << QByteArray("{\"apps\": []}") << QStringList();
        QTest::newRow("an entry without iconUrl empties the list")
            << 200 << list({ one, QByteArray(two).replace("\"iconUrl\": \"x\",", "") }) << QStringList();
        QTest::newRow("a number in place of a text empties the list")
            << 200 << list({ one, QByteArray(two).replace("\"Beta\"", "7") }) << QStringList();
        QTest::newRow("no apps key") << 200 << QByteArray("{\"applications\": []}") << QStringList();
        QTest::newRow("an error page") << 500 << QByteArray("<html>Internal Server Error</html>") << QStringList();
        QTest::newRow("a list that is not an array") << 200 << QByteArray("{\"apps\": {}}") << QStringList();
    }
    void theListIsAllOrNothing()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QStringList, expected);
        m_server->route("/files/apps.json", { status, body, {}, false });
        const QFuture<QList<OtherApp>> apps = Marketing::fetchOtherApps();
        QVERIFY(settle(apps));
        QCOMPARE(names(apps.result()), expected);
        QCOMPARE(m_server->requests().size(), 1);
        QCOMPARE(m_server->requests().first().method, QByteArray("GET"));
        QCOMPARE(m_server->requests().first().target, QByteArray("/files/apps.json"));
    }

    void entriesDecodeEveryField()
    {
        m_server->route(
            "/files/apps.json", { 200, list({ entry(QStringLiteral("com.a"), QStringLiteral("Alpha")) }), {}, false });
        const QFuture<QList<OtherApp>> apps = Marketing::fetchOtherApps();
        QVERIFY(settle(apps));
        QCOMPARE(apps.result().size(), 1);
        const OtherApp app = apps.result().first();
        QCOMPARE(app.bundleIdentifier, QStringLiteral("com.a"));
        QCOMPARE(app.german, QStringLiteral("Alpha auf Deutsch"));
        QCOMPARE(app.english, QStringLiteral("Alpha in English"));
        QCOMPARE(app.iconUrl, QStringLiteral("x"));
        QCOMPARE(app.storeUrl, QStringLiteral("https://store.example/com.a"));
        QCOMPARE(OtherApp::decode(app.encoded()), app);
    }

    void aSiteThatCannotBeReachedGivesTheEmptyList()
    {
        pirrow::ScopedMarketingWebsite closed(QStringLiteral("http://127.0.0.1:%1").arg(quenbytest::closedPort()));
        const QFuture<QList<OtherApp>> apps = Marketing::fetchOtherApps();
        QVERIFY(settle(apps));
        QVERIFY(apps.result().isEmpty());
    }

    void theFilterDropsExactlyMatchingIdentifiers_data()
    {
        QTest::addColumn<std::optional<QString>>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no filter") << std::optional<QString>() << QStringList { "A", "B", "A2", "C" };
        QTest::newRow("every entry of that identifier, order kept")
            << std::optional<QString>(QStringLiteral("com.a")) << QStringList { "B", "C" };
        QTest::newRow("another letter case removes nothing")
            << std::optional<QString>(QStringLiteral("COM.A")) << QStringList { "A", "B", "A2", "C" };
    }
    void theFilterDropsExactlyMatchingIdentifiers()
    {
        QFETCH(std::optional<QString>, filter);
        QFETCH(QStringList, expected);
        m_server->route("/files/apps.json",
            { 200, list({ entry("com.a", "A"), entry("com.b", "B"), entry("com.a", "A2"), entry("com.c", "C") }), {},
                false });
        const QFuture<QList<OtherApp>> apps = Marketing::fetchOtherApps(filter);
        QVERIFY(settle(apps));
        QCOMPARE(names(apps.result()), expected);
    }

    void developerPageOpensInTheBrowser()
    {
        Marketing::openDeveloperPage();
        QCOMPARE(m_workspace->openedUrls().size(), 1);
        const QUrl url = m_workspace->openedUrls().first();
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QCOMPARE(url.host(), Marketing::storeHost);
        QCOMPARE(url.path(), QStringLiteral("/us/developer/velmorn/id") + Marketing::developerIdentifier);
    }

    void thePanelComesFromItsStoryboard()
    {
        const auto panel = Marketing::makeOtherAppsViewController();
        QVERIFY(panel);
        QVERIFY(panel->view());
        QVERIFY(panel->scrollView() && panel->collectionView() && panel->infoView());
        QVERIFY(!panel->filter());
    }

    void refreshShowsTheGridOrTheInfoText_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("items");
        QTest::newRow("three apps") << list({ entry("com.a", "A"), entry("com.b", "B"), entry("com.c", "C") }) << 3;
        QTest::newRow("empty list") << QByteArray("{\"apps\": []}") << 0;
        QTest::newRow("broken list") << QByteArray("{\"apps\": [1]}") << 0;
    }
    void refreshShowsTheGridOrTheInfoText()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, items);
        m_server->route("/files/apps.json", { 200, body, {}, false });
        const auto panel = Marketing::makeOtherAppsViewController();
        panel->viewWillAppear();
        const QFuture<void> done = panel->refresh();
        QVERIFY(settle(done));
        QCOMPARE(panel->apps().size(), items);
        platform::MainQueue::drain();
        QCOMPARE(panel->numberOfSections(), 1);
        QCOMPARE(panel->numberOfItemsInSection(0), items);
        QCOMPARE(int(panel->items().size()), items);
        QCOMPARE(panel->scrollView()->isHidden(), items == 0);
        QCOMPARE(panel->infoView()->isHidden(), items != 0);
        for (const auto &cell : panel->items())
            QCOMPARE(cell->view()->frame().size, (platform::ui::Size { 256, 232 }));
    }

    void tilesFlowInRowsInsideTheInsets_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("width");
        QTest::addColumn<platform::ui::Rect>("expected");
        // 24 + 256 + 8 + 256 + 32 = 576: two tiles per row.
        QTest::newRow("first") << 0 << 576.0 << platform::ui::Rect(24, 24, 256, 232);
        QTest::newRow("second, same row") << 1 << 576.0 << platform::ui::Rect(288, 24, 256, 232);
        QTest::newRow("third, next row") << 2 << 576.0 << platform::ui::Rect(24, 272, 256, 232);
        QTest::newRow("one column when narrow") << 1 << 575.0 << platform::ui::Rect(24, 272, 256, 232);
        QTest::newRow("narrower than a tile still one column") << 1 << 100.0 << platform::ui::Rect(24, 272, 256, 232);
    }
    void tilesFlowInRowsInsideTheInsets()
    {
        QFETCH(int, index);
        QFETCH(double, width);
        QFETCH(platform::ui::Rect, expected);
        QCOMPARE(OtherAppsViewController::itemFrame(index, width), expected);
    }

    void subtitleFollowsTheLanguage_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German") << "de_DE"
                                << "A auf Deutsch";
        QTest::newRow("Swiss German") << "de_CH"
                                      << "A auf Deutsch";
        QTest::newRow("English") << "en_US"
                                 << "A in English";
        QTest::newRow("French") << "fr_FR"
                                << "A in English";
        QTest::newRow("no language") << "C"
                                     << "A in English";
    }
    void subtitleFollowsTheLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        OtherAppsViewController panel;
        panel.setApps({ OtherApp::decode(platform::json::parse(entry("com.a", "A"))) });
        const auto cell = panel.makeItem(0);
        QCOMPARE(cell->appTitle()->stringValue(), QStringLiteral("A"));
        QCOMPARE(cell->appSubtitle()->stringValue(), expected);
    }

    void tilesLoadTheirIcons_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("hasImage");
        QTest::newRow("a picture") << pngOfColour(Qt::red) << true;
        QTest::newRow("data that is no picture") << QByteArray("not an image") << false;
    }
    void tilesLoadTheirIcons()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, hasImage);
        m_server->route("/icon.png", { 200, answer, {}, false });
        OtherAppsViewController panel;
        panel.setApps(
            { OtherApp::decode(platform::json::parse(entry("com.a", "A", m_server->baseUrl() + "/icon.png"))) });
        const auto cell = panel.makeItem(0);
        QVERIFY(QTest::qWaitFor([&] { return m_server->requests().size() == 1; }, 10000));
        QVERIFY(QTest::qWaitFor([&] { return cell->iconView()->image().has_value() == hasImage; }, 10000));
        if (hasImage)
            QCOMPARE(cell->iconView()->image()->size(), (platform::ui::Size { 4, 4 }));
    }

    void anIconAddressThatDoesNotParseClearsTheIcon()
    {
        OtherAppsViewController panel;
        panel.setApps({ OtherApp::decode(platform::json::parse(entry("com.a", "A", "http://exa mple.com/%zz"))) });
        const auto cell = panel.makeItem(0);
        QVERIFY(!cell->iconView()->image());
        QVERIFY(m_server->requests().isEmpty());
    }

    void choosingATileOpensItsStorePageAndLeavesNothingChosen_data()
    {
        QTest::addColumn<QString>("storeUrl");
        QTest::addColumn<int>("opened");
        QTest::newRow("an address") << "https://store.example/app/1" << 1;
        QTest::newRow("empty text") << "" << 0;
    }
    void choosingATileOpensItsStorePageAndLeavesNothingChosen()
    {
        QFETCH(QString, storeUrl);
        QFETCH(int, opened);
        OtherApp app = OtherApp::decode(platform::json::parse(entry("com.a", "A")));
        app.storeUrl = storeUrl;
        OtherAppsViewController panel;
        panel.setApps({ app });
        panel.selectItem(0);
        QCOMPARE(m_workspace->openedUrls().size(), opened);
        if (opened)
            QCOMPARE(m_workspace->openedUrls().first(), QUrl(storeUrl));
        QVERIFY(!panel.selectedItem());
    }
};

QTEST_MAIN(OtherAppsTest)
#include "otherapps_test.moc"
