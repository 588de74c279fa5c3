#include "pirrow/about.h"
#include "pirrow/aboutviewcontroller.h"
#include "pirrow/gradientdialog.h"
#include "pirrow/gradientdialogviewcontroller.h"
#include "pirrow/storyboards.h"

#include <platform/core/bundle.h>
#include <platform/desktop/memoryworkspace.h>
#include <platform/ui/button.h>
#include <platform/ui/storyboard.h>
#include <platform/ui/textfield.h>

#include <QTest>

using namespace platform::ui;
using pirrow::About;
using pirrow::AboutViewController;
using pirrow::GradientDialog;
using pirrow::GradientDialogViewController;

namespace {

std::optional<platform::Value> infoOf(const QString &app)
{
    return platform::Bundle(QStringLiteral(QUENBY_TEST_DATA "/") + app).infoDictionary();
}

GradientDialogViewController *dialogController()
{
    Window *window = GradientDialog::shared().window();
    return window ? dynamic_cast<GradientDialogViewController *>(window->contentViewController()) : nullptr;
}

AboutViewController *aboutController()
{
    return dynamic_cast<AboutViewController *>(GradientDialog::shared().viewController().get());
}

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void init() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void cleanup()
    {
        if (Window *window = GradientDialog::shared().window())
            window->performClose();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::Bundle::setPreferredLanguages({});
    }

    void showsNameVersionAndCopyrightOfTheInformation()
    {
        About::show(infoOf(QStringLiteral("Quenby.app")), QStringLiteral("We collect nothing."));

        GradientDialogViewController *dialog = dialogController();
        QVERIFY(dialog);
        QCOMPARE(dialog->titleLabel()->stringValue(), QStringLiteral("About"));
        QCOMPARE(dialog->subtitleLabel()->stringValue(), QStringLiteral("Quenby"));
        QCOMPARE(dialog->focusLabel()->stringValue(), QStringLiteral("2.4.1"));
        QVERIFY(dialog->closeButton());
        AboutViewController *about = aboutController();
        QVERIFY(about);
        QCOMPARE(about->lblCopyright()->stringValue(), QStringLiteral("© 2026 Velmorn. All rights reserved."));
        QCOMPARE(about->lblPrivacy()->stringValue(), QStringLiteral("We collect nothing."));
        QCOMPARE(about->view()->superview(), dialog->contentContainer());

        // Not resizable, at the size the panel needs.
        Window *window = GradientDialog::shared().window();
        QVERIFY(!(window->styleMask() & Window::resizable));
        QCOMPARE(window->contentSize(), dialog->fittingSize(about->view()));
    }

    void theTitleIsLocalised()
    {
        platform::Bundle::setPreferredLanguages({ QStringLiteral("de") });
        About::show(infoOf(QStringLiteral("Quenby.app")), QString());
        QCOMPARE(dialogController()->titleLabel()->stringValue(), QStringLiteral("Über"));
    }

    void incompleteInformationShowsNothing_data()
    {
        QTest::addColumn<std::optional<platform::Value>>("info");
        QTest::newRow("no copyright") << infoOf(QStringLiteral("NoCopyright.app"));
        QTest::newRow("copyright not a text") << infoOf(QStringLiteral("NumericCopyright.app"));
        QTest::newRow("no dictionary") << std::optional<platform::Value>();
        QTest::newRow("empty dictionary") << std::optional<platform::Value>(platform::Value::Dictionary());
        QTest::newRow("not a dictionary") << std::optional<platform::Value>(platform::Value(QStringLiteral("Quenby")));
    }

    void incompleteInformationShowsNothing()
    {
        QFETCH(std::optional<platform::Value>, info);
        About::show(info, QStringLiteral("privacy"));
        QVERIFY(!GradientDialog::shared().window());
        QVERIFY(!aboutController());
    }

    void aboutWhileTheDialogIsOpenLeavesItsContent()
    {
        auto hint = std::make_shared<ViewController>();
        GradientDialog::shared().show(
            QStringLiteral("Welcome"), QStringLiteral("Hint"), std::nullopt, hint, false, false, 384, 384, false);
        QPointer<Window> window = GradientDialog::shared().window();
        About::show(infoOf(QStringLiteral("Quenby.app")), QString());
        QCOMPARE(GradientDialog::shared().window(), window.data());
        QCOMPARE(dialogController()->subtitleLabel()->stringValue(), QStringLiteral("Hint"));
        QCOMPARE(hint->view()->superview(), dialogController()->contentContainer());
    }

    void thePanelsContentComesFromItsStoryboard()
    {
        pirrow::registerStoryboards();
        const auto storyboard = Storyboard::named(QStringLiteral("About"));
        QVERIFY(storyboard);
        QVERIFY(dynamic_cast<AboutViewController *>(storyboard->instantiateInitialController().get()));
    }

    void theHomepageLinkOpensTheMakersSite()
    {
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);
        AboutViewController about;
        about.view();
        about.homepageButton()->performClick();
        QCOMPARE(workspace.openedUrls(), QList<QUrl> { QUrl(QStringLiteral("https://velmorn.example/")) });
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
