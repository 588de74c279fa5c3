#include "platform/ui/recordingcontext.h"
#include "platform/ui/searchfieldcell.h"
#include "platform/ui/securetextfieldcell.h"
#include "platform/ui/systemappearance.h"
#include "platform/ui/text.h"
#include "platform/ui/textfield.h"
#include "platform/ui/textfieldcell.h"
#include "uitestsupport.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace platform::ui;

namespace {

MouseEvent click(Point p)
{
    MouseEvent e;
    e.location = p;
    return e;
}

std::vector<DrawCall> texts(const RecordingContext &context) { return context.calls(DrawCall::Kind::text); }

} // namespace

class TextFieldCellTest : public QObject {
    Q_OBJECT

private slots:
    void drawsFrameThenText_data()
    {
        QTest::addColumn<bool>("bezeled");
        QTest::addColumn<bool>("bordered");
        QTest::addColumn<int>("strokes");
        QTest::addColumn<Rect>("title");
        // Frame 2 in from each edge when framed, then 2 points of padding left and right.
        QTest::newRow("bezeled") << true << false << 1 << Rect(14, 7, 116, 18);
        QTest::newRow("bordered") << false << true << 1 << Rect(14, 7, 116, 18);
        QTest::newRow("plain") << false << false << 0 << Rect(12, 5, 120, 22);
    }

    void drawsFrameThenText()
    {
        QFETCH(bool, bezeled);
        QFETCH(bool, bordered);
        QFETCH(int, strokes);
        QFETCH(Rect, title);
        TextFieldCell cell(QStringLiteral("Trackpad"));
        cell.setBezeled(bezeled);
        cell.setBordered(bordered);
        cell.setDrawsBackground(true);
        RecordingContext context;
        cell.drawWithFrame(context, Rect(10, 5, 124, 22), nullptr);
        QCOMPARE(context.calls(DrawCall::Kind::fillRect).size(), size_t(1));
        QCOMPARE(context.calls(DrawCall::Kind::strokePath).size(), size_t(strokes));
        QCOMPARE(texts(context).size(), size_t(1));
        QCOMPARE(texts(context).front().text, QStringLiteral("Trackpad"));
        QCOMPARE(texts(context).front().rect, title);
        QCOMPARE(cell.titleRectForBounds(Rect(10, 5, 124, 22)), title);
        // The frame lies under the text.
        QVERIFY(context.calls().back().kind == DrawCall::Kind::text);
    }

    void emptyValueShowsThePlaceholderDimmed()
    {
        ScopedAppearance light(Appearance::aqua());
        TextFieldCell cell;
        cell.setPlaceholderString(QStringLiteral("Name"));
        RecordingContext context;
        cell.drawInterior(context, Rect(0, 0, 100, 22), nullptr);
        QCOMPARE(texts(context).size(), size_t(1));
        QCOMPARE(texts(context).front().text, QStringLiteral("Name"));
        QCOMPARE(*texts(context).front().attributes.foregroundColor, Color::tertiaryLabel().resolved());
        cell.setStringValue(QStringLiteral("Mouse"));
        context.clear();
        cell.drawInterior(context, Rect(0, 0, 100, 22), nullptr);
        QCOMPARE(texts(context).front().text, QStringLiteral("Mouse"));
        QCOMPARE(*texts(context).front().attributes.foregroundColor, Color::controlText().resolved());
    }

    void secureCellShowsOneBulletPerCharacter_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("bullets");
        QTest::newRow("letters") << QStringLiteral("secret") << 6;
        QTest::newRow("a character outside the basic plane") << QStringLiteral("a\U0001F511b") << 3;
        QTest::newRow("empty") << QString() << 0;
    }

    void secureCellShowsOneBulletPerCharacter()
    {
        QFETCH(QString, value);
        QFETCH(int, bullets);
        SecureTextFieldCell cell(value);
        RecordingContext context;
        cell.drawInterior(context, Rect(0, 0, 100, 22), nullptr);
        if (bullets == 0) {
            QVERIFY(texts(context).empty());
            return;
        }
        QCOMPARE(texts(context).front().text, QString(bullets, QChar(0x2022)));
        QVERIFY(!texts(context).front().text.contains(QLatin1Char('s')));
    }

    void cellSizeAddsTheFrame()
    {
        TextFieldCell plain(QStringLiteral("Level"));
        plain.setBezeled(false);
        TextFieldCell bezeled(QStringLiteral("Level"));
        const Size text = Text::size(QStringLiteral("Level"), plain.attributes());
        QCOMPARE(plain.cellSize(), (Size { std::ceil(text.width) + 4, std::ceil(text.height) }));
        QCOMPARE(bezeled.cellSize(), (Size { plain.cellSize().width + 4, plain.cellSize().height + 4 }));
    }

    void searchCellKeepsItsTextBetweenTheButtons()
    {
        SearchFieldCell cell;
        const Rect frame(0, 0, 200, 22);
        const Rect title = cell.titleRectForBounds(frame);
        QCOMPARE(cell.searchButtonRectForBounds(frame), Rect(0, 0, 22, 22));
        QCOMPARE(cell.cancelButtonRectForBounds(frame), Rect(178, 0, 22, 22));
        QCOMPARE(title.x(), 22.0);
        QCOMPARE(title.maxX(), 178.0);
        // An empty field shows the placeholder and no cancel button; with text, a filled disc.
        RecordingContext context;
        cell.drawWithFrame(context, frame, nullptr);
        QCOMPARE(texts(context).front().text, QStringLiteral("Search"));
        QCOMPARE(context.calls(DrawCall::Kind::fillPath).size(), size_t(0));
        QCOMPARE(context.calls(DrawCall::Kind::fillRoundedRect).size(), size_t(1)); // the bezel
        cell.setStringValue(QStringLiteral("mouse"));
        context.clear();
        cell.drawInterior(context, frame, nullptr);
        QCOMPARE(context.calls(DrawCall::Kind::fillPath).size(), size_t(1));
        const Point disc = context.calls(DrawCall::Kind::fillPath).front().path.boundingBox().center();
        QVERIFY(cell.cancelButtonRectForBounds(frame).contains(disc));
        QCOMPARE(context.calls(DrawCall::Kind::fillRoundedRect).size(), size_t(0)); // the interior has no bezel
    }

    void aFieldDrawsItsCellFromItsTop()
    {
        TextField field(Rect(0, 0, 120, 30));
        auto cell = std::make_shared<TextFieldCell>();
        cell->setBezeled(false);
        field.setCell(cell);
        field.setStringValue(QStringLiteral("Keyboard"));
        QCOMPARE(cell->stringValue(), QStringLiteral("Keyboard"));
        RecordingContext context;
        field.render(context);
        QCOMPARE(texts(context).size(), size_t(1));
        // The title rectangle (2, 0, 116, 30) of the flipped cell space is the whole field in y-up space.
        QCOMPARE(texts(context).front().baseRect(), Rect(2, 0, 116, 30));
    }

    void editing_data()
    {
        QTest::addColumn<bool>("secure");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("return takes the text") << false << int(Qt::Key_Return) << "Mouse 2";
        QTest::newRow("escape keeps the value") << false << int(Qt::Key_Escape) << "Mouse";
        QTest::newRow("secure, return") << true << int(Qt::Key_Return) << "Mouse 2";
    }

    void editing()
    {
        QFETCH(bool, secure);
        QFETCH(int, key);
        QFETCH(QString, after);
        TextField field(Rect(0, 0, 160, 24));
        std::shared_ptr<TextFieldCell> cell
            = secure ? std::make_shared<SecureTextFieldCell>() : std::make_shared<TextFieldCell>();
        field.setCell(cell);
        field.setStringValue(QStringLiteral("Mouse"));
        field.setEditable(true);
        field.show();
        QSignalSpy ended(&field, &TextField::textDidEndEditing);

        field.mouseDown(click({ 20, 12 }));
        QVERIFY(cell->isEditing());
        QLineEdit *editor = cell->fieldEditor();
        QCOMPARE(editor->parentWidget(), &field);
        QCOMPARE(editor->text(), QStringLiteral("Mouse"));
        QCOMPARE(editor->echoMode(), secure ? QLineEdit::Password : QLineEdit::Normal);
        QCOMPARE(editor->geometry(), QRect(4, 2, 152, 20)); // the title rectangle
        // While the editor shows the text the cell does not draw it underneath.
        RecordingContext context;
        field.render(context);
        QVERIFY(texts(context).empty());

        editor->end(false);
        QTest::keyClicks(editor, QStringLiteral(" 2"));
        QTest::keyClick(editor, Qt::Key(key));
        QVERIFY(!cell->isEditing());
        QCOMPARE(field.stringValue(), after);
        QCOMPARE(cell->stringValue(), after);
        QCOMPARE(ended.count(), key == Qt::Key_Return ? 1 : 0);
    }

    void aFieldThatIsNotEditableTakesNoEditor()
    {
        TextField label(Rect(0, 0, 100, 20));
        label.mouseDown(click({ 5, 5 })); // no cell: a plain label
        auto cell = std::make_shared<TextFieldCell>();
        label.setCell(cell);
        label.mouseDown(click({ 5, 5 }));
        QVERIFY(!cell->isEditing());
        label.setEditable(true);
        cell->setEnabled(false);
        label.mouseDown(click({ 5, 5 }));
        QVERIFY(!cell->isEditing());
    }
};

QTEST_MAIN(TextFieldCellTest)
#include "textfieldcell_test.moc"
