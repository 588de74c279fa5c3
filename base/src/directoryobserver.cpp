#include "tavrin/directoryobserver.h"

#include <QFile>

#include <array>
#include <atomic>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

namespace tavrin {

struct DirectoryObserver::State {
    int fd = -1; // the inotify descriptor
    int wake = -1; // eventfd that ends the watch
    std::function<void()> handler;
    std::thread thread;
    std::atomic<bool> stopping { false };

    ~State()
    {
        if (fd >= 0)
            ::close(fd);
        if (wake >= 0)
            ::close(wake);
    }

    void run()
    {
        std::array<char, 16 * 1024> buffer {};
        for (;;) {
            std::array<pollfd, 2> fds { pollfd { fd, POLLIN, 0 }, pollfd { wake, POLLIN, 0 } };
            if (::poll(fds.data(), fds.size(), -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (stopping || (fds[1].revents & POLLIN))
                return;
            if (!(fds[0].revents & POLLIN))
                continue;
            // One read takes the whole batch the kernel has queued; the handler hears of it once.
            const ssize_t got = ::read(fd, buffer.data(), buffer.size());
            if (got <= 0)
                continue;
            if (!stopping)
                handler();
        }
    }
};

DirectoryObserver::DirectoryObserver(const QUrl &url, std::function<void()> handler)
    : m_state(std::make_shared<State>())
{
    const QByteArray path = QFile::encodeName(url.isLocalFile() ? url.toLocalFile() : url.path());
    m_state->handler = std::move(handler);
    m_state->fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    m_state->wake = ::eventfd(0, EFD_CLOEXEC);
    if (m_state->fd < 0 || m_state->wake < 0 || path.isEmpty())
        return;
    constexpr uint32_t mask = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO | IN_CREATE
        | IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF;
    if (::inotify_add_watch(m_state->fd, path.constData(), mask) < 0) {
        ::close(m_state->fd);
        m_state->fd = -1;
        return;
    }
    m_state->thread = std::thread([state = m_state] { state->run(); });
}

DirectoryObserver::~DirectoryObserver()
{
    if (!m_state->thread.joinable())
        return;
    m_state->stopping = true;
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_state->wake, &one, sizeof one);
    if (m_state->thread.get_id() == std::this_thread::get_id())
        m_state->thread.detach(); // the handler ends its own observer: the thread finishes after it returns
    else
        m_state->thread.join();
}

bool DirectoryObserver::isWatching() const { return m_state->thread.joinable(); }

} // namespace tavrin
