#include "pirrow/about.h"

#include "pirrow/aboutviewcontroller.h"
#include "pirrow/gradientdialog.h"
#include "pirrow/resources.h"
#include "pirrow/storyboards.h"

#include <platform/ui/storyboard.h>
#include <platform/ui/textfield.h>
#include <platform/ui/view.h>

namespace pirrow {

using namespace platform::ui;

void About::show(const std::optional<platform::Value> &infoDictionary, const QString &privacyText)
{
    if (!infoDictionary)
        return;
    const platform::Value::Dictionary *info = infoDictionary->toDictionary();
    if (!info || info->empty())
        return;
    const auto text = [&](const char *key) -> std::optional<QString> {
        const platform::Value *value = infoDictionary->find(QString::fromLatin1(key));
        if (!value || !value->isString())
            return std::nullopt;
        return value->toString();
    };
    const auto name = text("CFBundleName");
    const auto version = text("CFBundleShortVersionString");
    const auto copyright = text("NSHumanReadableCopyright");
    if (!name || !version || !copyright)
        return;

    registerStoryboards();
    const auto storyboard = Storyboard::named(QString::fromLatin1(kAboutStoryboard));
    if (!storyboard)
        return;
    std::shared_ptr<ViewController> loaded = storyboard->instantiateInitialController();
    auto *controller = dynamic_cast<AboutViewController *>(loaded.get());
    if (!controller)
        return;
    controller->view()->layoutSubtreeIfNeeded();
    controller->lblPrivacy()->setStringValue(privacyText);
    controller->lblCopyright()->setStringValue(*copyright);

    GradientDialog::shared().show(
        localized(QStringLiteral("ABOUT")), *name, *version, loaded, false, false, 0, 0, true);
}

} // namespace pirrow
