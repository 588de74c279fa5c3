#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;
class QHBoxLayout;
class QVBoxLayout;

namespace platform::ui {

/// A modal alert panel: a message, an informative text, an optional accessory view and a row of
/// buttons. The first button added is the default one (Return); the buttons stand right to left in
/// the order they were added. Ending the panel with a button gives that button's response
/// (kFirstButtonResponse + its index); Escape, or closing the window, ends it with kCancelResponse.
/// Main thread only.
class Alert : public QDialog {
    Q_OBJECT
public:
    enum class Style { warning = 0, informational = 1, critical = 2 };

    static constexpr int kFirstButtonResponse = 1000;
    static constexpr int kCancelResponse = 0;

    explicit Alert(QWidget *parent = nullptr);
    ~Alert() override;

    QString messageText() const;
    void setMessageText(const QString &text);
    QString informativeText() const;
    void setInformativeText(const QString &text);
    Style alertStyle() const { return m_style; }
    void setAlertStyle(Style style) { m_style = style; }

    QPushButton *addButtonWithTitle(const QString &title);
    const QList<QPushButton *> &buttons() const { return m_buttons; }

    /// Shown between the texts and the buttons; the alert takes ownership. Null removes it.
    void setAccessoryView(QWidget *view);
    QWidget *accessoryView() const { return m_accessoryView; }

    /// Shows the panel application-modal and returns its response once it has ended.
    int runModal();
    /// Shows the panel modal to `window` and returns at once; `completion` gets the response when
    /// the panel ends. The alert then deletes itself from the event loop.
    void beginSheetModalForWindow(QWidget *window, std::function<void(int response)> completion);

    /// The alert being shown modally now, if any (the newest when several are).
    static Alert *active();

protected:
    void reject() override;

private:
    void ensureButton();

    Style m_style = Style::warning;
    QLabel *m_message;
    QLabel *m_informative;
    QVBoxLayout *m_accessoryArea;
    QHBoxLayout *m_buttonRow;
    QWidget *m_accessoryView = nullptr;
    QList<QPushButton *> m_buttons;
};

} // namespace platform::ui
