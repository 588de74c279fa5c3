#pragma once

#include <platform/ui/color.h>
#include <platform/ui/trackingarea.h>
#include <platform/ui/view.h>

#include <QStringList>

#include <vector>

namespace pirrow {

/// Two bar series mirrored about a horizontal centre line (y up): the upper series rises from the
/// centre, scaled to `maxTop`; the lower one hangs from it, scaled to `maxBottom`. While the pointer is
/// inside, the bars make room for a left margin with guide lines and five labels. Zero values leave
/// gaps.
class SeparatedBarGraph : public platform::ui::View {
    Q_OBJECT

public:
    explicit SeparatedBarGraph(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    const std::shared_ptr<platform::ui::TrackingArea> &area() const { return m_area; }
    double maxTop() const { return m_maxTop; }
    void setMaxTop(double v);
    double maxBottom() const { return m_maxBottom; }
    void setMaxBottom(double v);
    bool isMouseInside() const { return m_mouseEntered; }
    double mouseOffset() const { return m_mouseOffset; }
    void setMouseOffset(double v);
    const std::vector<double> &dataTop() const { return m_dataTop; }
    void setDataTop(std::vector<double> v);
    const std::vector<double> &dataBottom() const { return m_dataBottom; }
    void setDataBottom(std::vector<double> v);
    platform::ui::Color upperColor() const { return m_upperColor; }
    void setUpperColor(const platform::ui::Color &c);
    platform::ui::Color lowerColor() const { return m_lowerColor; }
    void setLowerColor(const platform::ui::Color &c);
    double colorAlpha() const { return m_colorAlpha; }
    void setColorAlpha(double a);
    /// Exactly five texts: top edge, upper guide line, centre, bottom edge, lower guide line.
    const QStringList &legendLabelsY() const { return m_legendLabelsY; }
    void setLegendLabelsY(const QStringList &labels);

    virtual void drawGridLines(platform::ui::GraphicsContext &context);
    virtual void drawLegend(platform::ui::GraphicsContext &context);
    virtual void drawUpperBars(platform::ui::GraphicsContext &context);
    virtual void drawLowerBars(platform::ui::GraphicsContext &context);
    virtual void drawCenterLine(platform::ui::GraphicsContext &context);

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    void mouseEntered(const platform::ui::MouseEvent &event) override;
    void mouseExited(const platform::ui::MouseEvent &event) override;
    /// Re-creates the tracking area over the new bounds.
    void layout() override;

private:
    double margin() const { return m_mouseEntered ? m_mouseOffset : 0; }
    void drawBars(platform::ui::GraphicsContext &context, bool upper);
    std::shared_ptr<platform::ui::TrackingArea> makeArea();

    std::shared_ptr<platform::ui::TrackingArea> m_area;
    double m_maxTop = 2048;
    double m_maxBottom = 2048;
    bool m_mouseEntered = false;
    double m_mouseOffset = 64;
    std::vector<double> m_dataTop;
    std::vector<double> m_dataBottom;
    platform::ui::Color m_upperColor = platform::ui::Color::systemGreen();
    platform::ui::Color m_lowerColor = platform::ui::Color::systemRed();
    double m_colorAlpha = 0.5;
    QStringList m_legendLabelsY;
};

} // namespace pirrow
