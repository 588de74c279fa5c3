#pragma once

#include <QString>

namespace tavrin {

/// Coarse kinds of files; the numbers are the kinds' indices.
enum class FileType { Other = 0, Video = 1, Photo = 2, Archive = 3, Audio = 4, Document = 5 };

/// The kind's name in the user's language ("OTHER", "VIDEO", ... of the library's bundle).
QString localizedName(FileType type);

} // namespace tavrin
