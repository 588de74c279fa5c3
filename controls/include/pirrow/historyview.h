#pragma once

#include <platform/ui/color.h>
#include <platform/ui/gradientlayer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <vector>

namespace pirrow {

/// A strip of values, one column of 10 square cells per value from left to right (y up). A value
/// lights the lower cells of its column in proportion to its share of `max`; lit cells show the
/// vertical gradient of `colors` (first colour at the top), unlit ones `backColor`. Drawn with two
/// layers: the background grid, rebuilt only when the number of values changes, and the gradient
/// masked down to the lit cells. `lock` … `unlock` batches changes into one rebuild.
class HistoryView : public platform::ui::View {
    Q_OBJECT

public:
    explicit HistoryView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    const std::shared_ptr<platform::ui::ShapeLayer> &backgroundLayer() const { return m_backgroundLayer; }
    const std::shared_ptr<platform::ui::GradientLayer> &gradientLayer() const { return m_gradientLayer; }
    int oldDataCount() const { return m_oldDataCount; }
    bool isLocked() const { return m_locked; }

    /// Side of one cell in points.
    virtual double length() const { return m_length; }
    virtual void setLength(double l);
    virtual platform::ui::Color backColor() const { return m_backColor; }
    virtual void setBackColor(const platform::ui::Color &c);
    /// Gap between neighbouring cells in points.
    virtual double offset() const { return m_offset; }
    virtual void setOffset(double o);
    virtual const std::vector<double> &data() const { return m_data; }
    virtual void setData(std::vector<double> values);
    /// Recolours the lit cells at once, also while locked.
    virtual const std::vector<platform::ui::Color> &colors() const { return m_colors; }
    virtual void setColors(std::vector<platform::ui::Color> colors);
    /// The value that lights all ten cells.
    virtual double max() const { return m_max; }
    virtual void setMax(double m);

    /// Height of a full column.
    virtual double contentHeight() const { return m_length * 10 + m_offset * 9; }
    /// Width of the columns, the gap after the last one included.
    virtual double contentWidth() const;

    virtual void redraw();
    virtual void lock() { m_locked = true; }
    virtual void unlock();
    virtual void drawBackground();
    virtual void setupGradient();
    virtual void drawData();

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

private:
    void changed();

    std::shared_ptr<platform::ui::ShapeLayer> m_backgroundLayer = platform::ui::ShapeLayer::create();
    std::shared_ptr<platform::ui::GradientLayer> m_gradientLayer = platform::ui::GradientLayer::create();
    int m_oldDataCount = 0;
    bool m_locked = false;
    double m_length = 3;
    platform::ui::Color m_backColor = platform::ui::Color::tertiaryLabel();
    double m_offset = 2;
    std::vector<double> m_data;
    std::vector<platform::ui::Color> m_colors;
    double m_max = 100;
};

} // namespace pirrow
