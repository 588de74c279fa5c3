#include "tavrin/profiler.h"

#include <platform/core/clock.h>

#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <thread>

using namespace std::chrono_literals;
using tavrin::Profiler;

class ProfilerTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_lines.clear();
        Profiler::setOutput([this](const QString &line) { m_lines << line; });
    }
    void cleanup() { Profiler::setOutput({}); }

    void printsElapsedMilliseconds()
    {
        platform::ManualClock clock;
        platform::ScopedClock guard(clock);
        Profiler::start("load");
        clock.advance(1503us);
        Profiler::stop("load");
        checkLine("load", 1.503);
    }

    void stopWithoutStartPrintsNothing()
    {
        Profiler::stop("never");
        QVERIFY(m_lines.isEmpty());
    }

    void restartMeasuresFromTheSecondStart()
    {
        platform::ManualClock clock;
        platform::ScopedClock guard(clock);
        Profiler::start("A");
        clock.advance(5ms);
        Profiler::start("A");
        clock.advance(2ms);
        Profiler::stop("A");
        Profiler::stop("A");
        checkLine("A", 2.0);
    }

    void unnamedStartAndStop()
    {
        platform::ManualClock clock;
        platform::ScopedClock guard(clock);
        Profiler::start();
        clock.advance(10ms);
        Profiler::stop();
        checkLine("Profiler", 10.0);
        Profiler::stop(); // nothing runs any more: answered by doing nothing
        QCOMPARE(m_lines.size(), 1);
    }

    void startOnOneThreadStopOnAnother()
    {
        platform::ManualClock clock;
        platform::ScopedClock guard(clock);
        std::thread([] { Profiler::start("T"); }).join();
        clock.advance(3ms);
        Profiler::stop("T");
        checkLine("T", 3.0);
    }

private:
    // Start times are seconds since 1970 in a double, good to a fraction of a microsecond: the
    // figure is compared to that precision, the line's shape exactly.
    void checkLine(const QString &name, double milliseconds)
    {
        QCOMPARE(m_lines.size(), 1);
        const QRegularExpression shape(QStringLiteral("^(.+): (\\d+\\.\\d{5}) ms$"));
        const auto match = shape.match(m_lines.first());
        QVERIFY2(match.hasMatch(), qPrintable(m_lines.first()));
        QCOMPARE(match.captured(1), name);
        QVERIFY2(std::abs(match.captured(2).toDouble() - milliseconds) < 0.001, qPrintable(m_lines.first()));
    }

    QStringList m_lines;
};

QTEST_APPLESS_MAIN(ProfilerTest)
#include "profiler_test.moc"
