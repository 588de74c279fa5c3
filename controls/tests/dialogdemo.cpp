// Opens the gradient dialog ("gradient", the default) or the about panel ("about") with sample
// content, to look at them on a desktop; quits after the given number of seconds when one follows.

#include "pirrow/about.h"
#include "pirrow/gradientdialog.h"
#include "pirrow/gradientprogressview.h"
#include "pirrow/simpletileview.h"

#include <platform/ui/textfield.h>
#include <platform/ui/viewcontroller.h>

#include <QApplication>
#include <QTimer>

using namespace platform::ui;

namespace {

// A first-start hint: a text, a level bar and two tiles.
class HintController : public ViewController {
protected:
    void loadView() override
    {
        auto *root = new View(Rect(0, 0, 384, 248));
        auto *text = new TextField(Rect(24, 170, 336, 60));
        text->setLineBreakMode(LineBreakMode::wordWrapping);
        text->setStringValue(QStringLiteral("Quenby lives in the menu bar. Click its icon to see the charge of "
                                            "your keyboard, mouse and headphones."));
        root->addSubview(text);
        auto *bar = new pirrow::GradientProgressView(Rect(24, 140, 336, 10));
        bar->setValue(0.64);
        root->addSubview(bar);
        for (int i = 0; i < 2; ++i) {
            auto *tile = new pirrow::SimpleTileView(Rect(24 + i * 176, 24, 160, 96));
            tile->setEnableSelection(true);
            tile->setSelected(i == 0);
            root->addSubview(tile);
        }
        setView(root);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString which = args.size() > 1 ? args.at(1) : QStringLiteral("gradient");
    if (which == QLatin1String("about")) {
        platform::Value::Dictionary info;
        info[QStringLiteral("CFBundleName")] = QStringLiteral("Quenby");
        info[QStringLiteral("CFBundleShortVersionString")] = QStringLiteral("2.4.1");
        info[QStringLiteral("NSHumanReadableCopyright")] = QStringLiteral("© 2026 Velmorn. All rights reserved.");
        pirrow::About::show(platform::Value(info),
            QStringLiteral("Quenby reads battery levels on this computer only and sends nothing anywhere."));
    } else {
        pirrow::GradientDialog::shared().show(QStringLiteral("Welcome to Quenby"),
            QStringLiteral("Your devices at a glance"), QStringLiteral("Click the battery icon in the menu bar"),
            std::make_shared<HintController>(), false, false, 384, 384, false);
    }
    if (args.size() > 2)
        QTimer::singleShot(int(args.at(2).toDouble() * 1000), &app, &QApplication::quit);
    return app.exec();
}
