#include "tavrin/urlextensions.h"

#include <platform/core/bundle.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using tavrin::FileType;
using tavrin::UrlExtensions;

Q_DECLARE_METATYPE(FileType)

class UrlExtensionsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(m_dir.filePath("photo.jpg")));
        QVERIFY(image.save(m_dir.filePath("picture.png")));
        write("paper.pdf", "%PDF-1.4\n%%EOF\n");
        write("pdf-without-extension", "%PDF-1.4\n%%EOF\n"); // told by its content
        write("bundle.zip", QByteArray("PK\x03\x04", 4) + QByteArray(26, '\0'));
        write("backup.tar.gz", QByteArray("\x1f\x8b\x08\x00", 4) + QByteArray(16, '\0'));
        write("notes.txt", "plain words\n");
        write("clip.mp4", QByteArray(16, '\0'));
        write("song.mp3", QByteArray(16, '\0'));
        write("drawing.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"/>\n");
        write("program.c", "int main(void) { return 0; }\n");
        QVERIFY(QDir(m_dir.path()).mkdir("folder"));
    }
    void cleanup() { platform::Bundle::setPreferredLanguages({}); }

    void kinds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("identifier"); // empty: none
        QTest::addColumn<FileType>("type");
        QTest::addColumn<bool>("directory");
        QTest::newRow("jpeg is a photo") << "photo.jpg"
                                         << "public.jpeg" << FileType::Photo << false;
        QTest::newRow("png is a photo") << "picture.png"
                                        << "public.png" << FileType::Photo << false;
        QTest::newRow("svg is a photo") << "drawing.svg"
                                        << "public.svg-image" << FileType::Photo << false;
        QTest::newRow("pdf is a document") << "paper.pdf"
                                           << "com.adobe.pdf" << FileType::Document << false;
        QTest::newRow("pdf known by content") << "pdf-without-extension"
                                              << "com.adobe.pdf" << FileType::Document << false;
        QTest::newRow("zip is an archive") << "bundle.zip"
                                           << "public.zip-archive" << FileType::Archive << false;
        QTest::newRow("compressed tar is an archive by its ancestry")
            << "backup.tar.gz"
            << "dyn.mime.application/x-compressed-tar" << FileType::Archive << false;
        QTest::newRow("mp4 is a video") << "clip.mp4"
                                        << "public.mpeg-4" << FileType::Video << false;
        QTest::newRow("mp3 is audio") << "song.mp3"
                                      << "public.mp3" << FileType::Audio << false;
        QTest::newRow("plain text is other") << "notes.txt"
                                             << "public.plain-text" << FileType::Other << false;
        QTest::newRow("source text is other") << "program.c"
                                              << "dyn.mime.text/x-csrc" << FileType::Other << false;
        QTest::newRow("folder") << "folder"
                                << "public.folder" << FileType::Other << true;
        QTest::newRow("missing file") << "missing.jpg" << QString() << FileType::Other << false;
    }
    void kinds()
    {
        QFETCH(QString, name);
        QFETCH(QString, identifier);
        QFETCH(FileType, type);
        QFETCH(bool, directory);
        // Folder URLs end in "/", as listings and the standard folders make them.
        const QUrl url = QUrl::fromLocalFile(m_dir.filePath(name) + (directory ? QStringLiteral("/") : QString()));
        QCOMPARE(UrlExtensions::isDirectory(url), directory);
        QCOMPARE(UrlExtensions::typeIdentifier(url).value_or(QString()), identifier);
        QCOMPARE(UrlExtensions::contentType(url).has_value(), !identifier.isEmpty());
        QCOMPARE(UrlExtensions::fileType(url), type);
        QCOMPARE(UrlExtensions::isImage(url), type == FileType::Photo);
        QCOMPARE(UrlExtensions::isMovie(url), type == FileType::Video);
        QCOMPARE(UrlExtensions::isAudio(url), type == FileType::Audio);
        QCOMPARE(UrlExtensions::isArchive(url), type == FileType::Archive);
        QCOMPARE(UrlExtensions::isPDF(url), type == FileType::Document);
        QCOMPARE(UrlExtensions::fileName(url), name);
    }

    void conformanceIsTransitiveAndIncludesEquality()
    {
        const auto jpeg = platform::UniformType::withIdentifier("public.jpeg");
        QVERIFY(jpeg);
        QVERIFY(jpeg->conforms(*jpeg));
        QVERIFY(jpeg->conforms(platform::UniformType::image()));
        QVERIFY(jpeg->conforms(platform::UniformType::data()));
        QVERIFY(jpeg->conforms(platform::UniformType::item()));
        QVERIFY(!jpeg->conforms(platform::UniformType::movie()));
        QVERIFY(!platform::UniformType::image().conforms(*jpeg));
        QVERIFY(platform::UniformType::pdf().conforms(platform::UniformType::pdf()));
        QVERIFY(!platform::UniformType::withIdentifier("no.such.type"));
        QCOMPARE(jpeg->preferredMimeType(), QStringLiteral("image/jpeg"));
    }

    void nonFileUrls()
    {
        const QUrl web("https://velmorn.example/photo.jpg");
        QVERIFY(!UrlExtensions::typeIdentifier(web));
        QCOMPARE(UrlExtensions::fileType(web), FileType::Other);
        QVERIFY(!UrlExtensions::isDirectory(web));
        QCOMPARE(UrlExtensions::fileName(web), QStringLiteral("photo.jpg"));
    }

    void fileNames_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QString>("name");
        QTest::newRow("file") << QUrl("file:///home/ada/notes.txt") << "notes.txt";
        QTest::newRow("folder") << QUrl("file:///home/ada/Documents/") << "Documents";
        QTest::newRow("folder with doubled slash") << QUrl("file:///home/ada//") << "ada";
        QTest::newRow("root") << QUrl("file:///") << "/";
        QTest::newRow("escaped folder") << QUrl("file:///home/ada/My%20Files/") << "My Files";
        QTest::newRow("web folder") << QUrl("https://velmorn.example/albums/") << "albums";
        QTest::newRow("web without path") << QUrl("https://velmorn.example") << "";
    }
    void fileNames()
    {
        QFETCH(QUrl, url);
        QFETCH(QString, name);
        QCOMPARE(UrlExtensions::fileName(url), name);
    }

    void localizedNames_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<FileType>("type");
        QTest::addColumn<QString>("expected");
        QTest::newRow("english") << "en" << FileType::Photo << "Photo";
        QTest::newRow("german") << "de" << FileType::Document << "Dokument";
        QTest::newRow("german other") << "de" << FileType::Other << "Sonstiges";
    }
    void localizedNames()
    {
        QFETCH(QString, language);
        QFETCH(FileType, type);
        QFETCH(QString, expected);
        platform::Bundle::setPreferredLanguages({ language });
        QCOMPARE(tavrin::localizedName(type), expected);
    }

private:
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(m_dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(UrlExtensionsTest)
#include "urlextensions_test.moc"
