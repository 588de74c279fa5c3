#pragma once

#include <QUrl>

namespace olvane {

/// The file manager.
class Finder {
public:
    /// Shows the item in a file-manager window on its folder, selected where the file manager can
    /// (through `platform::Workspace::current()`); failures are ignored.
    static void reveal(const QUrl &url);

    Finder() = delete;
};

} // namespace olvane
