#pragma once

#include "platform/ui/color.h"
#include "platform/ui/font.h"
#include "platform/ui/textattributes.h"
#include "platform/ui/view.h"

#include <memory>

namespace platform::ui {

class TextFieldCell;

/// A text shown in a view (a label: not editable, no bezel). The text is drawn from the top of the
/// bounds in `font` and `textColor` (resolved against the view's appearance when drawing), wrapped
/// at the view's width unless the line-break mode clips or truncates.
///
/// A field with a cell (`setCell`) is drawn by its cell instead, in the cell's flipped space of the
/// bounds (y down from the top), and is edited through it: a click on an editable field lays the
/// cell's field editor over it. Main thread only.
class TextField : public View {
    Q_OBJECT
public:
    explicit TextField(const Rect &frame = Rect(), QWidget *parent = nullptr);
    /// A label showing `text`, sized to fit it on one line.
    static TextField *labelWithString(const QString &text);

    QString stringValue() const { return m_string; }
    void setStringValue(const QString &text);
    Font font() const { return m_font; }
    void setFont(const Font &font);
    /// Default: the label colour.
    Color textColor() const { return m_textColor; }
    void setTextColor(const Color &color);
    TextAlignment alignment() const { return m_style.alignment; }
    void setAlignment(TextAlignment alignment);
    /// Default: truncating at the end.
    LineBreakMode lineBreakMode() const { return m_style.lineBreakMode; }
    void setLineBreakMode(LineBreakMode mode);

    /// The attributes the text is drawn with.
    TextAttributes attributes() const;
    /// The size the text needs: one line per line break, or wrapped at `width` when it is above 0.
    Size fittingSize(double width = 0) const;

    /// The cell that draws and edits the field, or none (a plain label). Setting one hands it the
    /// field's text, font, text colour and alignment; later setters of the field pass them on.
    const std::shared_ptr<TextFieldCell> &cell() const { return m_cell; }
    void setCell(std::shared_ptr<TextFieldCell> cell);
    /// Whether a click edits the text; only fields with a cell can be edited.
    bool isEditable() const;
    void setEditable(bool editable);
    /// The bounds in the cell's flipped space.
    Rect cellFrame() const { return Rect(0, 0, bounds().width(), bounds().height()); }

    void drawRect(GraphicsContext &context, const Rect &dirtyRect) override;
    void mouseDown(const MouseEvent &event) override;

signals:
    /// Editing ended with `text` as the new value.
    void textDidEndEditing(const QString &text);

private:
    QString m_string;
    Font m_font;
    Color m_textColor;
    ParagraphStyle m_style;
    std::shared_ptr<TextFieldCell> m_cell;
};

} // namespace platform::ui
