#include "platform/ui/traycolors.h"

#include "../../desktop/src/xcbconnection_p.h"

#include <cstdlib>
#include <memory>

namespace platform::ui {

std::optional<QColor> TrayColors::foregroundFromProperty(const QList<quint32> &values)
{
    if (values.size() < 3)
        return std::nullopt;
    for (int i = 0; i < 3; ++i) {
        if (values[i] > 0xffff)
            return std::nullopt;
    }
    return QColor::fromRgba64(quint16(values[0]), quint16(values[1]), quint16(values[2]));
}

std::optional<QColor> TrayColors::xembedTrayForeground()
{
    xcb_connection_t *connection = xcb::connection();
    if (!connection)
        return std::nullopt;
    const xcb_atom_t selection = xcb::atom(connection, "_NET_SYSTEM_TRAY_S0");
    const xcb_atom_t colors = xcb::atom(connection, "_NET_SYSTEM_TRAY_COLORS");
    if (selection == XCB_ATOM_NONE || colors == XCB_ATOM_NONE)
        return std::nullopt;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr), &free);
    if (!owner || owner->owner == XCB_NONE)
        return std::nullopt;
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> property(
        xcb_get_property_reply(connection,
            xcb_get_property(connection, 0, owner->owner, colors, XCB_ATOM_CARDINAL, 0, 12), nullptr),
        &free);
    // A window gone between the two questions, or a property of another type or format, answers nothing.
    if (!property || property->type != XCB_ATOM_CARDINAL || property->format != 32)
        return std::nullopt;
    const int count = xcb_get_property_value_length(property.get()) / 4;
    const auto *data = static_cast<const quint32 *>(xcb_get_property_value(property.get()));
    return foregroundFromProperty(QList<quint32>(data, data + count));
}

Appearance TrayColors::panelAppearance(const QColor &foreground)
{
    return foreground.lightnessF() >= 0.5 ? Appearance::darkAqua() : Appearance::aqua();
}

} // namespace platform::ui
