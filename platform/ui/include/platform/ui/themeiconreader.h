#pragma once

#include <QIcon>
#include <QString>

#include <future>

namespace platform::ui {

/// One theme icon looked up on a thread of its own while the program starts.
///
/// The first theme lookup of a process reads the icon theme's index (thousands of lines for hicolor
/// alone), which is most of what the application's window icon costs before its first status item:
/// the reader does that work beside the main thread. Qt's icon loader is not thread-safe, so while a
/// reader runs the main thread asks Qt for no theme icon, theme name or search path without calling
/// `waitForReaders()` first (the symbols and file icons do). `icon()` waits for the lookup.
///
/// Made and used on the main thread, after the QGuiApplication and before anything else looks at the
/// icon theme; it waits for its thread when it goes.
class ThemeIconReader {
public:
    /// Starts looking up `QIcon::fromTheme(name, QIcon(fallbackFile))` (no fallback when the file name
    /// is empty).
    ThemeIconReader(const QString &name, const QString &fallbackFile);
    ~ThemeIconReader();
    ThemeIconReader(const ThemeIconReader &) = delete;
    ThemeIconReader &operator=(const ThemeIconReader &) = delete;

    /// The icon, once looked up; the same on every call.
    QIcon icon();

    /// Returns once no reader's lookup runs any more (at once when none does).
    static void waitForReaders();

private:
    std::shared_future<QIcon> m_icon;
};

} // namespace platform::ui
