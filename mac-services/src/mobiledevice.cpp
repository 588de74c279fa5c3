#include "olvane/mobiledevice.h"

namespace olvane {

MobileDevice::MobileDevice(QString name, QString shortName, std::optional<QString> iconName)
    : m_name(std::move(name))
    , m_shortName(std::move(shortName))
    , m_iconName(std::move(iconName))
{
}

MobileDevice::~MobileDevice() = default;

} // namespace olvane
