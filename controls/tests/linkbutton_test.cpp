#include "controlstestsupport.h"
#include "pirrow/linkbutton.h"

#include <QTest>

using namespace platform::ui;
using pirrow::LinkButton;
using pirrowtest::Host;

Q_DECLARE_METATYPE(platform::ui::Point)

namespace {
// Moves the pointer to a point of the button (y up) as the window system would.
void hover(LinkButton &button, Point p)
{
    QTest::mouseMove(&button, QPoint(int(p.x), int(button.frame().height() - p.y)));
    QCoreApplication::processEvents();
}
}

class LinkButtonTest : public QObject {
    Q_OBJECT

private slots:
    void pointingHandOverTheWholeButtonWhileEnabled_data()
    {
        QTest::addColumn<Point>("point");
        QTest::newRow("centre") << Point(40, 10);
        QTest::newRow("near the lower left corner") << Point(1, 1);
        QTest::newRow("near the upper right corner") << Point(78, 18);
    }
    void pointingHandOverTheWholeButtonWhileEnabled()
    {
        QFETCH(Point, point);
        Host host;
        auto *button = new LinkButton(Rect(20, 20, 80, 20));
        host.addSubview(button);
        QVERIFY(host.showAndWait());
        hover(*button, point);
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    }

    void arrowWhileDisabled()
    {
        Host host;
        auto *button = new LinkButton(Rect(20, 20, 80, 20));
        button->setEnabled(false);
        host.addSubview(button);
        QVERIFY(host.showAndWait());
        hover(*button, Point(40, 10));
        QVERIFY(button->cursor().shape() != Qt::PointingHandCursor);
    }

    // The cursor follows the enabled state when it changes while the pointer rests on the button.
    void enabledStateChangesTheCursor()
    {
        Host host;
        auto *button = new LinkButton(Rect(20, 20, 80, 20));
        host.addSubview(button);
        QVERIFY(host.showAndWait());
        hover(*button, Point(40, 10));
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        button->setEnabled(false);
        hover(*button, Point(41, 10));
        QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);
        button->setEnabled(true);
        hover(*button, Point(42, 10));
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    }
};

QTEST_MAIN(LinkButtonTest)
#include "linkbutton_test.moc"
