#include "../src/directory_p.h"
#include "../../platform/core/tests/capturedstream.h"
#include "olvane/finder.h"
#include "olvane/path.h"

#include <platform/core/systemversion.h>
#include <platform/desktop/memoryworkspace.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <unistd.h>

using olvane::Path;
using olvane::PathType;

namespace {
void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
}

class PathTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString root() const { return m_dir.path() + "/tree"; }
    QUrl folderUrl(const QString &relative = {}) const
    {
        return QUrl::fromLocalFile(root() + (relative.isEmpty() ? "" : "/" + relative) + "/");
    }
    // The listed URLs as paths relative to the tree, folders with their "/".
    QStringList relative(const QList<QUrl> &urls) const
    {
        QStringList result;
        for (const QUrl &url : urls)
            result << url.toLocalFile().mid(root().size() + 1);
        return result;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // tree/
        //   a.txt (3 bytes), .hidden (4), b.log (5)
        //   docs/ notes.txt (6), deep/ x.txt (7)
        //   Tool.app/ Contents/ Info.plist (8)
        //   .config/ c.txt (9)
        //   empty/
        //   link -> docs
        write(root() + "/a.txt", "aaa");
        write(root() + "/.hidden", "hhhh");
        write(root() + "/b.log", "bbbbb");
        write(root() + "/docs/notes.txt", "nnnnnn");
        write(root() + "/docs/deep/x.txt", "xxxxxxx");
        write(root() + "/Tool.app/Contents/Info.plist", "pppppppp");
        write(root() + "/.config/c.txt", "ccccccccc");
        QVERIFY(QDir(root()).mkpath("empty"));
        QVERIFY(QFile::link(root() + "/docs", root() + "/link"));
    }

    void pathType_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<PathType>("type");
        QTest::newRow("missing") << "nothing" << PathType::invalid;
        QTest::newRow("file") << "a.txt" << PathType::file;
        QTest::newRow("folder") << "docs" << PathType::directory;
        QTest::newRow("package folder") << "Tool.app" << PathType::directory;
        QTest::newRow("link to a folder") << "link" << PathType::directory;
    }

    void pathType()
    {
        QFETCH(QString, relativePath);
        QFETCH(PathType, type);
        const QString path = root() + "/" + relativePath;
        QCOMPARE(Path::pathType(path), type);
        QCOMPARE(Path::isDirectory(path), type == PathType::directory);
        QCOMPARE(Path::exists(path), type != PathType::invalid);
        QCOMPARE(Path::exists(QUrl::fromLocalFile(path)), type != PathType::invalid);
    }

    void listings_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("contents: folders") << "contents dirs" << QStringList { "Tool.app/", "docs/", "empty/" };
        QTest::newRow("contents: the rest, links too") << "contents files" << QStringList { "a.txt", "b.log", "link" };
        QTest::newRow("folders: packages not entered")
            << "folders" << QStringList { "Tool.app/", "docs/", "docs/deep/", "empty/" };
        QTest::newRow("items: folder before its contents")
            << "items"
            << QStringList { "Tool.app/", "a.txt", "b.log", "docs/", "docs/deep/", "docs/deep/x.txt", "docs/notes.txt",
                   "empty/", "link" };
        QTest::newRow("items with suffix: package contents entered")
            << "items .plist" << QStringList { "Tool.app/Contents/Info.plist" };
        QTest::newRow("items with suffix: folders too") << "items .app" << QStringList { "Tool.app/" };
        QTest::newRow("files") << "files"
                               << QStringList { "a.txt", "b.log", "docs/deep/x.txt", "docs/notes.txt", "link" };
        QTest::newRow("files with suffix: packages not entered") << "files .plist" << QStringList {};
        QTest::newRow("files with suffix")
            << "files .txt" << QStringList { "a.txt", "docs/deep/x.txt", "docs/notes.txt" };
    }

    void listings()
    {
        QFETCH(QString, which);
        QFETCH(QStringList, expected);
        const QUrl url = folderUrl();
        QList<QUrl> result;
        if (which == "contents dirs")
            result = Path::contents(url, true);
        else if (which == "contents files")
            result = Path::contents(url, false);
        else if (which == "folders")
            result = Path::folders(url);
        else if (which == "items")
            result = Path::items(url);
        else if (which.startsWith("items "))
            result = Path::items(url, which.mid(6));
        else if (which == "files")
            result = Path::files(url);
        else
            result = Path::files(url, which.mid(6));
        QCOMPARE(relative(result), expected);
    }

    void listingAFileFailsWithOneLine()
    {
        CapturedOutput output;
        const QList<QUrl> result = Path::contents(QUrl::fromLocalFile(root() + "/a.txt"), false);
        const QStringList lines = output.lines();
        QVERIFY(result.isEmpty());
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().contains("a.txt"), qPrintable(lines.first()));
    }

    void deepListingsOfNothingAreEmpty()
    {
        const QUrl missing = QUrl::fromLocalFile(root() + "/nothing/");
        QVERIFY(Path::items(missing).isEmpty());
        QVERIFY(Path::folders(missing).isEmpty());
        QVERIFY(Path::files(missing, ".txt").isEmpty());
    }

    void userLibraryIsLeftOut()
    {
        // The tree's parent lies directly below the root folder, so "Library" there is a fourth
        // component, as in a user's library under the home folders.
        const QString home = m_dir.path();
        QCOMPARE(home.split('/', Qt::SkipEmptyParts).size(), 2);
        write(home + "/Library/Caches/c.db", "c");
        write(home + "/Music/m.mp3", "m");
        const QUrl homeUrl = QUrl::fromLocalFile(home + "/");
        const QUrl libraryUrl = QUrl::fromLocalFile(home + "/Library/");

        QVERIFY(Path::contents(homeUrl, true).contains(libraryUrl));
        QVERIFY(!Path::contents(homeUrl, true, true).contains(libraryUrl));
        QVERIFY(Path::contents(homeUrl, true, true).contains(QUrl::fromLocalFile(home + "/Music/")));
        QCOMPARE(Path::contents(libraryUrl, true).size(), 1);
        QVERIFY(Path::contents(libraryUrl, true, true).isEmpty());
        QVERIFY(Path::folders(homeUrl).contains(QUrl::fromLocalFile(home + "/Library/Caches/")));
        for (const QUrl &url : Path::folders(homeUrl, true))
            QVERIFY2(!url.toLocalFile().contains("/Library"), qPrintable(url.toLocalFile()));
        QDir(home + "/Library").removeRecursively();
        QDir(home + "/Music").removeRecursively();
    }

    void itemCount_data()
    {
        QTest::addColumn<bool>("directories");
        QTest::addColumn<qint64>("count");
        // Below the top-level folders Tool.app, docs and empty: Contents and deep are folders;
        // Info.plist, notes.txt and x.txt are files.
        QTest::newRow("folders") << true << qint64(2);
        QTest::newRow("files") << false << qint64(3);
    }

    void itemCount()
    {
        QFETCH(bool, directories);
        QFETCH(qint64, count);
        QCOMPARE(Path::itemCount(folderUrl(), directories), count);
    }

    void sizes()
    {
        QCOMPARE(Path::fileSize(QUrl::fromLocalFile(root() + "/b.log")), std::uint64_t(5));
        QCOMPARE(Path::fileSize(folderUrl("docs")), std::uint64_t(0));
        QCOMPARE(Path::fileSize(QUrl::fromLocalFile(root() + "/nothing")), std::uint64_t(0));
        QCOMPARE(Path::folderSize(folderUrl("empty")), std::uint64_t(0));
        QCOMPARE(Path::folderSize(folderUrl("nothing")), std::uint64_t(0));
        // Hidden items and package contents count; the link counts as itself, not as its target.
        const auto linkSize = std::uint64_t(QFileInfo(root() + "/link").symLinkTarget().isEmpty()
                ? 0
                : QFile::encodeName(QFile::symLinkTarget(root() + "/link")).size());
        QVERIFY(linkSize > 0);
        QCOMPARE(Path::folderSize(folderUrl()), std::uint64_t(3 + 4 + 5 + 6 + 7 + 8 + 9) + linkSize);
    }

    void containersLeaveOutTheSystemsOwn()
    {
        QTemporaryDir home;
        const olvane::directory::ScopedAccountHome account(home.path());
        QVERIFY(QDir(home.path()).mkpath(".var/app/com.apple.Maps"));
        QVERIFY(QDir(home.path()).mkpath(".var/app/org.gnome.Maps"));
        QVERIFY(QDir(home.path()).mkpath(".var/app/com.apple"));
        const auto names = [](const QList<QUrl> &urls) {
            QStringList result;
            for (const QUrl &url : urls)
                result << QDir(url.toLocalFile()).dirName();
            return result;
        };
        const QStringList all = names(Path::containers(false));
        const QStringList others = names(Path::containers(true));
        QCOMPARE(all, (QStringList { "com.apple", "com.apple.Maps", "org.gnome.Maps" }));
        QCOMPARE(others, (QStringList { "com.apple", "org.gnome.Maps" }));
    }

    void dates()
    {
        const QString file = root() + "/a.txt";
        const QDateTime modified = QDateTime::fromSecsSinceEpoch(1'600'000'000, Qt::UTC);
        const QDateTime accessed = QDateTime::fromSecsSinceEpoch(1'650'000'000, Qt::UTC);
        QFile handle(file);
        QVERIFY(handle.open(QIODevice::ReadWrite));
        QVERIFY(handle.setFileTime(modified, QFileDevice::FileModificationTime));
        QVERIFY(handle.setFileTime(accessed, QFileDevice::FileAccessTime));
        handle.close();
        QCOMPARE(Path::modificationDate(file), std::optional<QDateTime>(modified));
        QCOMPARE(Path::lastUsedDate(file), std::optional<QDateTime>(accessed));
        QCOMPARE(Path::modificationDate(root() + "/nothing"), std::nullopt);
        QCOMPARE(Path::creationDate(root() + "/nothing"), std::nullopt);
        QCOMPARE(Path::lastUsedDate(root() + "/nothing"), std::nullopt);
    }

    void icons()
    {
        const QUrl missing = QUrl::fromLocalFile(root() + "/nothing.txt");
        QVERIFY(!Path::icon(missing).has_value());
        const auto text = Path::icon(QUrl::fromLocalFile(root() + "/a.txt"));
        QVERIFY(text.has_value() && text->hasContent());
        {
            // Older systems take the kind from the name alone.
            platform::ScopedSystemVersion older(11, 6);
            const auto byName = Path::icon(missing);
            QVERIFY(byName.has_value() && byName->hasContent());
        }
        QVERIFY(Path::icon(root() + "/nothing").hasContent());
        QCOMPARE(Path::icon(root() + "/docs").size(), (platform::ui::Size { 32, 32 }));
    }

    void remove_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::newRow("file") << "gone.txt";
        QTest::newRow("folder with contents") << "gone/inner";
        QTest::newRow("never existed") << "never";
    }

    void remove()
    {
        QFETCH(QString, relativePath);
        const QString scratch = m_dir.path() + "/scratch";
        if (relativePath != "never")
            write(scratch + "/" + relativePath, "x");
        const QString target = scratch + "/" + relativePath.section('/', 0, 0);
        CapturedOutput output;
        QVERIFY(Path::remove(QUrl::fromLocalFile(target)));
        QCOMPARE(output.lines().size(), relativePath == "never" ? 1 : 0);
        QVERIFY(!QFileInfo::exists(target));
    }

    void appending_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<QStringList>("components");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text decides: plain") << 13 << QStringList { "docs", "deep" } << "docs/deep";
        QTest::newRow("text decides: marked") << 13 << QStringList { "docs", "new/" } << "docs/new/";
        QTest::newRow("older: existing folder") << 12 << QStringList { "docs", "deep" } << "docs/deep/";
        QTest::newRow("older: file") << 12 << QStringList { "a.txt" } << "a.txt";
        QTest::newRow("older: missing") << 12 << QStringList { "none" } << "none";
        QTest::newRow("nothing appended") << 13 << QStringList {} << "";
    }

    void appending()
    {
        QFETCH(int, major);
        QFETCH(QStringList, components);
        QFETCH(QString, expected);
        platform::ScopedSystemVersion version(major);
        QCOMPARE(Path::appending(folderUrl(), components), QUrl::fromLocalFile(root() + "/" + expected));
    }

    void finderRevealsInTheFolder_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("root");
        QTest::newRow("file") << QUrl::fromLocalFile("/a/b/c.txt") << "/a/b/c.txt"
                              << "/a/b";
        QTest::newRow("folder URL") << QUrl::fromLocalFile("/a/b/") << "/a/b"
                                    << "/a";
        QTest::newRow("below the root folder") << QUrl::fromLocalFile("/a") << "/a"
                                               << "/";
        QTest::newRow("root folder") << QUrl::fromLocalFile("/") << "/"
                                     << "/";
    }

    void finderRevealsInTheFolder()
    {
        QFETCH(QUrl, url);
        QFETCH(QString, path);
        QFETCH(QString, root);
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        olvane::Finder::reveal(url);
        QCOMPARE(workspace.selectedFiles(), (QList<std::pair<QString, QString>> { { path, root } }));
    }
};

QTEST_MAIN(PathTest)
#include "path_test.moc"
