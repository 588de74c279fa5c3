#include "quenby/firststartviewcontroller.h"

#include "localization_p.h"

#include <platform/ui/textfield.h>

namespace quenby {

void FirstStartViewController::loadView()
{
    auto *root = new platform::ui::View(platform::ui::Rect(0, 0, kWidth, kHeight));
    auto *text = new platform::ui::TextField(platform::ui::Rect(24, 24, kWidth - 48, kHeight - 48));
    text->setStringValue(localized(QStringLiteral("FIRST_START_TEXT")));
    text->setFont(platform::ui::Font::systemFont(13));
    text->setAlignment(platform::ui::TextAlignment::center);
    text->setLineBreakMode(platform::ui::LineBreakMode::wordWrapping);
    root->addSubview(text);
    setView(root);
}

} // namespace quenby
