#pragma once

#include <QUrl>

#include <functional>
#include <memory>

namespace tavrin {

/// Calls a handler whenever the file system reports a change to one directory (or file): entries
/// added, removed or renamed, contents written, attributes changed, the path itself deleted or moved.
///
/// Watching runs from construction until destruction. The handler is called once per batch of
/// events, on a thread of the observer's own (never the caller's, not the main thread), one call at a
/// time, and is told nothing about what changed. A path that cannot be watched (missing, not
/// readable) leaves `isWatching()` false and the handler is never called. Destroying the observer
/// waits for a running handler (unless the handler itself destroys it) and closes the descriptor.
class DirectoryObserver {
public:
    DirectoryObserver(const QUrl &url, std::function<void()> handler);
    ~DirectoryObserver();
    DirectoryObserver(const DirectoryObserver &) = delete;
    DirectoryObserver &operator=(const DirectoryObserver &) = delete;

    bool isWatching() const;

    struct State;

private:
    std::shared_ptr<State> m_state;
};

} // namespace tavrin
