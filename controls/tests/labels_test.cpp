#include "pirrow/colors.h"
#include "pirrow/hoverlabel.h"
#include "pirrow/taglabel.h"

#include <platform/ui/systemappearance.h>
#include <platform/ui/text.h>

#include <QTest>

#include <cmath>
#include <limits>

using namespace platform::ui;
using namespace pirrow;

namespace {

MouseEvent at(Point p)
{
    MouseEvent e;
    e.location = p;
    return e;
}

Image square() { return Image::withDrawing({ 10, 10 }, [](GraphicsContext &, const Rect &) { }); }

std::vector<std::shared_ptr<LayoutConstraint>> named(const View &view, const QString &identifier)
{
    std::vector<std::shared_ptr<LayoutConstraint>> found;
    for (const auto &c : view.constraints())
        if (c->identifier() == identifier)
            found.push_back(c);
    return found;
}

Size textSize(const TextField &field, const QString &text)
{
    TextAttributes attributes;
    attributes.font = field.font();
    return Text::size(text, attributes);
}

} // namespace

class LabelsTest : public QObject {
    Q_OBJECT

private slots:
    void hoverLabelLooks_data()
    {
        QTest::addColumn<bool>("isOn");
        QTest::addColumn<bool>("hover");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<bool>("blue");
        QTest::newRow("plain") << false << false << "none" << false;
        QTest::newRow("hovered") << false << true << "hover" << false;
        QTest::newRow("on") << true << false << "on" << true;
        QTest::newRow("on and hovered") << true << true << "on" << true;
    }

    void hoverLabelLooks()
    {
        QFETCH(bool, isOn);
        QFETCH(bool, hover);
        QFETCH(QString, fill);
        QFETCH(bool, blue);
        ScopedAppearance app(Appearance::aqua());
        HoverLabel label(Rect(0, 0, 120, 30));
        label.setAppearance(Appearance::aqua());
        label.setStringValue(QStringLiteral("Battery"));
        label.setOn(isOn);
        if (hover)
            label.mouseEntered(at({ 5, 5 }));
        const auto shown = label.backgroundLayer()->fillColor();
        if (fill == "none")
            QVERIFY(!shown);
        else if (fill == "hover")
            QCOMPARE(*shown, Color::fromRGB255(242, 242, 242));
        else
            QCOMPARE(*shown, Colors::hover().resolved(Appearance::aqua()));
        QCOMPARE(*label.textLayer()->foregroundColor(),
            (blue ? Color::systemBlue() : Color::label()).resolved(Appearance::aqua()));
        QCOMPARE(*label.backgroundLayer()->path(), Path::roundedRect(Rect(0, 0, 120, 30), 6, 6));
        QCOMPARE(label.textLayer()->string(), QStringLiteral("Battery"));
        QVERIFY(std::abs(label.textLayer()->frame().midX() - 60) < 1e-6);
    }

    void leavingRemovesTheHoverBackground()
    {
        HoverLabel label(Rect(0, 0, 120, 30));
        label.setAppearance(Appearance::darkAqua());
        label.mouseEntered(at({ 5, 5 }));
        QCOMPARE(*label.backgroundLayer()->fillColor(),
            Color::quaternaryLabel().resolved(Appearance::darkAqua()).withAlphaComponent(0.4));
        label.mouseExited(at({ 500, 5 }));
        QVERIFY(!label.backgroundLayer()->fillColor());
    }

    void hoverLabelIcon_data()
    {
        QTest::addColumn<Size>("size");
        QTest::addColumn<bool>("shown");
        QTest::newRow("no size") << Size { 0, 0 } << false;
        QTest::newRow("16 by 16") << Size { 16, 16 } << true;
    }

    void hoverLabelIcon()
    {
        QFETCH(Size, size);
        QFETCH(bool, shown);
        HoverLabel label(Rect(0, 0, 120, 30));
        label.setIconSize(size);
        label.setIcon(square());
        QCOMPARE(label.imageLayer()->superlayer() != nullptr, shown);
        if (shown) {
            QCOMPARE(label.imageLayer()->frame(), Rect(4, 7, 16, 16));
            QCOMPARE(label.layer()->sublayers(), (std::vector<std::shared_ptr<Layer>> { label.backgroundLayer(),
                                                     label.textLayer(), label.imageLayer() }));
        }
    }

    void tagLabelTakesItsSizeInAPlainContainer_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("a word") << QStringLiteral("New");
        QTest::newRow("several words") << QStringLiteral("Much longer text");
        QTest::newRow("empty") << QString();
    }

    // The container has no constraints of its own; the tag's size comes from its text alone.
    void tagLabelTakesItsSizeInAPlainContainer()
    {
        QFETCH(QString, text);
        View container(Rect(0, 0, 300, 100));
        auto *tag = new TagLabel(Rect(10, 20, 1, 1));
        container.addSubview(tag);
        tag->setStringValue(text);
        container.layoutSubtreeIfNeeded();
        const Rect frame = tag->frame();
        const Size measured = textSize(*tag, text);
        // Whole points: 6 on each side and 1 more than the text wide, 1 + 4 more than it high, cut down.
        QCOMPARE(frame.width(), std::floor(frame.width()));
        QCOMPARE(frame.height(), std::floor(frame.height()));
        QVERIFY(frame.width() - 13 <= measured.width && measured.width < frame.width() - 12);
        QVERIFY(frame.height() - 5 <= measured.height && measured.height < frame.height() - 4);
        QCOMPARE(frame.x(), 10.0);
        QCOMPARE(frame.maxY(), 21.0); // the top edge stays where it was
        QCOMPARE(named(*tag, QStringLiteral("width")).size(), size_t(1));
        QCOMPARE(named(*tag, QStringLiteral("height")).size(), size_t(1));
        QCOMPARE(tag->textColor(), Color::systemGreen());
        QCOMPARE(*tag->layer()->backgroundColor(), Color::systemGreen().withAlphaComponent(0.22).resolved());
    }

    void aLongerTextWidensTheTagInItsContainer()
    {
        View container(Rect(0, 0, 300, 100));
        auto *tag = new TagLabel(Rect(10, 20, 1, 1));
        container.addSubview(tag);
        tag->setStringValue(QStringLiteral("New"));
        container.layoutSubtreeIfNeeded();
        const Rect before = tag->frame();
        const auto width = named(*tag, QStringLiteral("width")).front();
        tag->setStringValue(QStringLiteral("New and improved"));
        QVERIFY(container.needsLayout()); // the new size reaches the container without a call
        container.layoutSubtreeIfNeeded();
        QVERIFY(tag->frame().width() > before.width());
        QCOMPARE(tag->frame().height(), before.height());
        // The same constraints, with new constants.
        QCOMPARE(named(*tag, QStringLiteral("width")).size(), size_t(1));
        QCOMPARE(named(*tag, QStringLiteral("width")).front(), width);
        // A bigger margin: 2 × 4 points wider.
        const double plain = tag->frame().width();
        tag->setOffset(10);
        container.layoutSubtreeIfNeeded();
        QCOMPARE(tag->frame().width(), plain + 8);
    }

    void switchingSizingOffKeepsTheConstraints()
    {
        TagLabel tag;
        tag.setStringValue(QStringLiteral("New"));
        const double width = named(tag, QStringLiteral("width")).front()->constant();
        tag.setAutoCalculateSize(false);
        tag.setStringValue(QStringLiteral("Much longer text"));
        QCOMPARE(named(tag, QStringLiteral("width")).front()->constant(), width);
    }

    void aSizeThatIsNoWholeNumberLeavesTheConstraints_data()
    {
        QTest::addColumn<double>("offset");
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
        QTest::newRow("not a number") << std::nan("");
        QTest::newRow("huge") << 1e300;
    }

    void aSizeThatIsNoWholeNumberLeavesTheConstraints()
    {
        QFETCH(double, offset);
        TagLabel tag;
        tag.setStringValue(QStringLiteral("New"));
        const double width = named(tag, QStringLiteral("width")).front()->constant();
        tag.setOffset(offset);
        QCOMPARE(named(tag, QStringLiteral("width")).front()->constant(), width);
    }

    void progressFill_data()
    {
        QTest::addColumn<std::optional<double>>("progress");
        QTest::addColumn<double>("width");
        QTest::newRow("none") << std::optional<double>() << -1.0;
        QTest::newRow("below zero") << std::optional<double>(-0.3) << 0.0;
        QTest::newRow("half") << std::optional<double>(0.5) << 30.0;
        QTest::newRow("above one") << std::optional<double>(1.7) << 60.0;
    }

    void progressFill()
    {
        QFETCH(std::optional<double>, progress);
        QFETCH(double, width);
        TagLabel tag(Rect(0, 0, 60, 18));
        tag.setAutoCalculateSize(false);
        tag.setColor(Color::red());
        tag.setProgress(0.1);
        const auto previous = tag.progressLayer();
        tag.setProgress(progress);
        QVERIFY(!previous->superlayer());
        if (width < 0) {
            QCOMPARE(tag.layer()->sublayers().size(), size_t(0));
            return;
        }
        QCOMPARE(tag.layer()->sublayers().size(), size_t(1));
        QCOMPARE(tag.progressLayer()->path()->boundingBox(), Rect(0, 0, width, 18));
        QCOMPARE(*tag.progressLayer()->fillColor(), Color::red().withAlphaComponent(0.25));
        QCOMPARE(tag.progressLayer()->cornerRadius(), 4.0);
    }
};

QTEST_MAIN(LabelsTest)
#include "labels_test.moc"
