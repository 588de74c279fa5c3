#pragma once

#include "platform/ui/color.h"
#include "platform/ui/font.h"
#include "platform/ui/geometry.h"
#include "platform/ui/textattributes.h"

#include <QPointer>
#include <QString>

#include <functional>

class QLineEdit;

namespace platform::ui {

class GraphicsContext;
class View;

/// The cell of a text field: draws a text field's bezel or border, background and text, says what
/// size it needs, and edits its text with a field editor (a line edit laid over the control).
///
/// Rectangles are in the control's flipped cell space: y runs down from the control's top, so a
/// rectangle's y is its top edge (`TextField` draws its cell in that space). Texts are drawn
/// upright from the top of their rectangle. Main thread only.
class TextFieldCell {
public:
    explicit TextFieldCell(const QString &text = {});
    virtual ~TextFieldCell();
    TextFieldCell(const TextFieldCell &) = delete;
    TextFieldCell &operator=(const TextFieldCell &) = delete;

    QString stringValue() const { return m_string; }
    void setStringValue(const QString &text) { m_string = text; }
    /// Shown in `placeholderColor` while the value is empty.
    QString placeholderString() const { return m_placeholder; }
    void setPlaceholderString(const QString &text) { m_placeholder = text; }
    Font font() const { return m_font; }
    void setFont(const Font &font) { m_font = font; }
    /// Default: the control text colour.
    Color textColor() const { return m_textColor; }
    void setTextColor(const Color &color) { m_textColor = color; }
    TextAlignment alignment() const { return m_style.alignment; }
    void setAlignment(TextAlignment alignment) { m_style.alignment = alignment; }
    /// Default: clipping (one line).
    LineBreakMode lineBreakMode() const { return m_style.lineBreakMode; }
    void setLineBreakMode(LineBreakMode mode) { m_style.lineBreakMode = mode; }
    /// A sunken square bezel (a hairline frame in the separator colour); default on.
    bool isBezeled() const { return m_bezeled; }
    void setBezeled(bool on) { m_bezeled = on; }
    /// A plain one-point frame in the text colour; default off.
    bool isBordered() const { return m_bordered; }
    void setBordered(bool on) { m_bordered = on; }
    bool drawsBackground() const { return m_drawsBackground; }
    void setDrawsBackground(bool on) { m_drawsBackground = on; }
    /// Default: the text background colour.
    Color backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const Color &color) { m_backgroundColor = color; }
    bool isEditable() const { return m_editable; }
    void setEditable(bool on) { m_editable = on; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }

    /// The text with the attributes it is drawn with (colours unresolved).
    TextAttributes attributes() const;
    /// The size of the shown text (the value, or the placeholder while the value is empty) on one line
    /// per line break.
    Size attributedStringSize() const;

    /// What the cell needs: the text plus its padding and, when bezeled or bordered, the frame.
    virtual Size cellSize() const;
    /// Where the text goes in `bounds`: inset by the frame when bezeled or bordered, and by 2 points of
    /// padding on the left and right.
    virtual Rect titleRectForBounds(const Rect &bounds) const;
    /// Where the field editor lies while editing; the title rectangle by default.
    virtual Rect editingRectForBounds(const Rect &bounds) const;
    /// Background, bezel or border, then `drawInterior`.
    virtual void drawWithFrame(GraphicsContext &context, const Rect &cellFrame, View *controlView);
    /// The text (or the placeholder) in the title rectangle; nothing while the field editor shows it.
    virtual void drawInterior(GraphicsContext &context, const Rect &cellFrame, View *controlView);
    /// The text as shown: the value itself (a secure cell shows bullets).
    virtual QString displayedString() const { return m_string; }

    // Editing
    /// Lays a field editor holding the value over the editing rectangle of `cellFrame` in
    /// `controlView` and gives it the keyboard focus. Return ends editing, Escape aborts it, and so
    /// does losing the focus (which ends it). Does nothing unless the cell is editable and enabled.
    void editWithFrame(const Rect &cellFrame, View *controlView);
    /// Takes the editor's text as the value, removes the editor and calls the end-editing handler.
    void endEditing();
    /// Removes the editor and keeps the value as it was.
    void abortEditing();
    bool isEditing() const;
    /// The field editor while editing, else none.
    QLineEdit *fieldEditor() const;
    /// Called after `endEditing` took a new value (with that value).
    void setEndEditingHandler(std::function<void(const QString &)> handler) { m_endEditing = std::move(handler); }

protected:
    /// Whether the field editor hides what is typed.
    virtual bool editorEchoesBullets() const { return false; }
    /// Colour of the placeholder text.
    static Color placeholderColor();

private:
    void finishEditing(bool commit);

    QString m_string;
    QString m_placeholder;
    Font m_font;
    Color m_textColor;
    ParagraphStyle m_style { TextAlignment::natural, LineBreakMode::clipping };
    bool m_bezeled = true;
    bool m_bordered = false;
    bool m_drawsBackground = false;
    Color m_backgroundColor;
    bool m_editable = false;
    bool m_enabled = true;
    QPointer<QLineEdit> m_editor;
    QPointer<View> m_editorView;
    std::function<void(const QString &)> m_endEditing;
};

} // namespace platform::ui
