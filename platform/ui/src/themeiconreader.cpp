#include "platform/ui/themeiconreader.h"

#include <mutex>
#include <vector>

namespace platform::ui {

namespace {
    // The lookups not yet waited for.
    struct Readers {
        std::mutex mutex;
        std::vector<std::shared_future<QIcon>> running;
    };
    Readers &readers()
    {
        static Readers s_readers;
        return s_readers;
    }
}

ThemeIconReader::ThemeIconReader(const QString &name, const QString &fallbackFile)
    : m_icon(std::async(std::launch::async, [name, fallbackFile] {
        return fallbackFile.isEmpty() ? QIcon::fromTheme(name) : QIcon::fromTheme(name, QIcon(fallbackFile));
    }).share())
{
    Readers &all = readers();
    const std::lock_guard lock(all.mutex);
    all.running.push_back(m_icon);
}

ThemeIconReader::~ThemeIconReader() { waitForReaders(); }

QIcon ThemeIconReader::icon()
{
    waitForReaders();
    return m_icon.get();
}

void ThemeIconReader::waitForReaders()
{
    Readers &all = readers();
    const std::lock_guard lock(all.mutex);
    for (const auto &reader : all.running)
        reader.wait();
    all.running.clear();
}

} // namespace platform::ui
