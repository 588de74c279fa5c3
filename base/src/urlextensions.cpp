#include "tavrin/urlextensions.h"

#include "tavrin/resources.h"

#include <QFileInfo>

namespace tavrin {

namespace {
    std::optional<platform::UniformType> typeOf(const QUrl &url)
    {
        if (!url.isLocalFile())
            return std::nullopt;
        return platform::UniformType::forFile(url.toLocalFile());
    }

    bool conforms(const QUrl &url, const platform::UniformType &to)
    {
        const auto type = typeOf(url);
        return type && type->conforms(to);
    }
}

QString localizedName(FileType type)
{
    switch (type) {
    case FileType::Other:
        return localized(QStringLiteral("OTHER"));
    case FileType::Video:
        return localized(QStringLiteral("VIDEO"));
    case FileType::Photo:
        return localized(QStringLiteral("PHOTO"));
    case FileType::Archive:
        return localized(QStringLiteral("ARCHIVE"));
    case FileType::Audio:
        return localized(QStringLiteral("AUDIO"));
    case FileType::Document:
        return localized(QStringLiteral("DOCUMENT"));
    }
    return {};
}

bool UrlExtensions::isDirectory(const QUrl &url) { return url.isLocalFile() && QFileInfo(url.toLocalFile()).isDir(); }

std::optional<QString> UrlExtensions::typeIdentifier(const QUrl &url)
{
    const auto type = typeOf(url);
    if (!type)
        return std::nullopt;
    return type->identifier();
}

std::optional<platform::UniformType> UrlExtensions::contentType(const QUrl &url) { return typeOf(url); }

bool UrlExtensions::isImage(const QUrl &url) { return conforms(url, platform::UniformType::image()); }
bool UrlExtensions::isMovie(const QUrl &url) { return conforms(url, platform::UniformType::movie()); }
bool UrlExtensions::isAudio(const QUrl &url) { return conforms(url, platform::UniformType::audio()); }
bool UrlExtensions::isArchive(const QUrl &url) { return conforms(url, platform::UniformType::archive()); }
bool UrlExtensions::isPDF(const QUrl &url) { return conforms(url, platform::UniformType::pdf()); }

FileType UrlExtensions::fileType(const QUrl &url)
{
    const auto type = typeOf(url);
    if (!type)
        return FileType::Other;
    if (type->conforms(platform::UniformType::image()))
        return FileType::Photo;
    if (type->conforms(platform::UniformType::movie()))
        return FileType::Video;
    if (type->conforms(platform::UniformType::audio()))
        return FileType::Audio;
    if (type->conforms(platform::UniformType::archive()))
        return FileType::Archive;
    if (type->conforms(platform::UniformType::pdf()))
        return FileType::Document;
    return FileType::Other;
}

QString UrlExtensions::fileName(const QUrl &url)
{
    // Folder URLs end in "/"; their name is the component before it, and the root's name is "/".
    const QString path = url.path(QUrl::FullyDecoded);
    qsizetype end = path.size();
    while (end > 0 && path.at(end - 1) == QLatin1Char('/'))
        --end;
    if (end == 0)
        return path.isEmpty() ? QString() : QStringLiteral("/");
    const qsizetype start = path.lastIndexOf(QLatin1Char('/'), end - 1) + 1;
    return path.mid(start, end - start);
}

} // namespace tavrin
