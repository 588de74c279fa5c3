#include "pirrow/checkbox.h"

#include <QTest>

using namespace platform::ui;
using pirrow::CheckBox;
using pirrow::CheckBoxDelegate;

namespace {

struct Recorder : CheckBoxDelegate {
    QList<int> states;
    void checkBoxStateChanged(int state) override { states << state; }
};

Path line(std::initializer_list<Point> points)
{
    Path p;
    bool first = true;
    for (const Point q : points) {
        if (first)
            p.moveTo(q);
        else
            p.lineTo(q);
        first = false;
    }
    return p;
}

void click(CheckBox &box)
{
    MouseEvent e;
    e.location = { 5, 5 };
    box.mouseDown(e);
}

} // namespace

class CheckBoxTest : public QObject {
    Q_OBJECT

private slots:
    void aNewBoxIsMixed()
    {
        CheckBox box(Rect(0, 0, 20, 20));
        box.setAppearance(Appearance::aqua());
        QCOMPARE(box.state(), CheckBox::mixed);
        QCOMPARE(*box.shapeLayer()->path(), Path::roundedRect(Rect(0, 0, 20, 20), 4, 4));
        QCOMPARE(*box.imageLayer()->path(), line({ { 5, 10 }, { 15, 10 } }));
        QCOMPARE(box.imageLayer()->lineWidth(), 20.0 / 7);
        QCOMPARE(*box.imageLayer()->strokeColor(), Color::white());
        QCOMPARE(box.imageLayer()->lineCap(), LineCap::round);
        QCOMPARE(box.imageLayer()->lineJoin(), LineJoin::round);
        QCOMPARE(box.layer()->sublayers(),
            (std::vector<std::shared_ptr<Layer>> { box.shapeLayer(), box.imageLayer() }));
    }

    void clicksCycleTheState()
    {
        CheckBox box(Rect(0, 0, 20, 20));
        box.setAppearance(Appearance::aqua());
        auto recorder = std::make_shared<Recorder>();
        box.setDelegate(recorder);

        click(box);
        QCOMPARE(box.state(), CheckBox::off);
        QCOMPARE(*box.shapeLayer()->fillColor(), Color::systemGray().resolved(Appearance::aqua()));
        QCOMPARE(box.layer()->sublayers().size(), size_t(1));

        click(box);
        QCOMPARE(box.state(), CheckBox::on);
        QCOMPARE(*box.shapeLayer()->fillColor(), Color::controlAccent().resolved(Appearance::aqua()));
        QCOMPARE(*box.imageLayer()->path(), line({ { 20 / 4.16, 20 / 2.2 }, { 20 / 2.33, 20 / 3.5 },
                                                { 20 - 20 / 3.8, 20 - 20 / 3.0 } }));
        QCOMPARE(box.layer()->sublayers().size(), size_t(2));

        click(box);
        QCOMPARE(box.state(), CheckBox::off);
        QCOMPARE(recorder->states, (QList<int> { CheckBox::off, CheckBox::on, CheckBox::off }));
    }

    void aDisabledBoxKeepsItsStateAndLook()
    {
        CheckBox box(Rect(0, 0, 20, 20));
        box.setState(CheckBox::on);
        auto recorder = std::make_shared<Recorder>();
        box.setDelegate(recorder);
        const auto fill = box.shapeLayer()->fillColor();
        box.setEnabled(false);
        click(box);
        QCOMPARE(box.state(), CheckBox::on);
        QVERIFY(recorder->states.isEmpty());
        QCOMPARE(box.shapeLayer()->fillColor(), fill);
    }

    void settingTheSameStateDoesNotRedraw()
    {
        CheckBox box(Rect(0, 0, 20, 20));
        box.setState(CheckBox::on);
        box.setFrameSize({ 40, 40 }); // a redraw would pick up the new size
        box.setState(CheckBox::on);
        QCOMPARE(*box.shapeLayer()->path(), Path::roundedRect(Rect(0, 0, 20, 20), 4, 4));
        box.setState(CheckBox::off);
        QCOMPARE(*box.shapeLayer()->path(), Path::roundedRect(Rect(0, 0, 40, 40), 8, 8));
    }

    void aStateOutsideTheCycleStaysAndIsReported()
    {
        CheckBox box(Rect(0, 0, 20, 20));
        box.setAppearance(Appearance::aqua());
        const auto fill = box.shapeLayer()->fillColor();
        auto recorder = std::make_shared<Recorder>();
        box.setDelegate(recorder);
        box.setState(5);
        QCOMPARE(box.shapeLayer()->fillColor(), fill);
        QCOMPARE(box.layer()->sublayers().size(), size_t(1));
        click(box);
        QCOMPARE(box.state(), 5);
        QCOMPARE(recorder->states, QList<int> { 5 });
    }

    void appearanceChangesRedraw()
    {
        CheckBox box(Rect(0, 0, 20, 20));
        box.setAppearance(Appearance::aqua());
        box.setAppearance(Appearance::darkAqua());
        QCOMPARE(*box.shapeLayer()->fillColor(), Color::controlAccent().resolved(Appearance::darkAqua()));
    }
};

QTEST_MAIN(CheckBoxTest)
#include "checkbox_test.moc"
