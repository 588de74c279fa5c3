#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace olvane {

/// Alert panels in four fixed shapes. Button titles other than the plain "OK" of info() are the
/// library's localised "NO", "YES", "OK" and "CANCEL". Main thread only.
class Alert {
public:
    Alert() = delete;

    /// A warning with one "OK" button; returns when it is dismissed.
    static void info(const QString &messageText, const QString &informativeText);
    /// A modal question with "NO" (the default, Return) and "YES"; true when "YES" ended it.
    static bool ask(const QString &messageText, const QString &informativeText);
    /// The same question modal to `window`; returns at once, `completion` gets the answer later.
    static void confirm(QWidget *window, const QString &messageText, const QString &informativeText,
        std::function<void(bool)> completion);
    /// Asks for one line of text (starting as `initialText`, or empty) with "OK" and "CANCEL"; the
    /// completion gets the field's text either way, and true for "OK", before this returns.
    static void input(const QString &messageText, const QString &informativeText,
        const std::optional<QString> &initialText, const std::function<void(const QString &, bool)> &completion);
};

} // namespace olvane
