#include "pirrow/colortheme.h"
#include "pirrow/gradientdialog.h"
#include "pirrow/gradientdialogviewcontroller.h"
#include "pirrow/gradients.h"
#include "pirrow/gradientview.h"
#include "pirrow/storyboards.h"

#include <platform/ui/button.h>
#include <platform/ui/storyboard.h>
#include <platform/ui/textfield.h>

#include <QApplication>
#include <QTest>

using namespace platform::ui;
using pirrow::GradientDialog;
using pirrow::GradientDialogViewController;

namespace {

// Content of a given size.
class ContentController : public ViewController {
public:
    explicit ContentController(Size size = { 200, 120 })
        : m_size(size)
    {
    }

protected:
    void loadView() override { setView(new View(Rect(Point(), m_size))); }

private:
    Size m_size;
};

GradientDialogViewController *dialogController()
{
    Window *window = GradientDialog::shared().window();
    return window ? dynamic_cast<GradientDialogViewController *>(window->contentViewController()) : nullptr;
}

int openWindows()
{
    int count = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<Window *>(w) && w->isVisible())
            ++count;
    return count;
}

void show(const QString &title, const std::optional<QString> &focus, std::shared_ptr<ViewController> content,
    bool hideClose = false, bool keepSize = false, bool resizable = false)
{
    GradientDialog::shared().show(title, QStringLiteral("Subtitle of ") + title, focus, std::move(content), resizable,
        hideClose, 384, 384, keepSize);
}

void closeDialog()
{
    if (Window *window = GradientDialog::shared().window())
        window->performClose();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class GradientDialogTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { closeDialog(); }

    void showsTheContentUnderTitleSubtitleAndFocus()
    {
        auto content = std::make_shared<ContentController>();
        show(QStringLiteral("Welcome"), QStringLiteral("Click the icon"), content);

        Window *window = GradientDialog::shared().window();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(GradientDialog::shared().viewController(), content);
        GradientDialogViewController *dialog = dialogController();
        QVERIFY(dialog);
        QCOMPARE(dialog->titleLabel()->stringValue(), QStringLiteral("Welcome"));
        QCOMPARE(dialog->subtitleLabel()->stringValue(), QStringLiteral("Subtitle of Welcome"));
        QCOMPARE(dialog->focusLabel()->stringValue(), QStringLiteral("Click the icon"));
        QVERIFY(dialog->blackContainer());
        QVERIFY(dialog->closeButton());
        QCOMPARE(dialog->heightConstraint()->constant(), 136.0);

        // The content fills the container below the header.
        window->layoutIfNeeded();
        View *shown = content->view();
        QCOMPARE(shown->superview(), dialog->contentContainer());
        QCOMPARE(shown->frame(), dialog->contentContainer()->bounds());
        QCOMPARE(dialog->contentContainer()->frame(), Rect(0, 0, 384, 384 - 136));

        // The window: its size fixed, floating, title hidden, only the close button.
        QCOMPARE(window->contentSize(), (Size { 384, 384 }));
        QCOMPARE(window->minimumSize(), QSize(384, 384));
        QCOMPARE(window->maximumSize(), QSize(384, 384));
        QCOMPARE(window->contentMinSize(), (Size { 384, 384 }));
        QCOMPARE(window->level(), Window::Level::floating);
        QVERIFY(window->isMovableByWindowBackground());
        QCOMPARE(window->titleVisibility(), Window::TitleVisibility::hidden);
        QVERIFY(window->titlebarAppearsTransparent());
        QVERIFY(window->styleMask() & Window::fullSizeContentView);
        QVERIFY(!(window->styleMask() & Window::resizable));
        QVERIFY(window->isStandardButtonHidden(Window::Button::miniaturize));
        QVERIFY(window->isStandardButtonHidden(Window::Button::zoom));
        QVERIFY(!window->isStandardButtonHidden(Window::Button::close));
    }

    void theDialogsOwnContentComesFromItsStoryboard()
    {
        pirrow::registerStoryboards();
        const auto storyboard = Storyboard::named(QStringLiteral("GradientDialog"));
        QVERIFY(storyboard);
        auto controller = storyboard->instantiateInitialController();
        auto *dialog = dynamic_cast<GradientDialogViewController *>(controller.get());
        QVERIFY(dialog);
        dialog->view();
        QCOMPARE(dialog->blackContainer()->layer()->backgroundColor(), Color::black());
        QCOMPARE(dialog->blackContainer()->layer()->cornerRadius(), 6.0);
        QCOMPARE(dialog->gradientView()->colorTheme(), pirrow::ColorTheme::custom);
        QCOMPARE(dialog->gradientView()->colors(), pirrow::Gradients::magentaToOrangeThird().mColors);
        QCOMPARE(dialog->gradientView()->cornerRadius(), 0.0);
        QCOMPARE(dialog->gradientView()->layer()->cornerRadius(), 0.0);
    }

    void aSecondShowBringsTheSameWindowForwardAndKeepsItsContent()
    {
        auto first = std::make_shared<ContentController>();
        auto second = std::make_shared<ContentController>(Size { 300, 300 });
        show(QStringLiteral("First"), QStringLiteral("one"), first);
        QPointer<Window> window = GradientDialog::shared().window();
        GradientDialogViewController *dialog = dialogController();
        window->setLevel(Window::Level::normal);

        show(QStringLiteral("Second"), std::nullopt, second, true, true, true);
        QCOMPARE(GradientDialog::shared().window(), window.data());
        QCOMPARE(openWindows(), 1);
        QCOMPARE(window->level(), Window::Level::floating);
        // Nothing of the second call reached the window: texts, header, content, size and style stay.
        QCOMPARE(dialogController(), dialog);
        QCOMPARE(dialog->titleLabel()->stringValue(), QStringLiteral("First"));
        QCOMPARE(dialog->focusLabel()->stringValue(), QStringLiteral("one"));
        QVERIFY(dialog->closeButton());
        QCOMPARE(first->view()->superview(), dialog->contentContainer());
        QVERIFY(!second->isViewLoaded());
        QCOMPARE(window->contentSize(), (Size { 384, 384 }));
        QVERIFY(!(window->styleMask() & Window::resizable));
        // The controller last given is the one the dialog names.
        QCOMPARE(GradientDialog::shared().viewController(), second);

        // Once closed, the shown view leaves the window; the next show starts afresh.
        window->performClose();
        QVERIFY(!first->view()->superview());
        show(QStringLiteral("Second"), std::nullopt, second);
        QCOMPARE(dialogController()->titleLabel()->stringValue(), QStringLiteral("Second"));
        QCOMPARE(second->view()->superview(), dialogController()->contentContainer());
    }

    void showingTheSameContentAgainKeepsIt()
    {
        auto content = std::make_shared<ContentController>();
        show(QStringLiteral("Hint"), QStringLiteral("a"), content);
        show(QStringLiteral("Hint"), QStringLiteral("b"), content);
        QCOMPARE(content->view()->superview(), dialogController()->contentContainer());
        QCOMPARE(dialogController()->focusLabel()->stringValue(), QStringLiteral("a"));
    }

    void theHeaderFollowsFocusTextAndCloseButton_data()
    {
        QTest::addColumn<std::optional<QString>>("focus");
        QTest::addColumn<bool>("hideClose");
        QTest::addColumn<double>("headerHeight");
        QTest::addColumn<bool>("focusBox");
        QTest::newRow("focus text") << std::optional<QString>(QStringLiteral("1.0")) << false << 136.0 << true;
        QTest::newRow("no focus text") << std::optional<QString>() << false << 80.0 << false;
        QTest::newRow("empty focus text") << std::optional<QString>(QString()) << false << 80.0 << false;
        QTest::newRow("close hidden") << std::optional<QString>(QStringLiteral("1.0")) << true << 8.0 << true;
        QTest::newRow("close hidden, no focus text") << std::optional<QString>() << true << 8.0 << false;
    }

    void theHeaderFollowsFocusTextAndCloseButton()
    {
        QFETCH(std::optional<QString>, focus);
        QFETCH(bool, hideClose);
        QFETCH(double, headerHeight);
        QFETCH(bool, focusBox);
        show(QStringLiteral("Title"), focus, std::make_shared<ContentController>(), hideClose);
        GradientDialogViewController *dialog = dialogController();
        QCOMPARE(dialog->heightConstraint()->constant(), headerHeight);
        QCOMPARE(dialog->blackContainer() != nullptr, focusBox);
        QCOMPARE(dialog->focusLabel() != nullptr, focusBox);
        QCOMPARE(dialog->closeButton() != nullptr, !hideClose);
        GradientDialog::shared().window()->layoutIfNeeded();
        QCOMPARE(dialog->container()->frame().height(), headerHeight);
        QCOMPARE(dialog->contentContainer()->frame().height(), 384 - headerHeight);
    }

    void withoutFocusTextTheBandIsCentredInTheHeader()
    {
        show(QStringLiteral("Title"), std::nullopt, std::make_shared<ContentController>());
        GradientDialogViewController *dialog = dialogController();
        GradientDialog::shared().window()->layoutIfNeeded();
        QCOMPARE(dialog->gradientView()->frame(), Rect(0, 0, 384, 80));
        QVERIFY(!dialog->top()->isActive());
        QVERIFY(!dialog->left()->isActive());
        QVERIFY(!dialog->right()->isActive());
    }

    void keepSizeTakesTheSizeTheContentNeeds_data()
    {
        QTest::addColumn<Size>("contentSize");
        QTest::addColumn<std::optional<QString>>("focus");
        QTest::addColumn<Size>("windowSize");
        QTest::newRow("narrow content") << Size { 300, 150 } << std::optional<QString>(QStringLiteral("2.0"))
                                        << Size { 420, 286 };
        QTest::newRow("wide content") << Size { 500, 100 } << std::optional<QString>() << Size { 500, 180 };
        QTest::newRow("content without a size")
            << Size {} << std::optional<QString>(QStringLiteral("2.0")) << Size { 420, 400 };
    }

    void keepSizeTakesTheSizeTheContentNeeds()
    {
        QFETCH(Size, contentSize);
        QFETCH(std::optional<QString>, focus);
        QFETCH(Size, windowSize);
        show(QStringLiteral("Title"), focus, std::make_shared<ContentController>(contentSize), false, true);
        QCOMPARE(GradientDialog::shared().window()->contentSize(), windowSize);
    }

    void aResizableDialogKeepsItsMinimum()
    {
        show(QStringLiteral("Title"), std::nullopt, std::make_shared<ContentController>(), false, false, true);
        Window *window = GradientDialog::shared().window();
        QVERIFY(window->styleMask() & Window::resizable);
        QCOMPARE(window->minimumSize(), QSize(384, 384));
        QCOMPARE(window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    }

    void closingLetsGoOfWindowAndContent()
    {
        auto content = std::make_shared<ContentController>();
        show(QStringLiteral("Title"), std::nullopt, content);
        QPointer<Window> window = GradientDialog::shared().window();
        dialogController()->closeButton()->performClick();

        QVERIFY(!GradientDialog::shared().window());
        QVERIFY(!GradientDialog::shared().viewController());
        QVERIFY(!content->view()->superview()); // kept out of the closed window
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
        QVERIFY(content->isViewLoaded());

        // The next show builds a new window with the new content.
        auto next = std::make_shared<ContentController>();
        show(QStringLiteral("Again"), std::nullopt, next);
        QVERIFY(GradientDialog::shared().window());
        QCOMPARE(next->view()->superview(), dialogController()->contentContainer());
        QCOMPARE(openWindows(), 1);
    }

    void aStoryboardWithAnotherControllerShowsNothing()
    {
        pirrow::registerStoryboards();
        Storyboard::registerInitialController(
            QStringLiteral("GradientDialog"), [] { return std::make_unique<ViewController>(); });
        auto content = std::make_shared<ContentController>();
        show(QStringLiteral("Title"), std::nullopt, content);
        Storyboard::registerInitialController(
            QStringLiteral("GradientDialog"), [] { return std::make_unique<GradientDialogViewController>(); });

        QVERIFY(!GradientDialog::shared().window());
        QCOMPARE(GradientDialog::shared().viewController(), content);
        QCOMPARE(openWindows(), 0);
    }
};

QTEST_MAIN(GradientDialogTest)
#include "gradientdialog_test.moc"
