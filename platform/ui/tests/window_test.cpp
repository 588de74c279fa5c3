#include "platform/ui/storyboard.h"
#include "platform/ui/view.h"
#include "platform/ui/viewcontroller.h"
#include "platform/ui/window.h"

#include <QApplication>
#include <QTest>

using namespace platform::ui;

namespace {

// Counts its loading hooks.
class CountingController : public ViewController {
public:
    int loads = 0;
    int didLoads = 0;
    Size size { 200, 100 };

protected:
    void loadView() override
    {
        ++loads;
        setView(new View(Rect(Point(), size)));
    }
    void viewDidLoad() override { ++didLoads; }
};

class RecordingDelegate : public WindowDelegate {
public:
    std::vector<Window *> closed;
    void windowWillClose(Window *window) override { closed.push_back(window); }
};

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        Storyboard::unregisterStoryboard(QStringLiteral("Main"));
        flushDeletes();
    }

    void storyboardInstantiatesRegisteredControllers()
    {
        QVERIFY(!Storyboard::named(QStringLiteral("Main")));
        Storyboard::registerInitialController(
            QStringLiteral("Main"), [] { return std::make_unique<CountingController>(); });
        Storyboard::registerController(QStringLiteral("Main"), QStringLiteral("Detail"), [] {
            auto c = std::make_unique<ViewController>();
            c->setTitle(QStringLiteral("detail"));
            return c;
        });

        const auto board = Storyboard::named(QStringLiteral("Main"));
        QVERIFY(board);
        const auto first = board->instantiateInitialController();
        const auto second = board->instantiateInitialController();
        QVERIFY(dynamic_cast<CountingController *>(first.get()));
        QVERIFY(first != second); // a new controller each time
        QCOMPARE(board->instantiateController(QStringLiteral("Detail"))->title(), QStringLiteral("detail"));
        QVERIFY(!board->instantiateController(QStringLiteral("Nowhere")));

        // A later registration replaces the factory; unregistering forgets the storyboard.
        Storyboard::registerInitialController(
            QStringLiteral("Main"), [] { return std::make_unique<ViewController>(); });
        QVERIFY(!dynamic_cast<CountingController *>(board->instantiateInitialController().get()));
        Storyboard::unregisterStoryboard(QStringLiteral("Main"));
        QVERIFY(!Storyboard::named(QStringLiteral("Main")));
        QVERIFY(!board->instantiateInitialController());
    }

    void controllerLoadsItsViewOnceAndOwnsIt()
    {
        QPointer<View> view;
        {
            CountingController controller;
            QVERIFY(!controller.isViewLoaded());
            view = controller.view();
            QVERIFY(view);
            QCOMPARE(controller.view(), view.data());
            QCOMPARE(controller.loads, 1);
            QCOMPARE(controller.didLoads, 1);
        }
        QVERIFY(view.isNull());
    }

    void controllerReloadsAViewDestroyedElsewhere()
    {
        CountingController controller;
        View parent;
        parent.addSubview(controller.view());
        delete controller.view();
        QVERIFY(!controller.isViewLoaded());
        QVERIFY(controller.view());
        QCOMPARE(controller.loads, 2);
    }

    void windowShowsItsControllersViewAndFollowsResizes()
    {
        auto owned = std::make_unique<CountingController>();
        owned->setTitle(QStringLiteral("Hello"));
        CountingController *controller = owned.get();
        QPointer<Window> window = Window::withContentViewController(std::move(owned));
        QCOMPARE(window->contentViewController(), controller);
        QCOMPARE(window->contentView(), controller->view());
        QCOMPARE(window->contentSize(), (Size { 200, 100 }));
        QCOMPARE(window->windowTitle(), QStringLiteral("Hello"));
        QVERIFY(window->hasStandardButton(Window::Button::zoom));

        window->setContentSize({ 320, 240 });
        QCOMPARE(window->contentView()->frame(), Rect(0, 0, 320, 240));
        window->setTitleVisibility(Window::TitleVisibility::hidden);
        QCOMPARE(window->windowTitle(), QString());
        QCOMPARE(window->title(), QStringLiteral("Hello"));
        delete window.data();
    }

    void replacingTheControllerDestroysThePreviousOne()
    {
        QPointer<Window> window = Window::withContentViewController(std::make_unique<CountingController>());
        QPointer<View> oldView = window->contentView();
        auto next = std::make_unique<CountingController>();
        next->size = { 50, 60 };
        View *nextView = next->view();
        window->setContentViewController(std::move(next));
        QVERIFY(oldView.isNull());
        QCOMPARE(window->contentView(), nextView);
        QCOMPARE(nextView->frame().size, window->contentSize());
        delete window.data();
    }

    void closingTellsTheDelegateAndReleasesTheWindow_data()
    {
        QTest::addColumn<bool>("released");
        QTest::newRow("released when closed") << true;
        QTest::newRow("kept when closed") << false;
    }

    void closingTellsTheDelegateAndReleasesTheWindow()
    {
        QFETCH(bool, released);
        RecordingDelegate delegate;
        QPointer<Window> window = new Window(Rect(0, 0, 100, 80), Window::titled | Window::closable);
        window->setDelegate(&delegate);
        window->setReleasedWhenClosed(released);
        window->makeKeyAndOrderFront();
        QVERIFY(window->isVisible());

        window->performClose();
        QCOMPARE(delegate.closed, std::vector<Window *> { window.data() });
        QVERIFY(!window->isVisible());
        flushDeletes();
        QCOMPARE(window.isNull(), released);
        delete window.data();
    }

    void styleMaskAndButtonsBecomeWindowHints_data()
    {
        QTest::addColumn<unsigned>("mask");
        QTest::addColumn<bool>("hideZoom");
        QTest::addColumn<bool>("floating");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("absent");
        const int buttons = Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
        const unsigned all = Window::titled | Window::closable | Window::miniaturizable | Window::resizable;
        QTest::newRow("borderless") << unsigned(Window::borderless) << false << false << int(Qt::FramelessWindowHint)
                                    << buttons;
        QTest::newRow("all buttons") << all << false << false << buttons << int(Qt::FramelessWindowHint);
        QTest::newRow("zoom hidden") << all << true << false
                                     << int(Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint)
                                     << int(Qt::WindowMaximizeButtonHint);
        QTest::newRow("close only, floating") << unsigned(Window::titled | Window::closable) << false << true
                                              << int(Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
                                              << int(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    }

    void styleMaskAndButtonsBecomeWindowHints()
    {
        QFETCH(unsigned, mask);
        QFETCH(bool, hideZoom);
        QFETCH(bool, floating);
        QFETCH(int, expected);
        QFETCH(int, absent);
        Window window(Rect(0, 0, 100, 80), mask);
        window.setStandardButtonHidden(Window::Button::zoom, hideZoom);
        if (floating)
            window.setLevel(Window::Level::floating);
        const int flags = int(window.windowFlags());
        QCOMPARE(flags & expected, expected);
        QCOMPARE(flags & absent, 0);
    }

    void levelChangeKeepsAShownWindowShown()
    {
        Window window(Rect(0, 0, 100, 80), Window::titled);
        window.makeKeyAndOrderFront();
        window.setLevel(Window::Level::floating);
        QVERIFY(window.isVisible());
    }

    void aWindowWithoutResizableHasAFixedSize()
    {
        Window window(Rect(0, 0, 100, 80), Window::titled | Window::resizable);
        window.setContentMinSize({ 60, 40 });
        QCOMPARE(window.minimumSize(), QSize(60, 40));
        QCOMPARE(window.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));

        window.setStyleMask(Window::titled);
        QCOMPARE(window.minimumSize(), QSize(100, 80));
        QCOMPARE(window.maximumSize(), QSize(100, 80));
        window.setContentSize({ 150, 90 });
        QCOMPARE(window.contentSize(), (Size { 150, 90 }));
        QCOMPARE(window.maximumSize(), QSize(150, 90));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
