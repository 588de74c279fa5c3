#include "platform/core/uniformtype.h"

#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>

#include <utility>

namespace platform {

namespace {
    struct Entry {
        const char *identifier;
        QStringList mimeTypes; // the first is the preferred one
        QStringList parents;
    };

    const QList<Entry> &entries()
    {
        static const QList<Entry> s_entries {
            { "public.item", {}, {} },
            { "public.content", {}, { "public.item" } },
            { "public.data", { "application/octet-stream" }, { "public.item" } },
            { "public.directory", {}, { "public.item" } },
            { "public.folder", { "inode/directory" }, { "public.directory" } },
            { "public.composite-content", {}, { "public.content" } },
            { "public.image", {}, { "public.data", "public.content" } },
            { "public.jpeg", { "image/jpeg" }, { "public.image" } },
            { "public.png", { "image/png" }, { "public.image" } },
            { "com.compuserve.gif", { "image/gif" }, { "public.image" } },
            { "public.tiff", { "image/tiff" }, { "public.image" } },
            { "com.microsoft.bmp", { "image/bmp" }, { "public.image" } },
            { "public.heic", { "image/heic" }, { "public.image" } },
            { "org.webmproject.webp", { "image/webp" }, { "public.image" } },
            { "public.svg-image", { "image/svg+xml" }, { "public.image", "public.xml" } },
            { "public.audiovisual-content", {}, { "public.data", "public.content" } },
            { "public.movie", {}, { "public.audiovisual-content" } },
            { "public.mpeg-4", { "video/mp4" }, { "public.movie" } },
            { "com.apple.quicktime-movie", { "video/quicktime" }, { "public.movie" } },
            { "public.avi", { "video/x-msvideo", "video/vnd.avi" }, { "public.movie" } },
            { "org.matroska.mkv", { "video/x-matroska" }, { "public.movie" } },
            { "org.webmproject.webm", { "video/webm" }, { "public.movie" } },
            { "public.mpeg", { "video/mpeg" }, { "public.movie" } },
            { "public.audio", {}, { "public.audiovisual-content" } },
            { "public.mp3", { "audio/mpeg" }, { "public.audio" } },
            { "com.microsoft.waveform-audio", { "audio/x-wav", "audio/wav", "audio/vnd.wave" }, { "public.audio" } },
            { "public.aiff-audio", { "audio/x-aiff", "audio/aiff" }, { "public.audio" } },
            { "public.mpeg-4-audio", { "audio/mp4", "audio/x-m4a" }, { "public.audio" } },
            { "org.xiph.flac", { "audio/flac", "audio/x-flac" }, { "public.audio" } },
            { "org.xiph.ogg-audio", { "audio/ogg", "audio/x-vorbis+ogg" }, { "public.audio" } },
            { "public.archive", {}, { "public.data" } },
            { "public.zip-archive", { "application/zip" }, { "public.archive" } },
            { "org.gnu.gnu-zip-archive", { "application/gzip", "application/x-gzip" }, { "public.archive" } },
            { "public.tar-archive", { "application/x-tar" }, { "public.archive" } },
            { "public.bzip2-archive", { "application/x-bzip2", "application/x-bzip" }, { "public.archive" } },
            { "org.7-zip.7-zip-archive", { "application/x-7z-compressed" }, { "public.archive" } },
            { "com.rarlab.rar-archive", { "application/vnd.rar", "application/x-rar" }, { "public.archive" } },
            { "org.tukaani.xz-archive", { "application/x-xz" }, { "public.archive" } },
            { "com.adobe.pdf", { "application/pdf" }, { "public.data", "public.composite-content" } },
            { "public.text", {}, { "public.data", "public.content" } },
            { "public.plain-text", { "text/plain" }, { "public.text" } },
            { "public.html", { "text/html" }, { "public.text" } },
            { "public.xml", { "application/xml", "text/xml" }, { "public.text" } },
            { "public.json", { "application/json" }, { "public.text" } },
            { "public.comma-separated-values-text", { "text/csv" }, { "public.text" } },
        };
        return s_entries;
    }

    const Entry *entryFor(const QString &identifier)
    {
        static const QHash<QString, const Entry *> s_byIdentifier = [] {
            QHash<QString, const Entry *> map;
            for (const Entry &e : entries())
                map.insert(QString::fromLatin1(e.identifier), &e);
            return map;
        }();
        return s_byIdentifier.value(identifier);
    }

    const Entry *entryForMime(const QString &mime)
    {
        static const QHash<QString, const Entry *> s_byMime = [] {
            QHash<QString, const Entry *> map;
            for (const Entry &e : entries())
                for (const QString &m : e.mimeTypes)
                    map.insert(m, &e);
            return map;
        }();
        return s_byMime.value(mime);
    }

    // Adds the identifier and everything above it, each once, breadth first.
    void addWithSupertypes(QStringList &into, const QString &identifier)
    {
        QStringList queue { identifier };
        while (!queue.isEmpty()) {
            const QString id = queue.takeFirst();
            if (into.contains(id))
                continue;
            into << id;
            if (const Entry *e = entryFor(id))
                for (const QString &parent : e->parents)
                    queue << parent;
        }
    }

    QString genericFor(const QString &mimeName)
    {
        if (mimeName.startsWith(QLatin1String("image/")))
            return QStringLiteral("public.image");
        if (mimeName.startsWith(QLatin1String("video/")))
            return QStringLiteral("public.movie");
        if (mimeName.startsWith(QLatin1String("audio/")))
            return QStringLiteral("public.audio");
        if (mimeName.startsWith(QLatin1String("text/")))
            return QStringLiteral("public.text");
        return QStringLiteral("public.data");
    }
}

UniformType UniformType::fromTable(const QString &identifier)
{
    UniformType t;
    t.m_identifier = identifier;
    if (const Entry *e = entryFor(identifier);
        e && !e->mimeTypes.isEmpty() && e->mimeTypes.first() != "inode/directory")
        t.m_mimeType = e->mimeTypes.first();
    addWithSupertypes(t.m_conformances, identifier);
    return t;
}

std::optional<UniformType> UniformType::withIdentifier(const QString &identifier)
{
    if (!entryFor(identifier))
        return std::nullopt;
    return fromTable(identifier);
}

UniformType UniformType::forMimeType(const QString &mimeName)
{
    QMimeDatabase db;
    const QMimeType mime = db.mimeTypeForName(mimeName);
    const QString name = mime.isValid() ? mime.name() : mimeName; // aliases resolve to their canonical name
    if (const Entry *e = entryForMime(name))
        return fromTable(QString::fromLatin1(e->identifier));
    UniformType t;
    t.m_identifier = QStringLiteral("dyn.mime.") + name;
    t.m_mimeType = name;
    t.m_conformances << t.m_identifier;
    if (mime.isValid())
        for (const QString &ancestor : mime.allAncestors())
            if (const Entry *e = entryForMime(ancestor))
                addWithSupertypes(t.m_conformances, QString::fromLatin1(e->identifier));
    addWithSupertypes(t.m_conformances, genericFor(name));
    return t;
}

std::optional<UniformType> UniformType::forFile(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return std::nullopt;
    if (info.isDir())
        return folder();
    QMimeDatabase db;
    return forMimeType(db.mimeTypeForFile(info).name());
}

UniformType UniformType::item() { return fromTable(QStringLiteral("public.item")); }
UniformType UniformType::data() { return fromTable(QStringLiteral("public.data")); }
UniformType UniformType::folder() { return fromTable(QStringLiteral("public.folder")); }
UniformType UniformType::image() { return fromTable(QStringLiteral("public.image")); }
UniformType UniformType::movie() { return fromTable(QStringLiteral("public.movie")); }
UniformType UniformType::audio() { return fromTable(QStringLiteral("public.audio")); }
UniformType UniformType::archive() { return fromTable(QStringLiteral("public.archive")); }
UniformType UniformType::pdf() { return fromTable(QStringLiteral("com.adobe.pdf")); }
UniformType UniformType::text() { return fromTable(QStringLiteral("public.text")); }
UniformType UniformType::plainText() { return fromTable(QStringLiteral("public.plain-text")); }

} // namespace platform
