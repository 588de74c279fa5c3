#include "../../platform/core/tests/capturedstream.h"
#include "olvane/directory.h"
#include "olvane/folderpermissions.h"
#include "olvane/securefolders.h"

#include <platform/core/bookmark.h>
#include <platform/core/bundle.h>
#include <platform/core/userdefaults.h>
#include <platform/ui/openpanel.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <unistd.h>

using namespace olvane;
using platform::UserDefaults;
using platform::Value;
using platform::ui::OpenPanel;
using platform::ui::ScopedOpenPanelResponder;

namespace {
// What a responder saw of the panel it answered.
struct SeenPanel {
    QUrl directory;
    QString prompt;
    bool chooseDirectories = false;
    bool chooseFiles = true;
    bool createDirectories = true;
    bool multiple = true;
};
}

class FolderPermissionsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<platform::ScopedUserDefaultsDirectory> m_defaultsDir;
    std::unique_ptr<UserDefaults> m_defaults;

    QUrl folder(const QString &name)
    {
        QDir().mkpath(m_dir.filePath(name));
        return QUrl::fromLocalFile(m_dir.filePath(name) + "/");
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Answers the next panel with `choice` (none: cancel) and records it.
    std::unique_ptr<ScopedOpenPanelResponder> respondWith(std::optional<QUrl> choice, SeenPanel *seen)
    {
        return std::make_unique<ScopedOpenPanelResponder>([choice, seen](OpenPanel &panel, platform::ui::Window *) {
            *seen = { panel.directoryUrl(), panel.prompt(), panel.canChooseDirectories(), panel.canChooseFiles(),
                panel.canCreateDirectories(), panel.allowsMultipleSelection() };
            if (choice)
                panel.choose(*choice);
            else
                panel.cancel();
        });
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_defaultsDir = std::make_unique<platform::ScopedUserDefaultsDirectory>();
        m_defaults = std::make_unique<UserDefaults>("test.folders");
        platform::Bundle::setPreferredLanguages({ "en" });
    }

    void cleanup()
    {
        for (const QUrl &url : SecureFolders::storedUrls())
            SecureFolders::stopAccessing(url);
        m_defaults.reset();
        m_defaultsDir.reset();
        platform::Bundle::setPreferredLanguages({});
    }

    void nothingStoredNothingRestored()
    {
        FolderPermissions permissions(*m_defaults);
        QVERIFY(permissions.keys().isEmpty());
        QCOMPARE(permissions.count(), 0);
        QCOMPARE(permissions.creationOptions(), 2048u);
        QCOMPARE(permissions.resolutionOptions(), 1024u);
    }

    void addedFoldersAreRegainedAtTheNextStart()
    {
        const QUrl a = folder("a");
        const QUrl b = folder("b");
        {
            FolderPermissions permissions(*m_defaults);
            permissions.add(a);
            permissions.add(b);
        }
        QCOMPARE(
            m_defaults->stringArray(kBookmarksKey), std::optional<QStringList>(QStringList { path("a"), path("b") }));
        FolderPermissions again(*m_defaults);
        QCOMPARE(again.keys(), (QStringList { path("a"), path("b") }));
        QCOMPARE(again.storedUrls(), (QSet<QUrl> { a, b }));
        QVERIFY(again.containsAll({ a, b }));
    }

    void aListWithANonTextIsIgnoredWhole()
    {
        const QUrl a = folder("a");
        {
            FolderPermissions permissions(*m_defaults);
            permissions.add(a);
        }
        m_defaults->set(kBookmarksKey, Value(Value::Array { Value(path("a")), Value(3) }));
        FolderPermissions again(*m_defaults);
        QCOMPARE(again.count(), 0);
        QVERIFY(again.keys().isEmpty());
        // Nothing is rewritten at start.
        QCOMPARE(m_defaults->array(kBookmarksKey)->size(), size_t(2));
    }

    void entriesWithoutDataAreSkipped()
    {
        const QUrl b = folder("b");
        {
            FolderPermissions permissions(*m_defaults);
            permissions.add(b);
        }
        m_defaults->set(kBookmarksKey, Value(Value::Array { Value(path("missing")), Value(path("b")) }));
        FolderPermissions again(*m_defaults);
        QCOMPARE(again.keys(), QStringList { path("b") });
        QVERIFY(again.contains(b));
    }

    void unusableBookmarksAreSkipped_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("errorLines");
        QTest::newRow("folder gone: noted once") << "gone" << 1;
        QTest::newRow("data corrupted: noted once") << "corrupt" << 1;
        QTest::newRow("folder replaced: stale, silent") << "replaced" << 0;
    }

    void unusableBookmarksAreSkipped()
    {
        QFETCH(QString, damage);
        QFETCH(int, errorLines);
        const QUrl a = folder("a");
        const QUrl c = folder("c");
        {
            FolderPermissions permissions(*m_defaults);
            permissions.add(a);
            permissions.add(c);
        }
        if (damage == "replaced") {
            // Another folder takes the name while the first still exists elsewhere (so it cannot
            // reuse the first one's identity).
            QVERIFY(QDir().rename(path("a"), path("a-old")));
            QVERIFY(QDir().mkpath(path("a")));
        } else {
            QVERIFY(QDir(path("a")).removeRecursively());
        }
        if (damage == "corrupt") {
            QVERIFY(QDir().mkpath(path("a")));
            m_defaults->set(path("a"), Value(QByteArray("not a bookmark")));
        }
        CapturedErrors errors;
        FolderPermissions again(*m_defaults);
        QCOMPARE(errors.lines().size(), errorLines);
        QCOMPARE(again.keys(), QStringList { path("c") });
        QCOMPARE(again.storedUrls(), QSet<QUrl> { c });
        QDir(path("a")).removeRecursively();
        QDir(path("a-old")).removeRecursively();
    }

    void aFolderAbsentForOneRunIsRegainedWhenBack()
    {
        const QUrl a = folder("a");
        const QUrl b = folder("b");
        const QUrl c = folder("c");
        {
            FolderPermissions permissions(*m_defaults);
            permissions.add(a);
            permissions.add(b);
        }
        const std::optional<QByteArray> dataOfA = m_defaults->data(path("a"));
        QVERIFY(dataOfA);

        // The volume holding "a" is not mounted for one run, in which the list is written back.
        QVERIFY(QDir().rename(path("a"), path("a-unmounted")));
        {
            CapturedErrors errors;
            FolderPermissions permissions(*m_defaults);
            QCOMPARE(permissions.keys(), QStringList { path("b") });
            permissions.add(c);
            QCOMPARE(permissions.storedKeys(), (QStringList { path("a"), path("b"), path("c") }));
        }
        QCOMPARE(m_defaults->stringArray(kBookmarksKey),
            std::optional<QStringList>(QStringList { path("a"), path("b"), path("c") }));
        QCOMPARE(m_defaults->data(path("a")), dataOfA);

        // Mounted again: the grant is back.
        QVERIFY(QDir().rename(path("a-unmounted"), path("a")));
        FolderPermissions again(*m_defaults);
        QCOMPARE(again.keys(), (QStringList { path("a"), path("b"), path("c") }));
        QVERIFY(again.containsAll({ a, b, c }));
    }

    void removingForgetsEntriesNotRegainedInThisRun()
    {
        {
            FolderPermissions permissions(*m_defaults);
            permissions.add(folder("a"));
            permissions.add(folder("b"));
            permissions.add(folder("c"));
        }
        QVERIFY(QDir().rename(path("a"), path("a-away")));
        QVERIFY(QDir().rename(path("b"), path("b-away")));
        {
            CapturedErrors errors;
            FolderPermissions permissions(*m_defaults);
            permissions.remove(path("a"));
            QCOMPARE(m_defaults->stringArray(kBookmarksKey),
                std::optional<QStringList>(QStringList { path("b"), path("c") }));
            QVERIFY(!m_defaults->data(path("a")));
            permissions.removeAll();
        }
        QCOMPARE(m_defaults->stringArray(kBookmarksKey), std::optional<QStringList>(QStringList {}));
        QVERIFY(!m_defaults->data(path("b")));
        QVERIFY(!m_defaults->data(path("c")));
        QVERIFY(QDir().rename(path("a-away"), path("a")));
        QVERIFY(QDir().rename(path("b-away"), path("b")));
        QCOMPARE(FolderPermissions(*m_defaults).count(), 0);
    }

    void addingTwiceKeepsTwoEntriesAndRemovingDropsBoth()
    {
        const QUrl a = folder("a");
        const QUrl b = folder("b");
        FolderPermissions permissions(*m_defaults);
        permissions.add(a);
        permissions.add(b);
        permissions.add(a);
        QCOMPARE(permissions.count(), 2);
        QCOMPARE(permissions.keys(), (QStringList { path("a"), path("b"), path("a") }));
        permissions.remove(path("a"));
        QCOMPARE(permissions.keys(), QStringList { path("b") });
        QVERIFY(!permissions.contains(a));
        QCOMPARE(m_defaults->stringArray(kBookmarksKey), std::optional<QStringList>(QStringList { path("b") }));
        QVERIFY(!m_defaults->data(path("a")));
        permissions.remove(b);
        QCOMPARE(permissions.count(), 0);
        QVERIFY(!m_defaults->data(path("b")));
    }

    void removeAllForgetsEverything()
    {
        FolderPermissions permissions(*m_defaults);
        permissions.add(folder("a"));
        permissions.add(folder("b"));
        permissions.removeAll();
        QCOMPARE(permissions.count(), 0);
        QCOMPARE(m_defaults->stringArray(kBookmarksKey), std::optional<QStringList>(QStringList {}));
        QVERIFY(!FolderPermissions(*m_defaults).count());
    }

    void containment()
    {
        FolderPermissions permissions(*m_defaults);
        QVERIFY(permissions.containsAll({}));
        QVERIFY(!permissions.containsAll({ folder("a") }));
        permissions.add(folder("a"));
        QVERIFY(permissions.containsAll({ folder("a") }));
        QVERIFY(!permissions.containsAll({ folder("a"), folder("b") }));
    }

    void nothingThereIsNotAdded()
    {
        FolderPermissions permissions(*m_defaults);
        permissions.add(QUrl::fromLocalFile(path("nowhere") + "/"));
        QCOMPARE(permissions.count(), 0);
        QVERIFY(!m_defaults->array(kBookmarksKey));
    }

    void theOpenPanelGrantsAFolder_data()
    {
        QTest::addColumn<bool>("choose");
        QTest::newRow("chosen") << true;
        QTest::newRow("cancelled") << false;
    }

    void theOpenPanelGrantsAFolder()
    {
        QFETCH(bool, choose);
        const QUrl chosen = folder("granted");
        SeenPanel seen;
        auto responder = respondWith(choose ? std::optional<QUrl>(chosen) : std::nullopt, &seen);
        FolderPermissions permissions(*m_defaults);
        std::optional<std::optional<QUrl>> result;
        permissions.requestAccess(nullptr, folder("start"), [&](std::optional<QUrl> url) { result = url; });
        QVERIFY(!result);
        QVERIFY(QTest::qWaitFor([&] { return result.has_value(); }, 2000));
        QCOMPARE(*result, choose ? std::optional<QUrl>(chosen) : std::nullopt);
        QCOMPARE(permissions.contains(chosen), choose);
        QCOMPARE(seen.directory, folder("start"));
        QCOMPARE(seen.prompt, QString("Allow"));
        QVERIFY(seen.chooseDirectories && !seen.chooseFiles && !seen.createDirectories && !seen.multiple);
    }

    void aStoreReleasedWhileThePanelIsUpIsLeftAlone()
    {
        SeenPanel seen;
        auto responder = respondWith(folder("granted"), &seen);
        auto permissions = std::make_unique<FolderPermissions>(*m_defaults);
        std::optional<std::optional<QUrl>> result;
        permissions->requestAccess(nullptr, folder("start"), [&](std::optional<QUrl> url) { result = url; });
        permissions.reset();
        QVERIFY(QTest::qWaitFor([&] { return result.has_value(); }, 2000));
        QCOMPARE(*result, std::optional<QUrl>(folder("granted")));
        QVERIFY(!m_defaults->array(kBookmarksKey));
    }

    void theUserFolderIsOffered()
    {
        SeenPanel seen;
        auto responder = respondWith(std::nullopt, &seen);
        FolderPermissions permissions(*m_defaults);
        bool done = false;
        permissions.requestUserFolderAccess(nullptr, [&](std::optional<QUrl>) { done = true; });
        QVERIFY(QTest::qWaitFor([&] { return done; }, 2000));
        QCOMPARE(seen.directory, Directory::url(Directory::user));
    }

    void secureFoldersStoreRestoreAndStop()
    {
        const QUrl a = folder("a");
        SecureFolders::restore(QStringLiteral("no such key"));
        QVERIFY(SecureFolders::storedUrls().isEmpty());

        SecureFolders::store(a, "folderA");
        QVERIFY(SecureFolders::hasAccess(a));
        QVERIFY(UserDefaults::standard().data("folderA"));

        SecureFolders::stopAccessing(a);
        QVERIFY(!SecureFolders::hasAccess(a));
        QVERIFY(UserDefaults::standard().data("folderA"));

        SecureFolders::restore(QStringList { "absent", "folderA" });
        QVERIFY(SecureFolders::hasAccess(a));
        QVERIFY(SecureFolders::hasAccess(QList<QUrl> {}));
        QVERIFY(!SecureFolders::hasAccess(QList<QUrl> { a, folder("b") }));
    }

    void secureFoldersSkipStaleBookmarks()
    {
        SecureFolders::store(folder("a"), "folderA");
        const QByteArray before = *UserDefaults::standard().data("folderA");
        SecureFolders::stopAccessing(folder("a"));
        QVERIFY(QDir().rename(path("a"), path("a-old")));
        QVERIFY(QDir().mkpath(path("a")));
        SecureFolders::restore(QString("folderA"));
        QVERIFY(SecureFolders::storedUrls().isEmpty());
        QCOMPARE(*UserDefaults::standard().data("folderA"), before);
        QDir(path("a-old")).removeRecursively();
    }

    void secureFoldersRemoveOnlyNamedBookmarks()
    {
        SecureFolders::store(folder("a"), "folderA");
        SecureFolders::store(folder("b"), "folderB");
        SecureFolders::removeBookmarks({ "absent" });
        QVERIFY(UserDefaults::standard().data("folderA") && UserDefaults::standard().data("folderB"));
        SecureFolders::removeBookmarks({ "folderA", "absent" });
        QVERIFY(!UserDefaults::standard().data("folderA"));
        QVERIFY(UserDefaults::standard().data("folderB"));
        QCOMPARE(SecureFolders::storedUrls().size(), 2);
    }

    void secureFoldersAskThroughThePanel_data()
    {
        QTest::addColumn<bool>("choose");
        QTest::newRow("chosen") << true;
        QTest::newRow("cancelled") << false;
    }

    void secureFoldersAskThroughThePanel()
    {
        QFETCH(bool, choose);
        const QUrl chosen = folder("parent/chosen");
        SeenPanel seen;
        auto responder = respondWith(choose ? std::optional<QUrl>(chosen) : std::nullopt, &seen);

        std::optional<bool> answer;
        SecureFolders::requestAccess(nullptr, folder("parent"), "first", "Pick", [&](bool ok) { answer = ok; });
        QVERIFY(QTest::qWaitFor([&] { return answer.has_value(); }, 2000));
        QCOMPARE(*answer, choose);
        QCOMPARE(seen.prompt, QString("Pick"));
        QCOMPARE(seen.directory, folder("parent"));
        QCOMPARE(UserDefaults::standard().data("first").has_value(), choose);

        std::optional<std::optional<QUrl>> url;
        SecureFolders::requestAccess(nullptr, std::nullopt, "second", "Pick", [&](std::optional<QUrl> u) { url = u; });
        QVERIFY(QTest::qWaitFor([&] { return url.has_value(); }, 2000));
        // The folder that was chosen and stored, not the one shown around it.
        QCOMPARE(*url, choose ? std::optional<QUrl>(chosen) : std::nullopt);
        QCOMPARE(SecureFolders::hasAccess(chosen), choose);
        QVERIFY(seen.directory.isEmpty());
    }
};

QTEST_MAIN(FolderPermissionsTest)
#include "folderpermissions_test.moc"
