#include "olvane/menubarhostview.h"

#include <platform/ui/layer.h>
#include <platform/ui/menu.h>
#include <platform/ui/menudelegate.h>
#include <platform/ui/menuitem.h>
#include <platform/ui/recordingcontext.h>
#include <platform/ui/visualeffectview.h>

#include <QStringList>
#include <QTest>

using namespace platform::ui;
using olvane::MenuBarHostView;

namespace {

class RecordingMenuDelegate : public MenuDelegate {
public:
    explicit RecordingMenuDelegate(QStringList &log)
        : m_log(log)
    {
    }
    void menuWillOpen(Menu &) override { m_log << QStringLiteral("willOpen"); }
    void menuDidClose(Menu &) override { m_log << QStringLiteral("didClose"); }
    void menuWillHighlightItem(Menu &, MenuItem *item) override
    {
        m_log << QStringLiteral("highlight:") + (item ? item->title() : QStringLiteral("-"));
    }

private:
    QStringList &m_log;
};

// Whether rendering the view filled anything in the selection colour.
bool drewHighlight(View &view)
{
    RecordingContext ctx;
    view.render(ctx);
    const Color selection = Color::selectedContentBackground().resolved(view.effectiveAppearance());
    for (const DrawCall &call : ctx.calls())
        if ((call.kind == DrawCall::Kind::fillRect || call.kind == DrawCall::Kind::fillPath) && call.color == selection)
            return true;
    return false;
}

} // namespace

class MenuBarHostViewTest : public QObject {
    Q_OBJECT
private slots:
    void effectViewIsASelectionBehindTheContent()
    {
        MenuBarHostView host(Rect(0, 0, 200, 30));
        auto *content = new View(Rect(10, 5, 50, 20));
        host.addSubview(content);
        VisualEffectView *effect = host.effectView();
        QVERIFY(effect);
        QCOMPARE(host.subviews(), QList<View *>({ effect, content }));
        QCOMPARE(effect->material(), VisualEffectView::Material::selection);
        QCOMPARE(effect->state(), VisualEffectView::State::active);
        QCOMPARE(effect->blendingMode(), VisualEffectView::BlendingMode::behindWindow);
        QVERIFY(effect->isEmphasized());
        QVERIFY(effect->layer() && effect->layer()->masksToBounds());
        QCOMPARE(effect->layer()->cornerRadius(), 3.0);
        QCOMPARE(host.cornerRadius(), 4.0);
        QVERIFY(!host.allowsVibrancy());
        host.layoutSubtreeIfNeeded();
        QCOMPARE(effect->frame(), host.bounds());
    }

    void propertiesAfterInstallation()
    {
        MenuBarHostView host(Rect(0, 0, 100, 20));
        host.setCornerRadius(6);
        QCOMPARE(host.effectView()->layer()->cornerRadius(), 6.0);
        host.setEmphasized(false);
        QVERIFY(!host.isEmphasized());
        QVERIFY(host.effectView()->isEmphasized()); // keeps what it was installed with
        QVERIFY(host.needsDisplay());
        VisualEffectView *first = host.effectView();
        host.installEffectView();
        QVERIFY(host.effectView() != first);
        QVERIFY(!host.effectView()->isEmphasized());
        QCOMPARE(host.subviews().first(), host.effectView());
    }

    void outsideAMenuTheHighlightStaysHidden()
    {
        MenuBarHostView host(Rect(0, 0, 100, 20));
        QVERIFY(!drewHighlight(host));
        QVERIFY(host.effectView()->isHidden());
        QVERIFY(!drewHighlight(host));
    }

    void highlightIsDrawnOnlyWhileTheRowIsHighlighted()
    {
        QStringList log;
        Menu menu;
        auto delegate = std::make_shared<RecordingMenuDelegate>(log);
        menu.setDelegate(delegate);
        QList<MenuBarHostView *> hosts;
        for (const QString &title :
            { QStringLiteral("Mouse"), QStringLiteral("Keyboard"), QStringLiteral("Headset") }) {
            auto *item = new MenuItem(title);
            auto *host = new MenuBarHostView(Rect(0, 0, 200, 30));
            host->addSubview(new View(Rect(8, 4, 100, 22)));
            item->setView(host);
            menu.addItem(item);
            hosts << host;
        }
        QList<bool> drawn;
        menu.open();
        drawn << drewHighlight(*hosts[1]);
        menu.highlightItem(menu.itemAt(1));
        drawn << drewHighlight(*hosts[1]) << drewHighlight(*hosts[0]);
        menu.highlightItem(nullptr);
        drawn << drewHighlight(*hosts[1]);
        menu.cancelTracking();
        QCOMPARE(log, QStringList({ "willOpen", "highlight:Keyboard", "highlight:-", "didClose" }));
        QCOMPARE(drawn, QList<bool>({ false, true, false, false }));
    }
};

QTEST_MAIN(MenuBarHostViewTest)
#include "menubarhostview_test.moc"
