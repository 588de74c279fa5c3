#pragma once

#include "platform/ui/font.h"
#include "platform/ui/layer.h"
#include "platform/ui/textattributes.h"

namespace platform::ui {

/// A layer that draws a text from the top of its bounds, upright. The text is drawn in `font` at
/// `fontSize` (default 36) in `foregroundColor` (default white). Without wrapping it stays on one
/// line, truncated as `truncationMode` says. Animatable keys: "foregroundColor", "fontSize".
class TextLayer : public Layer {
public:
    enum class Truncation { none, start, middle, end };

    TextLayer() = default;
    static std::shared_ptr<TextLayer> create() { return std::make_shared<TextLayer>(); }

    QString string() const { return m_string; }
    void setString(const QString &s);
    Font font() const { return m_font; }
    void setFont(const Font &f);
    double fontSize() const { return m_fontSize; }
    void setFontSize(double size);
    std::optional<Color> foregroundColor() const { return m_foregroundColor; }
    void setForegroundColor(std::optional<Color> c);
    TextAlignment alignmentMode() const { return m_alignment; }
    void setAlignmentMode(TextAlignment a);
    bool isWrapped() const { return m_wrapped; }
    void setWrapped(bool on);
    Truncation truncationMode() const { return m_truncation; }
    void setTruncationMode(Truncation t);

    /// The attributes the text is drawn with.
    TextAttributes attributes() const;

    void drawInContext(GraphicsContext &context) const override;
    std::optional<LayerValue> valueForKey(const QString &keyPath) const override;
    bool setValueForKey(const QString &keyPath, const LayerValue &value) override;

protected:
    TextLayer(const TextLayer &other, int copyTag);
    std::shared_ptr<Layer> makeCopy() const override;

private:
    QString m_string;
    Font m_font;
    double m_fontSize = 36;
    std::optional<Color> m_foregroundColor = Color::white();
    TextAlignment m_alignment = TextAlignment::natural;
    bool m_wrapped = false;
    Truncation m_truncation = Truncation::none;
};

} // namespace platform::ui
