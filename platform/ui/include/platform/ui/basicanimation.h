#pragma once

#include "platform/ui/animation.h"
#include "platform/ui/layervalue.h"

#include <optional>

namespace platform::ui {

/// Animates one layer property (named by its key path, e.g. "opacity", "position", "strokeEnd",
/// "transform.rotation.z") from a value to a value. Without `fromValue` it starts from the value
/// shown when it is added; without `toValue` it ends at the property's model value.
class BasicAnimation final : public Animation {
public:
    explicit BasicAnimation(QString keyPath = {});
    std::unique_ptr<Animation> clone() const override;

    QString keyPath() const { return m_keyPath; }
    void setKeyPath(const QString &k) { m_keyPath = k; }
    std::optional<LayerValue> fromValue() const { return m_from; }
    void setFromValue(std::optional<LayerValue> v) { m_from = std::move(v); }
    std::optional<LayerValue> toValue() const { return m_to; }
    void setToValue(std::optional<LayerValue> v) { m_to = std::move(v); }

private:
    QString m_keyPath;
    std::optional<LayerValue> m_from;
    std::optional<LayerValue> m_to;
};

} // namespace platform::ui
