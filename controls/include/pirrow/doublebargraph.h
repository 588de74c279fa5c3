#pragma once

#include <platform/ui/color.h>
#include <platform/ui/image.h>
#include <platform/ui/textattributes.h>
#include <platform/ui/trackingarea.h>
#include <platform/ui/view.h>

#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace pirrow {

/// Pairs of byte counts as side-by-side bars (y up) in a grid frame, five caller-given value labels
/// at the left and one label under each pair. The pair under the pointer is highlighted and its index
/// published (`indexChanged`); a 16-point square above it is a deletion button whose clicks are
/// reported (`clickedInRect`) and which shows `interactionImage` when set. The scale finds the
/// magnitude of the largest value in steps of 1000 and scales back in steps of 1024.
class DoubleBarGraph : public platform::ui::View {
    Q_OBJECT

public:
    using Pair = std::pair<std::uint64_t, std::uint64_t>;

    explicit DoubleBarGraph(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    const std::shared_ptr<platform::ui::TrackingArea> &trackingArea() const { return m_trackingArea; }
    const platform::ui::TextAttributes &textFontAttributes() const { return m_textFontAttributes; }
    void setTextFontAttributes(const platform::ui::TextAttributes &a) { m_textFontAttributes = a; }
    double leftOffset() const { return m_leftOffset; }
    void setLeftOffset(double v);
    double rightOffset() const { return m_rightOffset; }
    void setRightOffset(double v);
    double topOffset() const { return m_topOffset; }
    void setTopOffset(double v);
    double bottomOffset() const { return m_bottomOffset; }
    void setBottomOffset(double v);
    platform::ui::Color colorLeft() const { return m_colorLeft; }
    void setColorLeft(const platform::ui::Color &c);
    platform::ui::Color colorRight() const { return m_colorRight; }
    void setColorRight(const platform::ui::Color &c);
    std::optional<platform::ui::Image> interactionImage() const { return m_interactionImage; }
    void setInteractionImage(std::optional<platform::ui::Image> image);
    double colorAlpha() const { return m_colorAlpha; }
    void setColorAlpha(double a);
    const std::vector<Pair> &data() const { return m_data; }
    void setData(std::vector<Pair> values);
    const QStringList &legendLabelsX() const { return m_legendLabelsX; }
    void setLegendLabelsX(const QStringList &labels);
    /// Exactly five texts, bottom to top; the view does not derive them from the scale.
    const QStringList &legendLabelsY() const { return m_legendLabelsY; }
    void setLegendLabelsY(const QStringList &labels);
    double gridLineWidth() const { return m_gridLineWidth; }
    void setGridLineWidth(double w);
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double w);
    /// The hovered pair.
    std::optional<int> index() const { return m_index; }
    std::optional<platform::ui::Rect> deleteRect() const { return m_deleteRect; }
    bool mouseInDeletionRect() const { return m_mouseInDeletionRect; }
    std::function<void()> indexChanged;
    std::function<void()> clickedInRect;

    /// 40 MiB without a positive value; values of 10^19 and more count as the largest 64-bit value.
    virtual std::uint64_t maxValue() const;
    virtual void drawSelection(platform::ui::GraphicsContext &context, double left, double right);
    virtual void drawGrid(platform::ui::GraphicsContext &context, double height);
    virtual void drawLegendY(platform::ui::GraphicsContext &context, double height);

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    void layout() override;
    void viewDidChangeEffectiveAppearance() override;
    void mouseMoved(const platform::ui::MouseEvent &event) override;
    void mouseDown(const platform::ui::MouseEvent &event) override;
    void mouseExited(const platform::ui::MouseEvent &event) override;

private:
    double gapFor(size_t n) const { return 24 - 0.5 * double(n); }

    std::shared_ptr<platform::ui::TrackingArea> m_trackingArea;
    platform::ui::TextAttributes m_textFontAttributes;
    double m_leftOffset = 64;
    double m_rightOffset = 16;
    double m_topOffset = 16;
    double m_bottomOffset = 16;
    platform::ui::Color m_colorLeft = platform::ui::Color::systemGreen();
    platform::ui::Color m_colorRight = platform::ui::Color::systemRed();
    std::optional<platform::ui::Image> m_interactionImage;
    double m_colorAlpha = 0.5;
    std::vector<Pair> m_data;
    QStringList m_legendLabelsX;
    QStringList m_legendLabelsY;
    double m_gridLineWidth = 0.5;
    double m_lineWidth = 1.0;
    std::optional<int> m_index;
    std::optional<platform::ui::Rect> m_deleteRect;
    bool m_mouseInDeletionRect = false;
};

} // namespace pirrow
