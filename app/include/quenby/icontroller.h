#pragma once

#include "quenby/idatamodel.h"
#include "quenby/samplering.h"

#include <vector>

namespace ammerl {
class IInternalFinder;
class InternalBattery;
}
namespace olvane {
class IAutoStartController;
class IMenuBarItemController;
}

namespace quenby {

class Observer;

/// The application's core object as the delegate, the status menu and the pages see it.
/// Main thread only.
class IController {
public:
    virtual ~IController() = default;

    virtual ammerl::IInternalFinder &internalFinder() const = 0;
    virtual olvane::IAutoStartController &autoStart() const = 0;
    virtual const std::vector<Observer *> &observers() const = 0;
    virtual IDataModel &model() const = 0;
    /// The status items, the main one first.
    virtual olvane::IMenuBarItemController &menuBar() const = 0;
    /// The computer's battery as the latest refresh read it; null when there is none.
    virtual const ammerl::InternalBattery *internalBattery() const = 0;
    /// Watts drawn from the battery, one sample per refresh while not charging (empty while charging).
    virtual const SampleRing &consumption() const = 0;
    /// A marker per refresh while charging (empty while not).
    virtual const SampleRing &acConsumption() const = 0;
    /// The largest sample seen since start, charging or not.
    virtual double maxConsumption() const = 0;

    /// One poll of every source of devices.
    virtual void refresh() = 0;
    /// Pages register while they are shown; registering twice has no further effect.
    virtual void addObserver(Observer *observer) = 0;
    virtual void removeObserver(Observer *observer) = 0;
};

} // namespace quenby
