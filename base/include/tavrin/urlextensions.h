#pragma once

#include "tavrin/filetype.h"

#include <platform/core/uniformtype.h>

#include <QUrl>

#include <optional>

namespace tavrin {

/// Questions to the file system about the file a URL names. Every failure (no such file, not a file
/// URL) gives none or false.
class UrlExtensions {
public:
    static bool isDirectory(const QUrl &url);
    static std::optional<QString> typeIdentifier(const QUrl &url);
    static std::optional<platform::UniformType> contentType(const QUrl &url);
    static bool isImage(const QUrl &url);
    static bool isMovie(const QUrl &url);
    static bool isAudio(const QUrl &url);
    static bool isArchive(const QUrl &url);
    static bool isPDF(const QUrl &url);
    /// The first of photo, video, audio, archive, document (PDF) that the type conforms to, else other.
    static FileType fileType(const QUrl &url);
    /// The last path component; a folder URL's trailing "/" is not one ("file:///a/b/" is "b", the
    /// root is "/", a URL without path "").
    static QString fileName(const QUrl &url);

    UrlExtensions() = delete;
};

} // namespace tavrin
