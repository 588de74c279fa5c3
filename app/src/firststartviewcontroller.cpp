#include "quenby/firststartviewcontroller.h"

#include "localization_p.h"
#include "quenby/modepreview.h"
#include "quenby/settings.h"

#include <platform/ui/color.h>
#include <platform/ui/image.h>
#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>

namespace quenby {

namespace {

    using platform::ui::Rect;

    // The status bar as the user will find it, the explanation under it, and where to go next.
    class FirstStartView final : public platform::ui::View {
    public:
        FirstStartView()
            : platform::ui::View(Rect(0, 0, FirstStartViewController::kWidth, FirstStartViewController::kHeight))
            , m_strip(new platform::ui::ImageView)
            , m_text(makeText(QStringLiteral("FIRST_START_TEXT"), 13, platform::ui::Color::label()))
            , m_more(makeText(QStringLiteral("FIRST_START_MORE"), 11, platform::ui::Color::secondaryLabel()))
        {
            m_strip->setImage(platform::ui::Image::fromQImage(ModePreview::picture(Settings::appMode())));
            addSubview(m_strip);
            addSubview(m_text);
            addSubview(m_more);
        }

        void layout() override
        {
            platform::ui::View::layout();
            const Rect b = bounds();
            const double inset = 24, width = b.width() - 2 * inset;
            // Origin bottom left: the strip at the top, the next step at the foot, the text between.
            const double stripHeight = 30;
            m_strip->setFrame(Rect(inset, b.height() - 20 - stripHeight, width, stripHeight));
            m_more->setFrame(Rect(inset, 16, width, 32));
            const double textBottom = 16 + 32 + 8, textTop = b.height() - 20 - stripHeight - 12;
            m_text->setFrame(Rect(inset, textBottom, width, std::max(0.0, textTop - textBottom)));
        }

    private:
        static platform::ui::TextField *makeText(const QString &key, double size, const platform::ui::Color &color)
        {
            auto *text = new platform::ui::TextField;
            text->setStringValue(localized(key));
            text->setFont(platform::ui::Font::systemFont(size));
            text->setTextColor(color);
            text->setAlignment(platform::ui::TextAlignment::center);
            text->setLineBreakMode(platform::ui::LineBreakMode::wordWrapping);
            return text;
        }

        platform::ui::ImageView *m_strip;
        platform::ui::TextField *m_text;
        platform::ui::TextField *m_more;
    };

} // namespace

void FirstStartViewController::loadView() { setView(new FirstStartView); }

} // namespace quenby
