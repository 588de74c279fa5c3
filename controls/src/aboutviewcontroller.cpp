#include "pirrow/aboutviewcontroller.h"

#include <platform/ui/button.h>
#include <platform/ui/layoutconstraint.h>
#include <platform/ui/textfield.h>
#include <platform/ui/view.h>
#include <tavrin/support.h>

#include <QUrl>

namespace pirrow {

using namespace platform::ui;

namespace {
    void place(View *view, View *in, double top, double height, double inset = 20)
    {
        in->addSubview(view);
        LayoutConstraint::activate({
            LayoutConstraint::make(view, LayoutAttribute::top, in, LayoutAttribute::top, top),
            LayoutConstraint::make(view, LayoutAttribute::leading, in, LayoutAttribute::leading, inset),
            LayoutConstraint::make(view, LayoutAttribute::trailing, in, LayoutAttribute::trailing, -inset),
            LayoutConstraint::make(view, LayoutAttribute::height, nullptr, LayoutAttribute::height, height),
        });
    }
} // namespace

AboutViewController::AboutViewController() = default;

AboutViewController::~AboutViewController() = default;

void AboutViewController::loadView()
{
    auto *root = new View(Rect(0, 0, 420, 156));

    auto *copyright = new TextField;
    copyright->setFont(Font::systemFont(12));
    copyright->setTextColor(Color::secondaryLabel());
    copyright->setAlignment(TextAlignment::center);
    place(copyright, root, 20, 18);

    auto *privacy = new TextField;
    privacy->setFont(Font::systemFont(11));
    privacy->setTextColor(Color::secondaryLabel());
    privacy->setAlignment(TextAlignment::center);
    privacy->setLineBreakMode(LineBreakMode::wordWrapping);
    place(privacy, root, 46, 56, 28);

    auto *homepage = new Button;
    homepage->setBezelStyle(Button::BezelStyle::none);
    homepage->setTitle(QUrl(tavrin::Support::website).host());
    homepage->setContentTintColor(Color::link());
    place(homepage, root, 112, 24, 120);
    homepage->setAction([this] { homepageClicked(); });

    m_copyright = copyright;
    m_privacy = privacy;
    m_homepage = homepage;
    setView(root);
}

void AboutViewController::homepageClicked()
{
    tavrin::Support::openURL(tavrin::Support::website + QStringLiteral("/"));
}

} // namespace pirrow
