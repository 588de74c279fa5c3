// The colours an X11 tray tells its icons: first without an X server (offscreen), then on a private Xvfb
// where another client plays the tray manager, owns its selection and sets (or mangles) the property.
#include "platform/ui/statusbar.h"
#include "platform/ui/traycolors.h"
#include "platform/ui/traystatusbarpresenter.h"
#include "../../desktop/tests/offscreenthenx.h"

#include <QTest>

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

using namespace platform::ui;

namespace {

/// Another X client acting as the tray manager of the first screen.
class FakeTrayManager {
public:
    FakeTrayManager()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        m_window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
            XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
    }
    ~FakeTrayManager() { xcb_disconnect(m_connection); }

    void ownSelection()
    {
        xcb_set_selection_owner(m_connection, m_window, atom("_NET_SYSTEM_TRAY_S0"), XCB_CURRENT_TIME);
        sync();
    }
    void setColors(const QList<quint32> &values, xcb_atom_t type = XCB_ATOM_CARDINAL)
    {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window, atom("_NET_SYSTEM_TRAY_COLORS"), type, 32,
            uint32_t(values.size()), values.constData());
        sync();
    }
    void setBytes(const QByteArray &bytes)
    {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window, atom("_NET_SYSTEM_TRAY_COLORS"),
            XCB_ATOM_CARDINAL, 8, uint32_t(bytes.size()), bytes.constData());
        sync();
    }

private:
    xcb_atom_t atom(const char *name)
    {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return value;
    }
    // A round trip: everything sent before has reached the server.
    void sync() { std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); }

    xcb_connection_t *m_connection;
    xcb_window_t m_window = 0;
};

// Twelve CARDINALs: foreground, error, warning, success.
QList<quint32> colors(quint32 r, quint32 g, quint32 b)
{
    return { r, g, b, 0xffff, 0, 0, 0xffff, 0x8000, 0, 0, 0x8000, 0 };
}

} // namespace

class TrayColorsTest : public QObject {
    Q_OBJECT

public:
    explicit TrayColorsTest(bool onX)
        : m_onX(onX)
    {
    }

private slots:
    void foregroundFromProperty_data()
    {
        QTest::addColumn<QList<quint32>>("values");
        QTest::addColumn<QColor>("foreground"); // invalid: none
        QTest::newRow("light foreground") << colors(0xeeee, 0xeeee, 0xecec) << QColor::fromRgba64(0xeeee, 0xeeee, 0xecec);
        QTest::newRow("dark foreground") << colors(0x2e2e, 0x3434, 0x3636) << QColor::fromRgba64(0x2e2e, 0x3434, 0x3636);
        QTest::newRow("the foreground alone") << QList<quint32> { 0, 0, 0 } << QColor(Qt::black);
        QTest::newRow("too short") << QList<quint32> { 0xffff, 0xffff } << QColor();
        QTest::newRow("empty") << QList<quint32> {} << QColor();
        QTest::newRow("channel out of range") << colors(0x10000, 0, 0) << QColor();
    }

    void foregroundFromProperty()
    {
        QFETCH(QList<quint32>, values);
        QFETCH(QColor, foreground);
        const std::optional<QColor> read = TrayColors::foregroundFromProperty(values);
        QCOMPARE(read.has_value(), foreground.isValid());
        if (read)
            QCOMPARE(read->rgba64(), foreground.rgba64());
    }

    void aLightForegroundMeansADarkPanel()
    {
        QCOMPARE(TrayColors::panelAppearance(QColor(0xee, 0xee, 0xec)), Appearance::darkAqua());
        QCOMPARE(TrayColors::panelAppearance(QColor(0x2e, 0x34, 0x36)), Appearance::aqua());
    }

    void withoutXNothingIsTold()
    {
        if (m_onX)
            QSKIP("runs on X");
        QCOMPARE(TrayColors::xembedTrayForeground(), std::nullopt);
        StatusBar bar;
        TrayStatusBarPresenter tray(bar);
        QCOMPARE(bar.panelAppearance(), std::nullopt);
    }

    void readsTheTrayManagersProperty_data()
    {
        QTest::addColumn<QString>("tray");
        QTest::addColumn<QColor>("foreground"); // invalid: none
        QTest::newRow("no tray manager") << "none" << QColor();
        QTest::newRow("a manager that tells nothing") << "silent" << QColor();
        QTest::newRow("a dark panel's light foreground") << "light" << QColor::fromRgba64(0xeeee, 0xeeee, 0xecec);
        QTest::newRow("a light panel's dark foreground") << "dark" << QColor::fromRgba64(0x2e2e, 0x3434, 0x3636);
        QTest::newRow("bytes, not CARDINALs") << "bytes" << QColor();
        QTest::newRow("another type") << "atoms" << QColor();
        QTest::newRow("two values") << "short" << QColor();
    }

    void readsTheTrayManagersProperty()
    {
        if (!m_onX)
            QSKIP("needs Xvfb");
        QFETCH(QString, tray);
        QFETCH(QColor, foreground);
        FakeTrayManager manager;
        if (tray != QLatin1String("none"))
            manager.ownSelection();
        if (tray == QLatin1String("light"))
            manager.setColors(colors(0xeeee, 0xeeee, 0xecec));
        else if (tray == QLatin1String("dark"))
            manager.setColors(colors(0x2e2e, 0x3434, 0x3636));
        else if (tray == QLatin1String("bytes"))
            manager.setBytes(QByteArray(48, '\xff'));
        else if (tray == QLatin1String("atoms"))
            manager.setColors(colors(0xeeee, 0xeeee, 0xecec), XCB_ATOM_ATOM);
        else if (tray == QLatin1String("short"))
            manager.setColors({ 0xeeee, 0xeeee });

        const std::optional<QColor> read = TrayColors::xembedTrayForeground();
        QCOMPARE(read.has_value(), foreground.isValid());
        if (read)
            QCOMPARE(read->rgba64(), foreground.rgba64());

        // The tray presenter hands it to the bar while it shows the bar.
        StatusBar bar;
        {
            TrayStatusBarPresenter presenter(bar);
            const std::optional<Appearance> expected = foreground.isValid()
                ? std::optional<Appearance>(TrayColors::panelAppearance(foreground))
                : std::nullopt;
            QCOMPARE(bar.panelAppearance(), expected);
        }
        QCOMPARE(bar.panelAppearance(), std::nullopt);
    }

private:
    bool m_onX;
};

int main(int argc, char **argv) { return runOffscreenThenOnX<TrayColorsTest>(argc, argv); }

#include "traycolors_test.moc"
