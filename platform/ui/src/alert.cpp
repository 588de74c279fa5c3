#include "platform/ui/alert.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace platform::ui {

namespace {
    QList<QPointer<Alert>> s_shown;
}

Alert::Alert(QWidget *parent)
    : QDialog(parent)
    , m_message(new QLabel(this))
    , m_informative(new QLabel(this))
    , m_accessoryArea(new QVBoxLayout)
    , m_buttonRow(new QHBoxLayout)
{
    QFont bold = m_message->font();
    bold.setBold(true);
    m_message->setFont(bold);
    m_message->setWordWrap(true);
    m_informative->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addWidget(m_informative);
    layout->addLayout(m_accessoryArea);
    m_buttonRow->addStretch();
    layout->addLayout(m_buttonRow);
    setSizeGripEnabled(false);
}

Alert::~Alert() = default;

QString Alert::messageText() const { return m_message->text(); }

void Alert::setMessageText(const QString &text)
{
    m_message->setText(text);
    setWindowTitle(text);
}

QString Alert::informativeText() const { return m_informative->text(); }

void Alert::setInformativeText(const QString &text) { m_informative->setText(text); }

QPushButton *Alert::addButtonWithTitle(const QString &title)
{
    auto *button = new QPushButton(title, this);
    const int response = kFirstButtonResponse + int(m_buttons.size());
    connect(button, &QPushButton::clicked, this, [this, response] { done(response); });
    button->setAutoDefault(false);
    if (m_buttons.isEmpty())
        button->setDefault(true);
    // Right to left: each new button goes left of the ones before it.
    m_buttonRow->insertWidget(1, button);
    m_buttons.append(button);
    return button;
}

void Alert::setAccessoryView(QWidget *view)
{
    if (m_accessoryView == view)
        return;
    delete m_accessoryView;
    m_accessoryView = view;
    if (view)
        m_accessoryArea->addWidget(view);
}

void Alert::ensureButton()
{
    // A panel without buttons could never be ended.
    if (m_buttons.isEmpty())
        addButtonWithTitle(QStringLiteral("OK"));
}

int Alert::runModal()
{
    ensureButton();
    s_shown.append(this);
    if (m_accessoryView)
        m_accessoryView->setFocus();
    const int response = exec();
    s_shown.removeAll(this);
    return response;
}

void Alert::beginSheetModalForWindow(QWidget *window, std::function<void(int response)> completion)
{
    ensureButton();
    setParent(window, windowFlags() | Qt::Sheet);
    setWindowModality(Qt::WindowModal);
    s_shown.append(this);
    connect(this, &QDialog::finished, this, [this, completion = std::move(completion)](int response) {
        s_shown.removeAll(this);
        if (completion)
            completion(response);
        deleteLater();
    });
    open();
}

Alert *Alert::active()
{
    s_shown.removeAll(nullptr);
    return s_shown.isEmpty() ? nullptr : s_shown.last().data();
}

void Alert::reject() { done(kCancelResponse); }

} // namespace platform::ui
