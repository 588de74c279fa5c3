#include "xcbconnection_p.h"

#include <QGuiApplication>
#include <QHash>
#include <QPointer>

#include <cstdlib>
#include <cstring>
#include <optional>

namespace platform::xcb {

namespace {
    // The atoms the application's own connection was told. An atom keeps its value while the server
    // runs, and each question is a round trip to it; the cache goes with the application object (and
    // its connection), so a later application object starts afresh.
    class AtomCache final : public QObject {
    public:
        AtomCache(xcb_connection_t *of, QObject *parent)
            : QObject(parent)
            , connection(of)
        {
        }
        xcb_connection_t *const connection;
        QHash<QByteArray, xcb_atom_t> atoms;
        // Asked for and not taken yet.
        QHash<QByteArray, xcb_intern_atom_cookie_t> asked;
    };

    QPointer<AtomCache> s_atomCache;

    // The cache of `connection` when it is the application's (any other connection is asked each time).
    AtomCache *atomCacheFor(xcb_connection_t *connection)
    {
        if (!connection || connection != xcb::connection())
            return nullptr;
        if (!s_atomCache || s_atomCache->connection != connection)
            s_atomCache = new AtomCache(connection, QCoreApplication::instance());
        return s_atomCache;
    }

    xcb_atom_t atomIn(xcb_connection_t *connection, xcb_intern_atom_cookie_t cookie)
    {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return value;
    }

    xcb_intern_atom_cookie_t askAtom(xcb_connection_t *connection, const char *name)
    {
        return xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name);
    }
}

xcb_connection_t *connection()
{
    auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!application)
        return nullptr;
    auto *x11 = application->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t *connection)
{
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    return screens.rem > 0 ? screens.data->root : 0;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    AtomCache *cache = atomCacheFor(connection);
    const QByteArray key(name);
    std::optional<xcb_intern_atom_cookie_t> cookie;
    if (cache) {
        if (const auto known = cache->atoms.constFind(key); known != cache->atoms.constEnd())
            return *known;
        if (const auto asked = cache->asked.constFind(key); asked != cache->asked.constEnd()) {
            cookie = *asked;
            cache->asked.erase(asked);
        }
    }
    const xcb_atom_t value = atomIn(connection, cookie ? *cookie : askAtom(connection, name));
    if (cache && value != XCB_ATOM_NONE)
        cache->atoms.insert(key, value);
    return value;
}

void askAtoms(xcb_connection_t *connection, std::initializer_list<const char *> names)
{
    AtomCache *cache = atomCacheFor(connection);
    if (!cache)
        return;
    for (const char *name : names) {
        const QByteArray key(name);
        if (!cache->atoms.contains(key) && !cache->asked.contains(key))
            cache->asked.insert(key, askAtom(connection, name));
    }
    xcb_flush(connection);
}

void internAtoms(xcb_connection_t *connection, std::initializer_list<const char *> names)
{
    if (!atomCacheFor(connection))
        return;
    // All questions are on their way before the first answer is waited for: one round trip for all.
    askAtoms(connection, names);
    for (const char *name : names)
        atom(connection, name);
}

xcb_window_t selectionOwner(xcb_connection_t *connection, const char *name)
{
    const xcb_atom_t selection = atom(connection, name);
    if (selection == XCB_ATOM_NONE)
        return XCB_NONE;
    xcb_get_selection_owner_reply_t *reply
        = xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const xcb_window_t owner = reply ? reply->owner : xcb_window_t(XCB_NONE);
    free(reply);
    return owner;
}

} // namespace platform::xcb
