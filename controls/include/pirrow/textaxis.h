#pragma once

#include "pirrow/iaxis.h"
#include "pirrow/textalignmode.h"

#include <platform/ui/color.h>
#include <platform/ui/font.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/textlayer.h>

#include <QString>

#include <optional>
#include <vector>

namespace pirrow {

/// One text per column: spread evenly from edge to edge, or centred in equal cells with optional
/// detail texts, filled cells (`fillLabel`, a taller strip) and one selected cell whose fill and text
/// colours animate when the selection moves. Empty texts are skipped.
class TextAxis : public IAxis {
public:
    TextAxis() = default;

    /// 36 with filled cells, else 24.
    double height() const override { return m_fillLabel ? 36 : 24; }
    void draw(const std::shared_ptr<platform::ui::Layer> &layer, double lineWidth) override;
    void clear() override;

    const std::vector<std::shared_ptr<platform::ui::TextLayer>> &layers() const { return m_layers; }
    const std::vector<std::shared_ptr<platform::ui::ShapeLayer>> &fillLayers() const { return m_fillLayers; }
    const std::vector<QString> &texts() const { return m_texts; }
    void setTexts(std::vector<QString> t) { m_texts = std::move(t); }
    const std::vector<std::optional<QString>> &details() const { return m_details; }
    void setDetails(std::vector<std::optional<QString>> d) { m_details = std::move(d); }
    double fontSize() const { return m_fontSize; }
    void setFontSize(double s) { m_fontSize = s; }
    double detailFontSize() const { return m_detailFontSize; }
    void setDetailFontSize(double s) { m_detailFontSize = s; }
    double fontWeight() const { return m_fontWeight; }
    void setFontWeight(double w) { m_fontWeight = w; }
    TextAlignMode alignMode() const { return m_alignMode; }
    void setAlignMode(TextAlignMode m) { m_alignMode = m; }
    bool fillLabel() const { return m_fillLabel; }
    void setFillLabel(bool on) { m_fillLabel = on; }
    double fillOffset() const { return m_fillOffset; }
    void setFillOffset(double o) { m_fillOffset = o; }
    platform::ui::Color fillColor() const { return m_fillColor; }
    void setFillColor(const platform::ui::Color &c) { m_fillColor = c; }
    std::optional<int> selectedIndex() const { return m_selectedIndex; }
    /// Animates the old cell back and the new one to the selection colours (0.2 s); nothing when the
    /// index stays.
    void setSelectedIndex(std::optional<int> index);
    platform::ui::Color selectedColor() const { return m_selectedColor; }
    void setSelectedColor(const platform::ui::Color &c) { m_selectedColor = c; }
    platform::ui::Color selectedTextColor() const { return m_selectedTextColor; }
    void setSelectedTextColor(const platform::ui::Color &c) { m_selectedTextColor = c; }

private:
    void removeLayers();
    void drawEvenly(platform::ui::Layer &layer, double lineWidth);
    void drawCentered(platform::ui::Layer &layer);

    std::vector<std::shared_ptr<platform::ui::TextLayer>> m_layers;
    std::vector<std::shared_ptr<platform::ui::ShapeLayer>> m_fillLayers;
    std::vector<QString> m_texts;
    std::vector<std::optional<QString>> m_details;
    double m_fontSize = 12;
    double m_detailFontSize = 10;
    double m_fontWeight = platform::ui::FontWeight::regular;
    TextAlignMode m_alignMode = TextAlignMode::evenly;
    bool m_fillLabel = false;
    double m_fillOffset = 4;
    platform::ui::Color m_fillColor = platform::ui::Color::separator();
    std::optional<int> m_selectedIndex;
    platform::ui::Color m_selectedColor = platform::ui::Color::black();
    platform::ui::Color m_selectedTextColor = platform::ui::Color::white();
};

} // namespace pirrow
