#include "tavrin/reviewcontroller.h"

#include <platform/core/clock.h>
#include <platform/core/userdefaults.h>
#include <platform/desktop/storereview.h>

#include <QTest>

using namespace std::chrono_literals;
using tavrin::ReviewController;

class ReviewControllerTest : public QObject {
    Q_OBJECT

    std::shared_ptr<platform::UserDefaults> suite()
    {
        return platform::UserDefaults::suite(QString::fromLatin1(ReviewController::kSuiteName));
    }

private slots:
    // The first request only starts the clock; a later one asks once the three days are over.
    void waitsThreeDays_data()
    {
        QTest::addColumn<qint64>("laterMs");
        QTest::addColumn<bool>("asks");
        QTest::newRow("same moment") << qint64(0) << false;
        QTest::newRow("one second short") << qint64(259199000) << false;
        QTest::newRow("exactly three days") << qint64(259200000) << true;
        QTest::newRow("a week") << qint64(604800000) << true;
    }
    void waitsThreeDays()
    {
        QFETCH(qint64, laterMs);
        QFETCH(bool, asks);
        platform::ScopedUserDefaultsDirectory dir;
        platform::ManualClock clock;
        platform::ScopedClock clockGuard(clock);
        ReviewController controller(suite());
        const int before = platform::StoreReview::requestCount();

        controller.requestReview(QStringLiteral("com.example.app"));
        QCOMPARE(platform::StoreReview::requestCount(), before);

        clock.advance(std::chrono::milliseconds(laterMs));
        controller.requestReview(QStringLiteral("com.example.app"));
        QCOMPARE(platform::StoreReview::requestCount(), before + (asks ? 1 : 0));
        QCOMPARE(suite()->boolean(QStringLiteral("com.example.app")), asks);
    }

    void firstRequestNeverAsksAndStoresItsTime()
    {
        platform::ScopedUserDefaultsDirectory dir;
        platform::ManualClock clock(1'800'000'000'000ms);
        platform::ScopedClock clockGuard(clock);
        ReviewController controller(suite());
        const int before = platform::StoreReview::requestCount();

        QVERIFY(!controller.shouldAsk(QStringLiteral("k")));
        QCOMPARE(suite()->real(QStringLiteral("init_k")), 1'800'000'000.0);
        controller.requestReview(QStringLiteral("other"));
        QCOMPARE(platform::StoreReview::requestCount(), before);
    }

    // The asked flag lives in the suite, so a controller of a later run does not ask again.
    void asksOnlyOnceAcrossRuns()
    {
        platform::ScopedUserDefaultsDirectory dir;
        platform::ManualClock clock;
        platform::ScopedClock clockGuard(clock);
        const int before = platform::StoreReview::requestCount();
        {
            ReviewController firstRun(suite());
            firstRun.requestReview(QStringLiteral("app"));
            clock.advance(72h);
            firstRun.requestReview(QStringLiteral("app"));
            QCOMPARE(platform::StoreReview::requestCount(), before + 1);
            clock.advance(72h);
            firstRun.requestReview(QStringLiteral("app"));
        }
        ReviewController secondRun(suite());
        clock.advance(720h);
        secondRun.requestReview(QStringLiteral("app"));
        QCOMPARE(platform::StoreReview::requestCount(), before + 1);
    }

    void keysAreIndependentAndTheEmptyKeyIsAKey()
    {
        platform::ScopedUserDefaultsDirectory dir;
        platform::ManualClock clock;
        platform::ScopedClock clockGuard(clock);
        ReviewController controller(suite());
        const int before = platform::StoreReview::requestCount();

        controller.requestReview(QString());
        clock.advance(72h);
        controller.requestReview(QStringLiteral("b")); // its first request: starts b's clock only
        controller.requestReview(QString());
        QCOMPARE(platform::StoreReview::requestCount(), before + 1);
        QVERIFY(suite()->boolean(QString()));
        QVERIFY(!suite()->boolean(QStringLiteral("b")));
        QVERIFY(suite()->value(QStringLiteral("init_")).has_value());
    }

    void withoutKeyOrStoreNothingHappens()
    {
        platform::ScopedUserDefaultsDirectory dir;
        platform::ManualClock clock;
        platform::ScopedClock clockGuard(clock);
        const int before = platform::StoreReview::requestCount();

        ReviewController controller(suite());
        controller.requestReview(std::nullopt);
        QVERIFY(suite()->dictionaryRepresentation().empty());

        ReviewController storeless(nullptr);
        for (int i = 0; i < 3; ++i) {
            storeless.requestReview(QStringLiteral("app"));
            clock.advance(72h);
        }
        QVERIFY(!storeless.shouldAsk(QStringLiteral("app")));
        QCOMPARE(platform::StoreReview::requestCount(), before);
    }
};

QTEST_GUILESS_MAIN(ReviewControllerTest)
#include "reviewcontroller_test.moc"
