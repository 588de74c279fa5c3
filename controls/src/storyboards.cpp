#include "pirrow/storyboards.h"

#include "pirrow/aboutviewcontroller.h"
#include "pirrow/gradientdialogviewcontroller.h"

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
    });
}

} // namespace pirrow
