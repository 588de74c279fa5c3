// The controls' screen scale on a high-density screen. Qt takes the scale factor when the
// application starts, so this test makes its own application with the main screen at twice the
// density.
#include "pirrow/screenextensions.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

using pirrow::ScreenExtensions;

class ScreenScaleTest : public QObject {
    Q_OBJECT

private slots:
    void followsTheMainScreensDensity()
    {
        QVERIFY(QGuiApplication::primaryScreen());
        QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
        QCOMPARE(ScreenExtensions::mainScale(), 2.0);
    }
};

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ScreenScaleTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "screenscale_test.moc"
