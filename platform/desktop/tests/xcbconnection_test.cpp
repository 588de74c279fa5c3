// Atoms of the application's X connection: asked of the server once per name (several names in one
// round trip), the same values any other client is told, and never served from the cache to another
// connection. Counted by request sequence numbers on a private Xvfb.
#include "../src/xcbconnection_p.h"
#include "offscreenthenx.h"

#include <QTest>

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

using namespace platform;

namespace {

xcb_atom_t askedDirectly(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply
        = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return value;
}

// Requests `connection` sent while `work` ran (a round trip before and after marks the sequence).
template <typename Work> unsigned requestsDuring(xcb_connection_t *connection, Work work)
{
    const xcb_get_input_focus_cookie_t before = xcb_get_input_focus(connection);
    std::free(xcb_get_input_focus_reply(connection, before, nullptr));
    work();
    const xcb_get_input_focus_cookie_t after = xcb_get_input_focus(connection);
    std::free(xcb_get_input_focus_reply(connection, after, nullptr));
    return after.sequence - before.sequence - 1;
}

} // namespace

class XcbConnectionTest : public QObject {
    Q_OBJECT

public:
    explicit XcbConnectionTest(bool onX)
        : m_onX(onX)
    {
    }

private slots:
    void withoutXThereIsNoConnection()
    {
        if (m_onX)
            QSKIP("runs on X");
        QCOMPARE(xcb::connection(), nullptr);
        xcb::internAtoms(nullptr, { "QUENBY_TEST_NONE" }); // nothing to ask, nothing to crash
    }

    void atomsAskedTogetherAreTheServersAtoms()
    {
        if (!m_onX)
            QSKIP("needs Xvfb");
        xcb_connection_t *own = xcb::connection();
        QVERIFY(own);
        const unsigned batch = requestsDuring(own, [own] {
            xcb::internAtoms(own, { "QUENBY_TEST_A", "QUENBY_TEST_B", "QUENBY_TEST_C" });
        });
        QCOMPARE(batch, 3u);

        xcb_connection_t *other = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(other));
        for (const char *name : { "QUENBY_TEST_A", "QUENBY_TEST_B", "QUENBY_TEST_C" }) {
            xcb_atom_t cached = XCB_ATOM_NONE;
            // Known since the batch: no request.
            QCOMPARE(requestsDuring(own, [&] { cached = xcb::atom(own, name); }), 0u);
            QVERIFY(cached != XCB_ATOM_NONE);
            QCOMPARE(cached, askedDirectly(other, name));
        }
        // Names already known are not asked again; a new one is.
        QCOMPARE(requestsDuring(own, [own] { xcb::internAtoms(own, { "QUENBY_TEST_A", "QUENBY_TEST_D" }); }), 1u);
        QCOMPARE(requestsDuring(own, [own] { xcb::atom(own, "QUENBY_TEST_E"); }), 1u);
        QCOMPARE(requestsDuring(own, [own] { xcb::atom(own, "QUENBY_TEST_E"); }), 0u);

        // Another connection is asked every time, and told the same atom.
        xcb_atom_t toldOther = XCB_ATOM_NONE;
        QCOMPARE(requestsDuring(other, [&] { toldOther = xcb::atom(other, "QUENBY_TEST_A"); }), 1u);
        QCOMPARE(toldOther, xcb::atom(own, "QUENBY_TEST_A"));
        QCOMPARE(requestsDuring(other, [other] { xcb::internAtoms(other, { "QUENBY_TEST_F" }); }), 0u);
        xcb_disconnect(other);
    }

    // Asked ahead of need: the questions go at once, the answers are taken without another request.
    void atomsAskedAheadAreTakenLater()
    {
        if (!m_onX)
            QSKIP("needs Xvfb");
        xcb_connection_t *own = xcb::connection();
        QVERIFY(own);
        QCOMPARE(requestsDuring(own, [own] { xcb::askAtoms(own, { "QUENBY_TEST_G", "QUENBY_TEST_H" }); }), 2u);
        // Still on their way or not taken yet: not asked twice.
        QCOMPARE(requestsDuring(own, [own] { xcb::askAtoms(own, { "QUENBY_TEST_G" }); }), 0u);

        xcb_connection_t *other = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(other));
        xcb_atom_t taken = XCB_ATOM_NONE;
        QCOMPARE(requestsDuring(own, [&] { taken = xcb::atom(own, "QUENBY_TEST_G"); }), 0u);
        QVERIFY(taken != XCB_ATOM_NONE);
        QCOMPARE(taken, askedDirectly(other, "QUENBY_TEST_G"));
        // A batch takes what was asked ahead too.
        QCOMPARE(requestsDuring(own, [own] { xcb::internAtoms(own, { "QUENBY_TEST_G", "QUENBY_TEST_H" }); }), 0u);
        QCOMPARE(requestsDuring(own, [&] { taken = xcb::atom(own, "QUENBY_TEST_H"); }), 0u);
        QCOMPARE(taken, askedDirectly(other, "QUENBY_TEST_H"));
        QCOMPARE(requestsDuring(other, [other] { xcb::askAtoms(other, { "QUENBY_TEST_I" }); }), 0u);
        xcb_disconnect(other);
    }

private:
    bool m_onX;
};

int main(int argc, char **argv) { return runOffscreenThenOnX<XcbConnectionTest>(argc, argv); }

#include "xcbconnection_test.moc"
