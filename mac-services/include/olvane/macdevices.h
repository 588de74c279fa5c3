#pragma once

#include "olvane/macdevice.h"
#include "platform/ui/image.h"

#include <QList>
#include <QString>

#include <optional>

namespace olvane {

/// Mac models by identifier, from the table "mac-devices.json" of this library's bundle, and their
/// pictures from the type declarations of the system's core-types bundle. Main thread only.
class MacDevices {
public:
    MacDevices() = delete;

    /// The whole table, read afresh; empty when the resource is missing, unreadable or not a table.
    static QList<MacDevice> devices();
    /// The first row for exactly `model`. Found rows are kept for the rest of the run; a miss keeps
    /// nothing, so the next question reads the table again.
    static std::optional<MacDevice> device(const QString &model);
    /// The picture of the model: tried as given, then up to its first comma, then that without digits.
    static std::optional<platform::ui::Image> icon(const QString &model);

    /// Where the type declarations are looked for: "/System/Library/CoreServices/CoreTypes.bundle/Contents"
    /// unless set (an empty path restores it).
    static QString coreTypesFolder();
    static void setCoreTypesFolder(const QString &path);
    /// Reads the table from `path` instead of the bundle's resource (an empty path restores it).
    static void setTablePath(const QString &path);
};

} // namespace olvane
