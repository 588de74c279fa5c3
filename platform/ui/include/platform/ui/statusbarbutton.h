#pragma once

#include "platform/ui/font.h"
#include "platform/ui/image.h"
#include "platform/ui/targetaction.h"
#include "platform/ui/view.h"

#include <QString>

#include <optional>

namespace platform::ui {

/// Where a button draws its image relative to its title (the numbers are the values stored
/// elsewhere, e.g. 2 for an image left of the title).
enum class ImagePosition {
    noImage = 0,
    imageOnly = 1,
    imageLeft = 2,
    imageRight = 3,
    imageBelow = 4,
    imageAbove = 5,
    imageOverlaps = 6,
    imageLeading = 7,
    imageTrailing = 8
};

/// The button of a status item: the view whose content is the item's picture. It draws an image
/// and a title (a template image in the text colour of its appearance, white on a dark bar, black on
/// a light one); other views are hosted as its subviews and drawn above. The status item keeps its
/// frame at the item's width × the bar's thickness.
///
/// A variable-length item takes the button's `fittingWidth`: the constant of an active fixed-width
/// constraint on the button when there is one, else `intrinsicContentWidth`, which counts the image
/// and the title only (hosted views never widen an item; their owner sets the length).
class StatusBarButton : public View {
    Q_OBJECT
public:
    /// Padding left and right of the image and title of a variable-length item, in points.
    static constexpr double kContentPadding = 4;
    /// Space between image and title, in points.
    static constexpr double kImageSpacing = 3;
    /// The font of titles in the status bar.
    static Font menuBarFont();

    explicit StatusBarButton(double thickness);

    std::optional<Image> image() const { return m_image; }
    void setImage(const std::optional<Image> &image);
    /// Defaults to `imageLeft`.
    ImagePosition imagePosition() const { return m_imagePosition; }
    void setImagePosition(ImagePosition position);
    QString title() const { return m_title; }
    void setTitle(const QString &title);
    /// The title's font, or none for `menuBarFont`.
    std::optional<Font> font() const { return m_font; }
    void setFont(const std::optional<Font> &font);

    QObject *target() const { return m_targetAction.target(); }
    void setTarget(QObject *target) { m_targetAction.setTarget(target); }
    const Action &action() const { return m_targetAction.action(); }
    bool hasAction() const { return m_targetAction.hasAction(); }
    void setAction(Action action) { m_targetAction.setAction(std::move(action)); }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    /// Sends the action with the button as sender; false when nothing was sent.
    bool performClick();

    double intrinsicContentWidth() const;
    double fittingWidth() const;

    void drawRect(GraphicsContext &context, const Rect &dirtyRect) override;
    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

signals:
    /// Image, title, font, image position or a fixed-width constraint changed: a variable-length
    /// item may change its width.
    void contentChanged();
    void effectiveAppearanceChanged();

private:
    Size imageSize() const;
    Size titleSize() const;
    TextAttributes titleAttributes() const;

    std::optional<Image> m_image;
    ImagePosition m_imagePosition = ImagePosition::imageLeft;
    QString m_title;
    std::optional<Font> m_font;
    TargetAction m_targetAction;
    int m_tag = 0;
    std::optional<double> m_lastFixedWidth;
};

} // namespace platform::ui
