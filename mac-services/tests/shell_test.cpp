#include "olvane/shell.h"

#include <QTest>

using olvane::Shell;
using olvane::ShellOutput;

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void run_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<std::optional<QString>>("output");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("didExit");
        QTest::newRow("prints and exits 0")
            << QStringList { "echo hello" } << std::optional<QString>("hello\n") << 0 << true;
        QTest::newRow("exit status 3") << QStringList { "printf x; exit 3" } << std::optional<QString>("x") << 3
                                       << true;
        QTest::newRow("positional parameters from $0")
            << QStringList { "printf '%s|%s' \"$0\" \"$1\"", "first", "second" }
            << std::optional<QString>("first|second") << 0 << true;
        QTest::newRow("standard error is not output")
            << QStringList { "echo out; echo err >&2" } << std::optional<QString>("out\n") << 0 << true;
        QTest::newRow("locale is set") << QStringList { "printf %s \"$LC_ALL\"" }
                                       << std::optional<QString>("en_US.UTF-8") << 0 << true;
        QTest::newRow("UTF-8 text") << QStringList { "printf '\\xc3\\xa4'" } << std::optional<QString>(u8"ä") << 0
                                    << true;
        QTest::newRow("invalid UTF-8 gives no output")
            << QStringList { "printf '\\xff\\xfe'" } << std::optional<QString>() << 0 << true;
        QTest::newRow("killed by a signal")
            << QStringList { "kill -TERM $$" } << std::optional<QString>("") << 15 << false;
    }

    void run()
    {
        QFETCH(QStringList, arguments);
        QFETCH(std::optional<QString>, output);
        QFETCH(int, exitCode);
        QFETCH(bool, didExit);

        const ShellOutput result = Shell::run(arguments);
        QCOMPARE(result.output, output);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.didExit, didExit);
    }

    void muchStandardErrorDoesNotStall()
    {
        // Far more than a pipe holds.
        const ShellOutput result = Shell::run({ "head -c 1000000 /dev/zero >&2; echo done" });
        QCOMPARE(result.output, std::optional<QString>("done\n"));
        QVERIFY(result.didExit);
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
