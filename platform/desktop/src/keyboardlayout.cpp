#include "platform/desktop/keyboardlayout.h"

#include "virtualkeycodes_p.h"
#include "xcbconnection_p.h"

#include <cstdlib>

namespace platform {

namespace {

    /// The X server's layout when the application runs on X, else the US layout.
    class SystemKeyboardLayout final : public KeyboardLayout {
    public:
        std::optional<QString> character(quint16 virtualKeyCode) const override
        {
            const std::optional<quint16> evdev = virtualkeycodes::evdevCode(virtualKeyCode);
            if (!evdev)
                return std::nullopt;
            if (xcb_connection_t *connection = xcb::connection()) {
                if (std::optional<QString> text = fromServer(connection, xcb_keycode_t(*evdev + 8)))
                    return text;
            }
            return virtualkeycodes::usCharacter(virtualKeyCode);
        }

    private:
        static std::optional<QString> fromServer(xcb_connection_t *connection, xcb_keycode_t keycode)
        {
            const xcb_get_keyboard_mapping_cookie_t cookie = xcb_get_keyboard_mapping(connection, keycode, 1);
            xcb_get_keyboard_mapping_reply_t *reply = xcb_get_keyboard_mapping_reply(connection, cookie, nullptr);
            if (!reply)
                return std::nullopt;
            const int count = xcb_get_keyboard_mapping_keysyms_length(reply);
            const xcb_keysym_t keysym = count > 0 ? xcb_get_keyboard_mapping_keysyms(reply)[0] : 0;
            std::free(reply);
            if (keysym == 0)
                return std::nullopt;
            return text(keysym);
        }

        // The unshifted keysym of the first group, as the text it types.
        static QString text(xcb_keysym_t keysym)
        {
            if ((keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff))
                return QString(QChar(char16_t(keysym)));
            if ((keysym & 0xff000000) == 0x01000000)
                return QString::fromUcs4(reinterpret_cast<const char32_t *>(&keysym), 1);
            switch (keysym) {
            case 0xff08: // BackSpace
                return QStringLiteral("\b");
            case 0xff09: // Tab
                return QStringLiteral("\t");
            case 0xff0d: // Return
                return QStringLiteral("\r");
            case 0xff1b: // Escape
                return QStringLiteral("\x1b");
            case 0xffff: // Delete
                return QStringLiteral("\x7f");
            default:
                return QString();
            }
        }
    };

    KeyboardLayout *s_installed = nullptr;

} // namespace

KeyboardLayout::~KeyboardLayout() = default;

KeyboardLayout &KeyboardLayout::current()
{
    if (s_installed)
        return *s_installed;
    static SystemKeyboardLayout system;
    return system;
}

ScopedKeyboardLayout::ScopedKeyboardLayout(KeyboardLayout &layout)
    : m_previous(s_installed)
{
    s_installed = &layout;
}

ScopedKeyboardLayout::~ScopedKeyboardLayout() { s_installed = m_previous; }

std::optional<QString> MemoryKeyboardLayout::character(quint16 virtualKeyCode) const
{
    ++m_lookups;
    if (!m_available)
        return std::nullopt;
    const auto found = m_characters.find(virtualKeyCode);
    if (found == m_characters.end())
        return std::nullopt;
    return found->second;
}

void MemoryKeyboardLayout::setCharacter(quint16 virtualKeyCode, const QString &text)
{
    m_characters[virtualKeyCode] = text;
}

} // namespace platform
