#include "platform/ui/button.h"
#include "platform/ui/recordingcontext.h"
#include "platform/ui/systemappearance.h"
#include "platform/ui/textfield.h"
#include "uitestsupport.h"

#include <QTest>

using namespace platform::ui;

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void labelDrawsItsTextInItsBoundsInTheViewsAppearance_data()
    {
        QTest::addColumn<Appearance>("appearance");
        QTest::newRow("light") << Appearance::aqua();
        QTest::newRow("dark") << Appearance::darkAqua();
    }

    void labelDrawsItsTextInItsBoundsInTheViewsAppearance()
    {
        QFETCH(Appearance, appearance);
        TextField field(Rect(0, 0, 120, 20));
        field.setAppearance(appearance);
        field.setStringValue(QStringLiteral("Version 1.0"));
        field.setAlignment(TextAlignment::center);

        RecordingContext recorder;
        field.render(recorder);
        const auto texts = recorder.calls(DrawCall::Kind::text);
        QCOMPARE(texts.size(), size_t(1));
        QCOMPARE(texts[0].text, QStringLiteral("Version 1.0"));
        QCOMPARE(texts[0].baseRect(), Rect(0, 0, 120, 20));
        QCOMPARE(texts[0].attributes.effectiveParagraphStyle().alignment, TextAlignment::center);
        QCOMPARE(texts[0].attributes.effectiveColor(), Color::label().resolved(appearance));
    }

    void emptyLabelDrawsNothing()
    {
        TextField field(Rect(0, 0, 120, 20));
        RecordingContext recorder;
        field.render(recorder);
        QVERIFY(recorder.calls(DrawCall::Kind::text).empty());
    }

    void labelWithStringFitsItsText()
    {
        std::unique_ptr<TextField> field(TextField::labelWithString(QStringLiteral("A longer text")));
        const Size needed = field->fittingSize();
        QVERIFY(needed.width > 20);
        QCOMPARE(field->frame().size, needed);
    }

    void buttonRunsItsActionOnAClickInside_data()
    {
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<int>("actions");
        QTest::newRow("released inside") << QPoint(30, 10) << 1;
        QTest::newRow("released outside") << QPoint(300, 10) << 0;
    }

    void buttonRunsItsActionOnAClickInside()
    {
        QFETCH(QPoint, release);
        QFETCH(int, actions);
        View host(Rect(0, 0, 400, 100));
        auto *button = new Button(Rect(10, 60, 80, 24));
        host.addSubview(button);
        int runs = 0;
        button->setAction([&] { ++runs; });
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));

        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(30, 10));
        QVERIFY(button->isHighlighted());
        QTest::mouseMove(button, release);
        QTest::mouseRelease(button, Qt::LeftButton, {}, release);
        QCOMPARE(runs, actions);
        QVERIFY(!button->isHighlighted());

        button->performClick();
        QCOMPARE(runs, actions + 1);
    }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
