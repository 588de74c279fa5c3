#include "quenby/windowcontroller.h"

#include "localization_p.h"
#include "quenby/splitviewcontroller.h"

#include <dorsk/sentrel.h>
#include <olvane/alert.h>
#include <platform/core/mainqueue.h>
#include <platform/core/userdefaults.h>
#include <tavrin/version.h>

#include <QCloseEvent>
#include <QPointer>
#include <QVBoxLayout>

#include <chrono>

namespace quenby {

namespace {

    QString frameKey(const QString &name) { return QStringLiteral("NSWindow Frame ") + name; }

} // namespace

WindowController::WindowController(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_split(new SplitViewController(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_split);
    resize(880, 560); // the side bar and the settings page's row of mode tiles
    setMinimumSize(640, 420);
    setFrameAutosaveName(QStringLiteral("MainWindow"));

    QPointer<WindowController> self(this);
    platform::MainQueue::asyncAfter(std::chrono::milliseconds(kHelperCheckDelayMs), [self] {
        if (self)
            self->checkHelperVersion();
    });
}

WindowController::~WindowController() = default;

void WindowController::setFrameAutosaveName(const QString &name)
{
    m_autosaveName = name;
    if (name.isEmpty())
        return;
    const auto stored = platform::UserDefaults::standard().string(frameKey(name));
    // A damaged entry leaves the window where it is.
    if (stored)
        restoreGeometry(QByteArray::fromBase64(stored->toLatin1()));
}

void WindowController::saveFrame() const
{
    if (!m_autosaveName.isEmpty())
        platform::UserDefaults::standard().set(
            frameKey(m_autosaveName), platform::Value(QString::fromLatin1(saveGeometry().toBase64())));
}

void WindowController::closeEvent(QCloseEvent *event)
{
    saveFrame();
    QWidget::closeEvent(event);
    if (event->isAccepted() && m_onClose)
        m_onClose();
}

void WindowController::checkHelperVersion()
{
    if (m_hasCheckedHelperVersion || !dorsk::Sentrel::isInstalled())
        return;
    m_hasCheckedHelperVersion = true;
    runHelperUpdateCheck(dorsk::Sentrel::serverVersion());
}

void WindowController::runHelperUpdateCheck(QFuture<QString> serverVersion)
{
    // No context object on the continuations: with Qt 6.4 a continuation whose context is gone by the
    // time the answer comes asserts in debug builds and drops the chain in release ones. The window can
    // close before a slow server answers, so the answer hops to the main queue and looks for the window.
    QPointer<WindowController> self(this);
    serverVersion
        .then([self](const QString &server) {
            platform::MainQueue::async([self, server] {
                if (!self)
                    return;
                const auto installed = dorsk::Sentrel::installedVersion();
                if (!installed || !(tavrin::Version(server) > tavrin::Version(*installed)))
                    return;
                olvane::Alert::confirm(self, localized(QStringLiteral("UPDATE_AVAILABLE")),
                    localized(QStringLiteral("HELPER_UPDATE_INFO")).arg(server), [](bool yes) {
                        if (yes)
                            dorsk::Sentrel::openDownloadPage();
                    });
            });
        })
        .onFailed([] {});
}

} // namespace quenby
