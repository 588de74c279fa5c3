#include "pirrow/gradientdialogviewcontroller.h"

#include "pirrow/colortheme.h"
#include "pirrow/gradientview.h"

#include <platform/ui/button.h>
#include <platform/ui/textfield.h>
#include <platform/ui/view.h>
#include <platform/ui/window.h>

#include <algorithm>

namespace pirrow {

using namespace platform::ui;

namespace {
    constexpr double kWidth = 420;
    constexpr double kHeight = 400;
    constexpr double kHeaderHeight = 136;
    constexpr double kBandHeight = 80;
    constexpr double kCollapsedHeaderHeight = 80;
    constexpr double kHiddenCloseHeaderHeight = 8;
    constexpr double kFocusBoxHeight = 32;
    constexpr double kFocusBoxSpacing = 12;
    constexpr double kMargin = 20;

    // The dialog's root: the header on top, the content container filling the rest below it.
    class DialogView : public View {
    public:
        using View::View;
        View *header = nullptr;
        View *content = nullptr;

        void layout() override
        {
            View::layout();
            if (!header || !content)
                return;
            const double headerHeight = std::min(header->frame().height(), bounds().height());
            content->setFrame(Rect(0, 0, bounds().width(), bounds().height() - headerHeight));
        }
    };

    std::shared_ptr<LayoutConstraint> pin(View *view, LayoutAttribute attribute, View *to, double constant = 0)
    {
        auto c = LayoutConstraint::make(view, attribute, to, attribute, constant);
        c->setActive(true);
        return c;
    }

    std::shared_ptr<LayoutConstraint> fixed(View *view, LayoutAttribute attribute, double constant)
    {
        auto c = LayoutConstraint::make(view, attribute, nullptr, attribute, constant);
        c->setActive(true);
        return c;
    }

    TextField *label(View *parent, const Font &font, const Color &color, TextAlignment alignment)
    {
        auto *field = new TextField;
        field->setFont(font);
        field->setTextColor(color);
        field->setAlignment(alignment);
        parent->addSubview(field);
        return field;
    }
} // namespace

GradientDialogViewController::GradientDialogViewController() = default;

GradientDialogViewController::~GradientDialogViewController() = default;

void GradientDialogViewController::loadView()
{
    auto *root = new DialogView(Rect(0, 0, kWidth, kHeight));

    auto *container = new View;
    root->addSubview(container);
    pin(container, LayoutAttribute::top, root);
    pin(container, LayoutAttribute::leading, root);
    pin(container, LayoutAttribute::trailing, root);
    m_heightConstraint = fixed(container, LayoutAttribute::height, kHeaderHeight);

    auto *content = new View;
    root->addSubview(content);
    root->header = container;
    root->content = content;

    auto *header = new View;
    container->addSubview(header);
    for (const auto attribute :
        { LayoutAttribute::top, LayoutAttribute::bottom, LayoutAttribute::leading, LayoutAttribute::trailing })
        pin(header, attribute, container);

    auto *gradient = new GradientView;
    header->addSubview(gradient);
    m_top = pin(gradient, LayoutAttribute::top, header);
    m_left = pin(gradient, LayoutAttribute::leading, header);
    m_right = pin(gradient, LayoutAttribute::trailing, header);
    fixed(gradient, LayoutAttribute::height, kBandHeight);

    const Color white = Color::white();
    auto *title = label(gradient, Font::boldSystemFont(20), white, TextAlignment::left);
    pin(title, LayoutAttribute::top, gradient, 16);
    pin(title, LayoutAttribute::leading, gradient, kMargin);
    pin(title, LayoutAttribute::trailing, gradient, -48);
    fixed(title, LayoutAttribute::height, 26);
    auto *subtitle = label(gradient, Font::systemFont(13), white.withAlphaComponent(0.85), TextAlignment::left);
    pin(subtitle, LayoutAttribute::top, gradient, 44);
    pin(subtitle, LayoutAttribute::leading, gradient, kMargin);
    pin(subtitle, LayoutAttribute::trailing, gradient, -kMargin);
    fixed(subtitle, LayoutAttribute::height, 18);

    auto *box = new View;
    header->addSubview(box);
    pin(box, LayoutAttribute::leading, header, kMargin);
    pin(box, LayoutAttribute::trailing, header, -kMargin);
    m_bottomConstraint = pin(box, LayoutAttribute::bottom, header, -kFocusBoxSpacing);
    fixed(box, LayoutAttribute::height, kFocusBoxHeight);
    auto *focus = label(box, Font::systemFont(13, FontWeight::medium), white, TextAlignment::center);
    pin(focus, LayoutAttribute::leading, box, 8);
    pin(focus, LayoutAttribute::trailing, box, -8);
    pin(focus, LayoutAttribute::top, box, 7);
    fixed(focus, LayoutAttribute::height, 18);

    auto *close = new Button;
    close->setBezelStyle(Button::BezelStyle::none);
    close->setTitle(QStringLiteral("\u2715"));
    close->setFont(Font::systemFont(13, FontWeight::semibold));
    close->setContentTintColor(white);
    container->addSubview(close);
    pin(close, LayoutAttribute::top, container, 8);
    pin(close, LayoutAttribute::trailing, container, -8);
    fixed(close, LayoutAttribute::width, 24);
    fixed(close, LayoutAttribute::height, 24);
    close->setAction([this] { closeClicked(); });

    m_container = container;
    m_headerContainer = header;
    m_gradientView = gradient;
    m_titleLabel = title;
    m_subtitleLabel = subtitle;
    m_blackContainer = box;
    m_focusLabel = focus;
    m_contentContainer = content;
    m_closeButton = close;
    setView(root);
}

void GradientDialogViewController::viewDidLoad()
{
    ViewController::viewDidLoad();
    if (m_blackContainer) {
        m_blackContainer->setWantsLayer(true);
        m_blackContainer->layer()->setBackgroundColor(Color::black());
        m_blackContainer->layer()->setCornerRadius(6);
    }
    if (m_gradientView) {
        m_gradientView->setCornerRadius(0);
        if (const auto l = m_gradientView->layer())
            l->setCornerRadius(0);
        m_gradientView->setColorTheme(ColorTheme::custom);
        m_gradientView->applyTheme();
    }
}

void GradientDialogViewController::setFocusText(const std::optional<QString> &text)
{
    if (text && !text->isEmpty()) {
        if (m_focusLabel)
            m_focusLabel->setStringValue(*text);
        return;
    }
    setHeaderHeight(kCollapsedHeaderHeight);
    delete m_blackContainer.data(); // removed from the header for good
    m_bottomConstraint->setConstant(0);
    for (const auto &c : { m_top, m_left, m_right })
        if (m_headerContainer)
            m_headerContainer->removeConstraint(c);
    if (m_gradientView && m_headerContainer) {
        // The header container fills the header area, so centring on it centres on the header.
        View *gradient = m_gradientView.data();
        pin(gradient, LayoutAttribute::centerX, m_headerContainer.data());
        pin(gradient, LayoutAttribute::centerY, m_headerContainer.data());
        pin(gradient, LayoutAttribute::width, m_headerContainer.data());
    }
    view()->layoutSubtreeIfNeeded();
    if (m_headerContainer)
        m_headerContainer->layoutSubtreeIfNeeded();
}

void GradientDialogViewController::setCloseButtonHidden(bool hidden)
{
    if (!m_closeButton)
        return;
    m_closeButton->setHidden(hidden);
    if (hidden) {
        delete m_closeButton.data();
        setHeaderHeight(kHiddenCloseHeaderHeight);
    }
}

void GradientDialogViewController::closeClicked()
{
    if (Window *w = window())
        w->performClose();
}

void GradientDialogViewController::setHeaderHeight(double height)
{
    m_heightConstraint->setConstant(height);
    // The header's own height constraint is resolved by the dialog's root view.
    view()->setNeedsLayout();
}

Size GradientDialogViewController::fittingSize(const View *content) const
{
    const double header = m_heightConstraint ? m_heightConstraint->constant() : kHeaderHeight;
    const double ownContent = kHeight - kHeaderHeight;
    const Size contentSize = content ? content->frame().size : Size();
    return Size { std::max(kWidth, contentSize.width),
        header + (contentSize.height > 0 ? contentSize.height : ownContent) };
}

} // namespace pirrow
