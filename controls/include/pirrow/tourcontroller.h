#pragma once

#include "pirrow/tourviewcontroller.h"

#include <memory>

namespace pirrow {

/// Makes the tour from the library's "Tour" storyboard.
class TourController {
public:
    /// The storyboard's initial controller, or none when it is not a tour controller.
    static std::unique_ptr<TourViewController> makeTourViewController();

    TourController() = delete;
};

} // namespace pirrow
