#pragma once

#include <QFuture>
#include <QString>
#include <QWidget>

#include <functional>

namespace quenby {

class SplitViewController;

/// The main window. Its frame is kept under its autosave name; once per window, shortly after it
/// opens, it offers a newer Sentrel when the web site has one.
class WindowController final : public QWidget {
    Q_OBJECT
public:
    /// Delay between opening and the update check.
    static constexpr int kHelperCheckDelayMs = 400;

    explicit WindowController(QWidget *parent = nullptr);
    ~WindowController() override;

    SplitViewController *contentViewController() const { return m_split; }

    QString frameAutosaveName() const { return m_autosaveName; }
    /// Takes the frame stored under `name` (when there is one) and stores the frame there from now on.
    void setFrameAutosaveName(const QString &name);

    /// Told once the window is closing.
    void setOnClose(std::function<void()> onClose) { m_onClose = std::move(onClose); }

    bool hasCheckedHelperVersion() const { return m_hasCheckedHelperVersion; }
    /// Once per window, when Sentrel is installed: compares the web site's version with it.
    void checkHelperVersion();
    /// Offers the download when `serverVersion` is newer than the installed Sentrel; a failed fetch or
    /// no installed version says nothing.
    void runHelperUpdateCheck(QFuture<QString> serverVersion);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void saveFrame() const;

    SplitViewController *m_split = nullptr;
    QString m_autosaveName;
    std::function<void()> m_onClose;
    bool m_hasCheckedHelperVersion = false;
};

} // namespace quenby
