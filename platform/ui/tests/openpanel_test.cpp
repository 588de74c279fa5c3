#include "platform/ui/openpanel.h"
#include "platform/ui/window.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

using namespace platform::ui;

class OpenPanelTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // A folder-choosing panel as the folder stores set it up.
    static void setUpForFolders(OpenPanel &panel, const QString &start)
    {
        panel.setDirectoryUrl(QUrl::fromLocalFile(start + "/"));
        panel.setCanChooseDirectories(true);
        panel.setCanChooseFiles(false);
        panel.setCanCreateDirectories(false);
        panel.setPrompt("Allow");
    }

private slots:
    void initTestCase() { QVERIFY(QDir().mkpath(m_dir.filePath("start/inner"))); }

    void aSheetIsAFolderDialogOnTheWindow_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << true;
        QTest::newRow("rejected") << false;
    }

    void aSheetIsAFolderDialogOnTheWindow()
    {
        QFETCH(bool, accept);
        Window window({ { 0, 0 }, { 300, 200 } }, Window::titled);
        OpenPanel panel;
        setUpForFolders(panel, m_dir.filePath("start"));
        std::optional<ModalResponse> response;
        panel.beginSheetModalForWindow(&window, [&](ModalResponse r) { response = r; });

        auto *dialog = window.findChild<QFileDialog *>();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowModality(), Qt::WindowModal);
        QCOMPARE(dialog->fileMode(), QFileDialog::Directory);
        QVERIFY(dialog->testOption(QFileDialog::ShowDirsOnly));
        QVERIFY(dialog->testOption(QFileDialog::ReadOnly));
        QCOMPARE(dialog->labelText(QFileDialog::Accept), QString("Allow"));
        QCOMPARE(QDir(dialog->directory()).absolutePath(), m_dir.filePath("start"));
        QVERIFY(!response);

        if (accept) {
            dialog->selectFile(m_dir.filePath("start/inner"));
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        } else {
            dialog->reject();
        }
        QVERIFY(response);
        QCOMPARE(*response, accept ? ModalResponse::ok : ModalResponse::cancel);
        QCOMPARE(panel.url(), accept ? QUrl::fromLocalFile(m_dir.filePath("start/inner") + "/") : QUrl());
    }

    void aResponderAnswersFromTheEventLoop()
    {
        ScopedOpenPanelResponder responder(
            [&](OpenPanel &panel, Window *) { panel.choose(QUrl::fromLocalFile(m_dir.filePath("start/inner"))); });
        OpenPanel panel;
        std::optional<ModalResponse> response;
        panel.beginSheetModalForWindow(nullptr, [&](ModalResponse r) { response = r; });
        QVERIFY(!response);
        QVERIFY(QTest::qWaitFor([&] { return response.has_value(); }, 2000));
        QCOMPARE(*response, ModalResponse::ok);
        QCOMPARE(panel.url(), QUrl::fromLocalFile(m_dir.filePath("start/inner") + "/"));
        QCOMPARE(panel.directoryUrl(), QUrl::fromLocalFile(m_dir.filePath("start") + "/"));
    }
};

QTEST_MAIN(OpenPanelTest)
#include "openpanel_test.moc"
