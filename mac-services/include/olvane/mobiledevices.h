#pragma once

#include "olvane/mobiledevice.h"

#include <memory>

namespace olvane {

/// The model tables of phones, tablets, watches and iPods.
class MobileDevices {
public:
    MobileDevices() = delete;

    /// The model named by `modelIdentifier` (for example "iPhone12,1"). The identifier picks its table by
    /// the first of "iPhone", "iPod", "iPad", "Watch" it contains (case-sensitive); keys must match
    /// exactly. An unknown phone, tablet or watch identifier gives the generic model of its kind ("iPhone",
    /// "iPad", "Apple Watch"); an unknown iPod identifier, or an identifier with none of the words, gives
    /// nothing.
    static std::unique_ptr<MobileDevice> device(const QString &modelIdentifier);
};

} // namespace olvane
