#include "pirrow/tourcontroller.h"

#include "pirrow/storyboards.h"

#include <platform/ui/storyboard.h>

namespace pirrow {

std::unique_ptr<TourViewController> TourController::makeTourViewController()
{
    registerStoryboards();
    const auto storyboard = platform::ui::Storyboard::named(QString::fromLatin1(kTourStoryboard));
    if (!storyboard)
        return nullptr;
    std::unique_ptr<platform::ui::ViewController> made = storyboard->instantiateInitialController();
    if (auto *tour = dynamic_cast<TourViewController *>(made.get())) {
        made.release();
        return std::unique_ptr<TourViewController>(tour);
    }
    return nullptr;
}

} // namespace pirrow
