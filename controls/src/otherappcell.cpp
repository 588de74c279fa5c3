#include "pirrow/otherappcell.h"

#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>

namespace pirrow {

using platform::ui::Rect;

void OtherAppCell::loadView()
{
    auto *root = new platform::ui::View(Rect(0, 0, kWidth, kHeight));
    m_iconView = new platform::ui::ImageView(Rect((kWidth - 128) / 2, 88, 128, 128));
    m_appTitle = new platform::ui::TextField(Rect(8, 56, kWidth - 16, 22));
    m_appTitle->setFont(platform::ui::Font::boldSystemFont(17));
    m_appTitle->setAlignment(platform::ui::TextAlignment::center);
    m_appSubtitle = new platform::ui::TextField(Rect(8, 8, kWidth - 16, 44));
    m_appSubtitle->setFont(platform::ui::Font::systemFont(12));
    m_appSubtitle->setTextColor(platform::ui::Color::secondaryLabel());
    m_appSubtitle->setAlignment(platform::ui::TextAlignment::center);
    m_appSubtitle->setLineBreakMode(platform::ui::LineBreakMode::wordWrapping);
    root->addSubview(m_iconView);
    root->addSubview(m_appTitle);
    root->addSubview(m_appSubtitle);
    setView(root);
}

} // namespace pirrow
