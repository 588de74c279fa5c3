#pragma once

#include <QString>

#include <optional>

namespace olvane {

/// A black-and-white photo effect, named by the filter that applies it.
enum class PhotoEffect { mono, tonal, noir };

/// "CIPhotoEffectMono", "CIPhotoEffectTonal", "CIPhotoEffectNoir".
QString rawValue(PhotoEffect effect);
/// The effect of exactly one of the three names (case matters); none otherwise.
std::optional<PhotoEffect> photoEffectFromRawValue(const QString &rawValue);

} // namespace olvane
