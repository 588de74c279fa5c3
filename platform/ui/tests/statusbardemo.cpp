// Shows two status items of different widths on the desktop's status bar (tray icons, or the strip
// window where there is no tray), each with a menu, for looking at by eye or by screenshot.
//   statusbar_demo [--quit-after MILLISECONDS]

#include "platform/ui/graphicscontext.h"
#include "platform/ui/menu.h"
#include "platform/ui/menuitem.h"
#include "platform/ui/statusbar.h"
#include "platform/ui/statusbarbutton.h"
#include "platform/ui/statusitem.h"
#include "platform/ui/stripstatusbarpresenter.h"
#include "platform/ui/text.h"
#include "platform/ui/traystatusbarpresenter.h"
#include "platform/ui/view.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

using namespace platform::ui;

namespace {

// A battery outline with its level filled in.
class BatteryView : public View {
public:
    using View::View;
    double level = 0.8;
    void drawRect(GraphicsContext &ctx, const Rect &) override
    {
        const Rect body(3, 6, 20, 10);
        ctx.fillRoundedRect(body, 2.5, 2.5, Color::label());
        ctx.fillRoundedRect(body.insetBy(1, 1), 1.5, 1.5, Color::windowBackground());
        ctx.fillRect(Rect(body.maxX(), 9, 2, 4), Color::label());
        ctx.fillRoundedRect(Rect(body.x() + 2, body.y() + 2, (body.width() - 4) * level, body.height() - 4), 1, 1,
            Color::systemGreen());
    }
};

// A menu row that shows its highlight.
class RowView : public View {
public:
    RowView(const Rect &frame, QString text)
        : View(frame)
        , m_text(std::move(text))
    {
    }
    void drawRect(GraphicsContext &ctx, const Rect &) override
    {
        const MenuItem *item = MenuItem::enclosingMenuItem(this);
        const bool highlighted = item && item->isHighlighted();
        if (highlighted)
            ctx.fillRoundedRect(bounds().insetBy(4, 1), 4, 4, Color::selectedContentBackground());
        TextAttributes attributes;
        attributes.font = Font::systemFont(13);
        attributes.foregroundColor = highlighted ? Color::white() : Color::label();
        Text::draw(ctx, m_text, Point { 14, 7 }, attributes);
    }

private:
    QString m_text;
};

std::shared_ptr<Menu> makeMenu(const QString &row)
{
    auto menu = std::make_shared<Menu>();
    auto *custom = new MenuItem(row);
    custom->setView(new RowView(Rect(0, 0, 220, 28), row));
    menu->addItem(custom);
    menu->addItem(MenuItem::separator());
    menu->addItem(QStringLiteral("Quit"), [](QObject *) { QCoreApplication::quit(); });
    return menu;
}

Image boltImage()
{
    Image image = Image::withDrawing(Size { 10, 14 }, [](GraphicsContext &ctx, const Rect &) {
        Path bolt;
        bolt.moveTo({ 6, 14 });
        bolt.lineTo({ 0, 6 });
        bolt.lineTo({ 4.5, 6 });
        bolt.lineTo({ 3.5, 0 });
        bolt.lineTo({ 10, 8.5 });
        bolt.lineTo({ 5.5, 8.5 });
        bolt.closeSubpath();
        ctx.fillPath(bolt, Color::black());
    });
    image.setTemplate(true);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (const qsizetype i = args.indexOf(QStringLiteral("--quit-after")); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args.at(i + 1).toInt(), &app, &QCoreApplication::quit);

    StatusBar &bar = StatusBar::system();
    const char *kind = "none (model only)";
    if (qobject_cast<TrayStatusBarPresenter *>(bar.presenter()))
        kind = "tray icons";
    else if (qobject_cast<StripStatusBarPresenter *>(bar.presenter()))
        kind = "strip window";
    std::printf("status bar: %s\n", kind);
    std::fflush(stdout);

    // The older item: a fixed 28 points hosting a view.
    auto battery = bar.statusItem(28);
    battery->button()->addSubview(new BatteryView(Rect(0, 0, 28, bar.thickness())));
    battery->setMenu(makeMenu(QStringLiteral("Computer battery 80 %")));

    // The newer one: as wide as its image and title.
    auto mouse = bar.statusItem(StatusItem::variableLength);
    mouse->button()->setImage(boltImage());
    mouse->button()->setTitle(QStringLiteral("Mouse 45%"));
    mouse->setMenu(makeMenu(QStringLiteral("Mouse 45 %")));

    return app.exec();
}
