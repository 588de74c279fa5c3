#include "tavrin/support.h"

#include <platform/core/mainqueue.h>
#include <platform/desktop/memoryworkspace.h>

#include <QTest>

using platform::MemoryWorkspace;
using platform::ScopedWorkspace;
using tavrin::Support;

class SupportTest : public QObject {
    Q_OBJECT
private slots:
    void fixedPages()
    {
        MemoryWorkspace workspace;
        ScopedWorkspace guard(workspace);
        Support::openContactPage();
        Support::openFAQPage();
        QCOMPARE(workspace.openedUrls(),
            (QList<QUrl> { QUrl("https://velmorn.example/contact"), QUrl("https://velmorn.example/faq") }));
    }

    void openURL_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("opened");
        QTest::newRow("https") << "https://velmorn.example/files/apps.json?x=1" << true;
        QTest::newRow("mail") << "mailto:support@velmorn.example" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("spaces") << "not a web address" << false;
        QTest::newRow("broken host") << "http://[::1" << false;
        QTest::newRow("bad percent escape") << "https://velmorn.example/%zz" << false;
    }

    void openURL()
    {
        QFETCH(QString, address);
        QFETCH(bool, opened);
        MemoryWorkspace workspace;
        ScopedWorkspace guard(workspace);
        Support::openURL(address);
        platform::MainQueue::drain();
        QCOMPARE(workspace.openedUrls().size(), opened ? 1 : 0);
        if (opened)
            QCOMPARE(workspace.openedUrls().first(), QUrl(address));
    }
};

QTEST_GUILESS_MAIN(SupportTest)
#include "support_test.moc"
