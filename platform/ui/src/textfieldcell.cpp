#include "platform/ui/textfieldcell.h"

#include "platform/ui/graphicscontext.h"
#include "platform/ui/text.h"
#include "platform/ui/view.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <cmath>

namespace platform::ui {

namespace {
    constexpr double kPadding = 2; // left and right of the text, as the platform's text cells leave
    constexpr double kFrameInset = 2; // a bezel or border and the gap inside it

    /// Escape on the field editor aborts editing.
    class EscapeFilter : public QObject {
    public:
        EscapeFilter(QObject *parent, std::function<void()> onEscape)
            : QObject(parent)
            , m_onEscape(std::move(onEscape))
        {
        }

    protected:
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
                m_onEscape();
                return true;
            }
            return QObject::eventFilter(watched, event);
        }

    private:
        std::function<void()> m_onEscape;
    };
} // namespace

TextFieldCell::TextFieldCell(const QString &text)
    : m_string(text)
    , m_font(Font::systemFont(Font::systemFontSize()))
    , m_textColor(Color::controlText())
    , m_backgroundColor(Color::textBackground())
{
}

TextFieldCell::~TextFieldCell()
{
    if (m_editor)
        m_editor->deleteLater();
}

Color TextFieldCell::placeholderColor() { return Color::tertiaryLabel(); }

TextAttributes TextFieldCell::attributes() const
{
    TextAttributes a;
    a.font = m_font;
    a.foregroundColor = m_textColor;
    a.paragraphStyle = m_style;
    return a;
}

Size TextFieldCell::attributedStringSize() const
{
    const QString shown = m_string.isEmpty() ? m_placeholder : displayedString();
    return Text::size(shown, attributes());
}

Size TextFieldCell::cellSize() const
{
    const double frame = (m_bezeled || m_bordered) ? 2 * kFrameInset : 0;
    const Size text = attributedStringSize();
    return { std::ceil(text.width) + 2 * kPadding + frame, std::ceil(text.height) + frame };
}

Rect TextFieldCell::titleRectForBounds(const Rect &bounds) const
{
    const double inset = (m_bezeled || m_bordered) ? kFrameInset : 0;
    const Rect inner = bounds.insetBy(inset, inset);
    return Rect(inner.x() + kPadding, inner.y(), std::max(0.0, inner.width() - 2 * kPadding),
        std::max(0.0, inner.height()));
}

Rect TextFieldCell::editingRectForBounds(const Rect &bounds) const { return titleRectForBounds(bounds); }

void TextFieldCell::drawWithFrame(GraphicsContext &context, const Rect &cellFrame, View *controlView)
{
    if (m_drawsBackground)
        context.fillRect(cellFrame, m_backgroundColor);
    if (m_bezeled || m_bordered) {
        StrokeStyle line;
        line.lineWidth = 1;
        line.color = m_bezeled ? Color::separator() : m_textColor;
        context.strokeRect(cellFrame.insetBy(0.5, 0.5), line);
    }
    drawInterior(context, cellFrame, controlView);
}

void TextFieldCell::drawInterior(GraphicsContext &context, const Rect &cellFrame, View *controlView)
{
    if (isEditing())
        return; // the field editor shows the text
    const bool placeholder = m_string.isEmpty();
    const QString shown = placeholder ? m_placeholder : displayedString();
    if (shown.isEmpty())
        return;
    TextAttributes a = attributes();
    const Color colour = placeholder ? placeholderColor() : (m_enabled ? m_textColor : Color::disabledControlText());
    a.foregroundColor = controlView ? colour.resolved(controlView->effectiveAppearance()) : colour.resolved();
    Text::draw(context, shown, titleRectForBounds(cellFrame), a);
}

void TextFieldCell::editWithFrame(const Rect &cellFrame, View *controlView)
{
    if (!controlView || !m_editable || !m_enabled)
        return;
    if (m_editor)
        finishEditing(true);
    const Rect r = editingRectForBounds(cellFrame);
    auto *editor = new QLineEdit(controlView);
    editor->setFrame(false);
    editor->setText(m_string);
    editor->setPlaceholderText(m_placeholder);
    editor->setEchoMode(editorEchoesBullets() ? QLineEdit::Password : QLineEdit::Normal);
    editor->setFont(m_font.toQFont(editor->logicalDpiY()));
    editor->setGeometry(QRect(int(std::floor(r.x())), int(std::floor(r.y())), int(std::ceil(r.width())),
        int(std::ceil(r.height()))));
    editor->installEventFilter(new EscapeFilter(editor, [this] { finishEditing(false); }));
    // Return and the loss of focus both end editing.
    QObject::connect(editor, &QLineEdit::editingFinished, editor, [this] { finishEditing(true); });
    m_editor = editor;
    m_editorView = controlView;
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    editor->selectAll();
    controlView->setNeedsDisplay();
}

bool TextFieldCell::isEditing() const { return !m_editor.isNull(); }

QLineEdit *TextFieldCell::fieldEditor() const { return m_editor.data(); }

void TextFieldCell::endEditing() { finishEditing(true); }

void TextFieldCell::abortEditing() { finishEditing(false); }

void TextFieldCell::finishEditing(bool commit)
{
    if (!m_editor)
        return;
    QLineEdit *editor = m_editor;
    m_editor = nullptr; // first: hiding the editor makes it report the end of editing once more
    const QString text = editor->text();
    editor->hide();
    editor->deleteLater();
    if (m_editorView)
        m_editorView->setNeedsDisplay();
    m_editorView = nullptr;
    if (!commit)
        return;
    m_string = text;
    if (m_endEditing)
        m_endEditing(text);
}

} // namespace platform::ui
