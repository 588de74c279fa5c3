#include "platform/core/mainqueue.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdio>

namespace platform {

namespace {
    std::atomic<int> s_pending = 0;

    QCoreApplication *application()
    {
        auto *app = QCoreApplication::instance();
        if (!app)
            std::fputs("MainQueue: no application object; the block is dropped\n", stderr);
        return app;
    }
}

void MainQueue::async(std::function<void()> block)
{
    auto *app = application();
    if (!app || !block)
        return;
    ++s_pending;
    QMetaObject::invokeMethod(
        app,
        [block = std::move(block)] {
            --s_pending;
            block();
        },
        Qt::QueuedConnection);
}

void MainQueue::asyncAfter(std::chrono::milliseconds delay, std::function<void()> block)
{
    auto *app = application();
    if (!app || !block)
        return;
    if (QThread::currentThread() == app->thread()) {
        QTimer::singleShot(delay, app, std::move(block));
        return;
    }
    // A timer must start on the thread it lives in.
    QMetaObject::invokeMethod(
        app, [delay, app, block = std::move(block)] { QTimer::singleShot(delay, app, block); }, Qt::QueuedConnection);
}

bool MainQueue::isMainThread()
{
    auto *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

int MainQueue::pendingCount() { return s_pending; }

void MainQueue::drain(int maxRounds)
{
    // One more round after the queue looks empty lets zero-length timers and the events that the
    // last blocks posted run as well.
    int quietRounds = 0;
    for (int round = 0; round < maxRounds && quietRounds < 2; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        quietRounds = s_pending == 0 ? quietRounds + 1 : 0;
    }
}

} // namespace platform
