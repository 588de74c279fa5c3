#include "tavrin/profiler.h"

#include "tavrin/vzdictionary.h"

#include <platform/core/clock.h>
#include <platform/core/format.h>

#include <QHash>

#include <cstdio>
#include <mutex>

namespace tavrin {

namespace {
    struct QStringHash {
        std::size_t operator()(const QString &s) const { return qHash(s); }
    };
    using Table = VZDictionary<QString, double, QStringHash>;

    Table &table()
    {
        static Table s_table(ThreadingType::Concurrent);
        return s_table;
    }

    std::mutex s_outputMutex;
    std::function<void(const QString &)> s_output;

    void print(const QString &line)
    {
        std::lock_guard lock(s_outputMutex);
        if (s_output) {
            s_output(line);
            return;
        }
        std::fputs(line.toUtf8().constData(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
}

void Profiler::start(const QString &name) { table().setValue(name, platform::Clock::current().timestamp()); }

void Profiler::stop(const QString &name)
{
    const std::optional<double> started = table().value(name);
    if (!started)
        return;
    const double elapsed = (platform::Clock::current().timestamp() - *started) * 1000.0;
    print(platform::format("%s: %.05f ms", name.toUtf8().constData(), elapsed));
    table().removeValue(name);
}

void Profiler::stop()
{
    // Without a running measurement there is nothing to end; the call is answered by doing nothing.
    if (auto first = table().first())
        stop(first->first);
}

void Profiler::setOutput(std::function<void(const QString &)> output)
{
    std::lock_guard lock(s_outputMutex);
    s_output = std::move(output);
}

} // namespace tavrin
