#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

class QFileDialog;

namespace platform::ui {

class Window;

/// The answer a panel ends with.
enum class ModalResponse { cancel = 0, ok = 1 };

/// A panel in which the user chooses a file or folder.
///
/// Presented as a sheet on a window (a window-modal file dialog). Main thread only; the completion
/// arrives later from the event loop, never inside `beginSheetModalForWindow`. A chosen folder's URL
/// ends in "/". Tests answer presented panels with a `ScopedOpenPanelResponder` instead of a dialog.
class OpenPanel : public QObject {
    Q_OBJECT
public:
    using Completion = std::function<void(ModalResponse response)>;

    explicit OpenPanel(QObject *parent = nullptr);
    ~OpenPanel() override;

    /// The folder the panel shows.
    QUrl directoryUrl() const { return m_directoryUrl; }
    void setDirectoryUrl(const QUrl &url) { m_directoryUrl = url; }
    bool allowsMultipleSelection() const { return m_allowsMultipleSelection; }
    void setAllowsMultipleSelection(bool on) { m_allowsMultipleSelection = on; }
    bool canChooseDirectories() const { return m_canChooseDirectories; }
    void setCanChooseDirectories(bool on) { m_canChooseDirectories = on; }
    bool canCreateDirectories() const { return m_canCreateDirectories; }
    void setCanCreateDirectories(bool on) { m_canCreateDirectories = on; }
    bool canChooseFiles() const { return m_canChooseFiles; }
    void setCanChooseFiles(bool on) { m_canChooseFiles = on; }
    /// The text of the button that confirms the choice.
    QString prompt() const { return m_prompt; }
    void setPrompt(const QString &prompt) { m_prompt = prompt; }

    /// The chosen item after the panel ended with `ok`; empty otherwise.
    QUrl url() const { return m_url; }

    /// Shows the panel as a sheet on `window` (modal for the application when there is none).
    void beginSheetModalForWindow(Window *window, Completion done);

    /// For responders: ends the presented panel with `ok` and `url` as the choice (the panel's folder
    /// becomes the one shown around the choice), or with `cancel`.
    void choose(const QUrl &url);
    void cancel();

private:
    void finish(ModalResponse response);

    QUrl m_directoryUrl;
    bool m_allowsMultipleSelection = false;
    bool m_canChooseDirectories = false;
    bool m_canCreateDirectories = false;
    bool m_canChooseFiles = true;
    QString m_prompt;
    QUrl m_url;
    Completion m_done;
    QPointer<QFileDialog> m_dialog;
};

/// Answers every panel presented while it lives: `respond` is called from the event loop with the
/// panel and its window, and must call `choose` or `cancel` (now or later).
class ScopedOpenPanelResponder {
public:
    using Respond = std::function<void(OpenPanel &panel, Window *window)>;
    explicit ScopedOpenPanelResponder(Respond respond);
    ~ScopedOpenPanelResponder();
    ScopedOpenPanelResponder(const ScopedOpenPanelResponder &) = delete;
    ScopedOpenPanelResponder &operator=(const ScopedOpenPanelResponder &) = delete;

private:
    Respond m_previous;
};

} // namespace platform::ui
