#pragma once

#include "pirrow/iaxis.h"

#include <platform/ui/font.h>
#include <platform/ui/textlayer.h>

#include <QString>

#include <optional>
#include <vector>

namespace pirrow {

/// Values from `min` at the left to `max` at the right over `segmentCount` segments, written through
/// a printf-style format (one double) with an optional unit, or as month names of timestamps.
class ValueAxis : public IAxis {
public:
    enum class FormatType {
        /// The value through `formatString`.
        formatString,
        /// The value as a timestamp, written as its month name.
        monthShortName
    };

    /// A segment count below 1 counts as 1.
    ValueAxis(double min, double max, int segmentCount);

    double height() const override { return 24; }
    void draw(const std::shared_ptr<platform::ui::Layer> &layer, double lineWidth) override;
    void clear() override;

    const std::vector<std::shared_ptr<platform::ui::TextLayer>> &layers() const { return m_layers; }
    double min() const { return m_min; }
    void setMin(double v) { m_min = v; }
    double max() const { return m_max; }
    void setMax(double v) { m_max = v; }
    int segmentCount() const { return m_segmentCount; }
    void setSegmentCount(int n) { m_segmentCount = n; }
    double fontSize() const { return m_fontSize; }
    void setFontSize(double s) { m_fontSize = s; }
    double fontWeight() const { return m_fontWeight; }
    void setFontWeight(double w) { m_fontWeight = w; }
    FormatType formatType() const { return m_formatType; }
    void setFormatType(FormatType t) { m_formatType = t; }
    QString formatString() const { return m_formatString; }
    void setFormatString(const QString &f) { m_formatString = f; }
    std::optional<QString> unit() const { return m_unit; }
    void setUnit(std::optional<QString> u) { m_unit = std::move(u); }

    /// The text of one value.
    QString text(double value) const;

private:
    void removeLayers();

    std::vector<std::shared_ptr<platform::ui::TextLayer>> m_layers;
    double m_min;
    double m_max;
    int m_segmentCount;
    double m_fontSize = 12;
    double m_fontWeight = platform::ui::FontWeight::regular;
    FormatType m_formatType = FormatType::formatString;
    QString m_formatString = QStringLiteral("%.2f");
    std::optional<QString> m_unit;
};

} // namespace pirrow
