#include "olvane/photoeffect.h"

namespace olvane {

QString rawValue(PhotoEffect effect)
{
    switch (effect) {
    case PhotoEffect::mono:
        return QStringLiteral("CIPhotoEffectMono");
    case PhotoEffect::tonal:
        return QStringLiteral("CIPhotoEffectTonal");
    case PhotoEffect::noir:
        return QStringLiteral("CIPhotoEffectNoir");
    }
    return {};
}

std::optional<PhotoEffect> photoEffectFromRawValue(const QString &text)
{
    for (PhotoEffect effect : { PhotoEffect::mono, PhotoEffect::tonal, PhotoEffect::noir }) {
        if (rawValue(effect) == text)
            return effect;
    }
    return std::nullopt;
}

} // namespace olvane
