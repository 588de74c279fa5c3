#include "pirrow/storyboards.h"

#include "pirrow/aboutviewcontroller.h"
#include "pirrow/gradientdialogviewcontroller.h"
#include "pirrow/otherappcell.h"
#include "pirrow/otherappsviewcontroller.h"
#include "pirrow/tourviewcontroller.h"

#include <platform/ui/storyboard.h>

#include <mutex>

namespace pirrow {

void registerStoryboards()
{
    static std::once_flag s_once;
    std::call_once(s_once, [] {
        using platform::ui::Storyboard;
        Storyboard::registerInitialController(QString::fromLatin1(kGradientDialogStoryboard),
            [] { return std::make_unique<GradientDialogViewController>(); });
        Storyboard::registerInitialController(
            QString::fromLatin1(kAboutStoryboard), [] { return std::make_unique<AboutViewController>(); });
        Storyboard::registerInitialController(
            QString::fromLatin1(kOtherAppsStoryboard), [] { return std::make_unique<OtherAppsViewController>(); });
        Storyboard::registerInitialController(
            QString::fromLatin1(kOtherAppCellStoryboard), [] { return std::make_unique<OtherAppCell>(); });
        Storyboard::registerInitialController(
            QString::fromLatin1(kTourStoryboard), [] { return std::make_unique<TourViewController>(); });
    });
}

} // namespace pirrow
