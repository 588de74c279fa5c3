#include "platform/ui/openpanel.h"

#include "platform/ui/window.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace platform::ui {

namespace {
    ScopedOpenPanelResponder::Respond s_responder;

    QUrl chosenUrl(const QString &path)
    {
        QString clean = QDir::cleanPath(path);
        if (QFileInfo(clean).isDir() && !clean.endsWith(QLatin1Char('/')))
            clean += QLatin1Char('/');
        return QUrl::fromLocalFile(clean);
    }
}

OpenPanel::OpenPanel(QObject *parent)
    : QObject(parent)
{
}

OpenPanel::~OpenPanel()
{
    if (m_dialog)
        m_dialog->deleteLater();
}

void OpenPanel::beginSheetModalForWindow(Window *window, Completion done)
{
    m_done = std::move(done);
    m_url = QUrl();
    if (s_responder) {
        QPointer<OpenPanel> self(this);
        QPointer<Window> sheetWindow(window);
        auto respond = s_responder;
        QMetaObject::invokeMethod(
            this, [self, sheetWindow, respond] { respond(*self, sheetWindow.data()); }, Qt::QueuedConnection);
        return;
    }
    auto *dialog = new QFileDialog(window);
    m_dialog = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (m_canChooseDirectories && !m_canChooseFiles) {
        dialog->setFileMode(QFileDialog::Directory);
        dialog->setOption(QFileDialog::ShowDirsOnly);
    } else {
        dialog->setFileMode(m_allowsMultipleSelection ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    }
    dialog->setOption(QFileDialog::ReadOnly, !m_canCreateDirectories);
    if (m_directoryUrl.isLocalFile())
        dialog->setDirectory(m_directoryUrl.toLocalFile());
    if (!m_prompt.isEmpty())
        dialog->setLabelText(QFileDialog::Accept, m_prompt);
    connect(dialog, &QFileDialog::finished, this, [this, dialog](int result) {
        if (result == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
            m_directoryUrl = QUrl::fromLocalFile(dialog->directory().absolutePath());
            m_url = chosenUrl(dialog->selectedFiles().first());
            finish(ModalResponse::ok);
        } else {
            finish(ModalResponse::cancel);
        }
    });
    dialog->open();
}

void OpenPanel::choose(const QUrl &url)
{
    m_url = url.isLocalFile() ? chosenUrl(url.toLocalFile()) : url;
    if (url.isLocalFile())
        m_directoryUrl
            = QUrl::fromLocalFile(QFileInfo(QDir::cleanPath(url.toLocalFile())).absolutePath() + QLatin1Char('/'));
    finish(ModalResponse::ok);
}

void OpenPanel::cancel() { finish(ModalResponse::cancel); }

void OpenPanel::finish(ModalResponse response)
{
    Completion done = std::move(m_done);
    m_done = nullptr;
    if (done)
        done(response);
}

ScopedOpenPanelResponder::ScopedOpenPanelResponder(Respond respond)
    : m_previous(std::move(s_responder))
{
    s_responder = std::move(respond);
}

ScopedOpenPanelResponder::~ScopedOpenPanelResponder() { s_responder = std::move(m_previous); }

} // namespace platform::ui
