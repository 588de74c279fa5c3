#include "tavrin/datastore.h"
#include "tavrin/numberidentifier.h"
#include "tavrin/stringidentifier.h"
#include "tavrin/value.h"
#include "tavrin/wrappedidentifier.h"

#include <QLocale>
#include <QTest>

#include <limits>
#include <thread>

using platform::Number;
using namespace tavrin;

Q_DECLARE_METATYPE(IdentifierCategory)
Q_DECLARE_METATYPE(std::optional<std::int64_t>)
Q_DECLARE_METATYPE(std::optional<Number>)

namespace {
std::vector<double> doubles(const std::vector<Number> &numbers)
{
    std::vector<double> out;
    for (const auto &n : numbers)
        out.push_back(n.doubleValue());
    return out;
}

std::shared_ptr<NumberIdentifier> number(const QString &id, NumberIdentifier::Options options = {})
{
    return std::make_shared<NumberIdentifier>(id, std::move(options));
}
}

class DataStoreTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void valueTexts_data()
    {
        QTest::addColumn<IdentifierCategory>("category");
        QTest::addColumn<bool>("isSigned");
        QTest::addColumn<std::optional<std::int64_t>>("decimals");
        QTest::addColumn<std::optional<Number>>("number");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        const std::optional<std::int64_t> none;
        const auto raw = IdentifierCategory::Raw;
        const auto size = IdentifierCategory::Size;
        const auto percent = IdentifierCategory::Percentage;
        QTest::newRow("absent raw") << raw << true << none << std::optional<Number>() << "en_US"
                                    << "-";
        QTest::newRow("absent size") << size << true << none << std::optional<Number>() << "en_US"
                                     << "-";
        QTest::newRow("absent percentage")
            << percent << true << std::optional<std::int64_t>(2) << std::optional<Number>() << "en_US"
            << "-";
        QTest::newRow("signed -1") << raw << true << none << std::optional<Number>(Number(-1LL)) << "en_US"
                                   << "-1";
        QTest::newRow("unsigned reading of -1")
            << raw << false << none << std::optional<Number>(Number(-1LL)) << "en_US"
            << "18446744073709551615";
        QTest::newRow("real as integer") << raw << true << none << std::optional<Number>(Number(7.9)) << "en_US"
                                         << "7";
        QTest::newRow("decimals cut toward zero")
            << raw << true << std::optional<std::int64_t>(1) << std::optional<Number>(Number(2.79)) << "en_US"
            << "2.7";
        QTest::newRow("decimals in German")
            << raw << true << std::optional<std::int64_t>(1) << std::optional<Number>(Number(2.79)) << "de_DE"
            << "2,7";
        QTest::newRow("no grouping with decimals")
            << raw << true << std::optional<std::int64_t>(2) << std::optional<Number>(Number(12345.678)) << "en_US"
            << "12345.67";
        QTest::newRow("size zero") << size << true << none << std::optional<Number>(Number(0)) << "en_US"
                                   << "0 B";
        QTest::newRow("size kilobytes") << size << true << none << std::optional<Number>(Number(1536)) << "en_US"
                                        << "1.5 KB";
        QTest::newRow("percentage") << percent << true << none << std::optional<Number>(Number(42)) << "en_US"
                                    << "42 %";
        QTest::newRow("unsigned percentage of -1")
            << percent << false << none << std::optional<Number>(Number(-1LL)) << "en_US"
            << "18446744073709551615 %";
        QTest::newRow("percentage with at most one digit")
            << percent << true << std::optional<std::int64_t>(1) << std::optional<Number>(Number(42.0)) << "en_US"
            << "42 %";
        QTest::newRow("percentage digits in German")
            << percent << true << std::optional<std::int64_t>(2) << std::optional<Number>(Number(42.5)) << "de_DE"
            << "42,5 %";
    }
    void valueTexts()
    {
        QFETCH(IdentifierCategory, category);
        QFETCH(bool, isSigned);
        QFETCH(std::optional<std::int64_t>, decimals);
        QFETCH(std::optional<Number>, number);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        Value value(category, isSigned, decimals);
        value.setNumber(number);
        QCOMPARE(value.text(), expected);
        // A numeric entry writes its number by the same rules.
        NumberIdentifier entry("e", { .category = category, .isSigned = isSigned, .decimals = decimals });
        entry.setNumber(number);
        QCOMPARE(entry.text(), expected);
    }

    void newNumberIdentifier()
    {
        NumberIdentifier entry("cpu");
        QCOMPARE(entry.name(), QStringLiteral("cpu"));
        QVERIFY(!entry.value());
        QCOMPARE(entry.text(), QStringLiteral("-"));
        QCOMPARE(entry.history().size(), 60u);
        QCOMPARE(doubles(entry.history()), std::vector<double>(60, 0.0));
        QVERIFY(!entry.min());
        QVERIFY(!entry.max());
        QCOMPARE(NumberIdentifier("cpu", { .name = "Processor" }).name(), QStringLiteral("Processor"));
    }

    void settersStepTheWindowAndTrackMinMax()
    {
        NumberIdentifier entry("n");
        entry.setValue(5LL);
        entry.setValue(std::int16_t(3));
        QCOMPARE(entry.value()->typeLetter(), 's'); // kept in its own type
        auto h = doubles(entry.history());
        QCOMPARE(h.size(), 60u);
        QCOMPARE(h[58], 5.0);
        QCOMPARE(h[59], 3.0);
        QCOMPARE(entry.min()->doubleValue(), 3.0);
        QCOMPARE(entry.max()->doubleValue(), 5.0);

        entry.setValue(std::optional<long long>());
        QVERIFY(!entry.value());
        QCOMPARE(entry.text(), QStringLiteral("-"));
        QCOMPARE(entry.history().size(), 59u);
        QCOMPARE(entry.min()->doubleValue(), 3.0);
        QCOMPARE(entry.max()->doubleValue(), 5.0);

        entry.setValue(std::optional<double>(9.5));
        QCOMPARE(entry.history().size(), 59u);
        QCOMPARE(entry.max()->doubleValue(), 9.5);
        entry.setValue(std::numeric_limits<std::uint64_t>::max());
        QCOMPARE(entry.history().back().doubleValue(), 18446744073709551616.0); // converted as unsigned
    }

    void windowOfSizeZeroGrowsToOne()
    {
        NumberIdentifier entry("n");
        entry.setHistorySize(0);
        QVERIFY(entry.history().empty());
        entry.setValue(1);
        QCOMPARE(doubles(entry.history()), std::vector<double> { 1.0 });
        entry.setValue(2);
        QCOMPARE(doubles(entry.history()), std::vector<double> { 2.0 });
        entry.setHistorySize(-4); // no window can be negative
        QVERIFY(entry.history().empty());
        QCOMPARE(entry.historySize(), 0);
    }

    void historySizeResetsTheWindowEvenWhenUnchanged()
    {
        NumberIdentifier entry("n");
        entry.setHistorySize(3);
        entry.setValue(7);
        entry.setHistorySize(3);
        QCOMPARE(doubles(entry.history()), (std::vector<double> { 0, 0, 0 }));
    }

    void stringIdentifier()
    {
        StringIdentifier plain("s", "S", std::nullopt);
        QCOMPARE(plain.text(), QStringLiteral("-"));
        QVERIFY(!plain.min());
        QCOMPARE(plain.history().size(), 60u);
        plain.setString(QStringLiteral("hello"));
        QCOMPARE(plain.text(), QStringLiteral("hello"));
        QVERIFY(!plain.value());
        plain.setString(QStringLiteral("seven"), Number(7));
        QCOMPARE(plain.min()->doubleValue(), 7.0);
        QCOMPARE(plain.max()->doubleValue(), 7.0);
        QCOMPARE(plain.history().back().doubleValue(), 7.0);
        QCOMPARE(plain.history().size(), 60u);
        QCOMPARE(plain.value()->intValue(), 7);

        StringIdentifier withRaw("r", "R", QStringLiteral("x"), Number(4));
        QCOMPARE(withRaw.history().back().doubleValue(), 4.0);
        QCOMPARE(withRaw.min()->doubleValue(), 4.0);
    }

    void aliasesResolveOneLevel()
    {
        DataStore store;
        auto target = number("target", { .category = IdentifierCategory::Percentage });
        store.add(target);
        store.add(std::make_shared<WrappedIdentifier>("alias", "Alias", "target"));
        store.add(std::make_shared<WrappedIdentifier>("alias2", "Alias 2", "alias"));
        store.add(std::make_shared<WrappedIdentifier>("dangling", "Dangling", "missing"));
        target->setValue(42);

        QCOMPARE(store.identifier("alias"), std::static_pointer_cast<Identifier>(target));
        QCOMPARE(store.value("alias")->intValue(), 42);
        QCOMPARE(store.text("alias"), QStringLiteral("42 %"));
        QVERIFY(store.identifierAs<WrappedIdentifier>("alias2")); // the second alias, not followed further
        QVERIFY(!store.identifier("dangling"));
        QCOMPARE(store.text("dangling"), QStringLiteral("-"));
        QVERIFY(store.contains("dangling"));
        QVERIFY(!store.contains("missing"));
        QVERIFY(store.hasHistory("alias"));
        QVERIFY(!store.hasHistory("dangling"));
    }

    void settersActOnTheStoredEntryOnly()
    {
        DataStore store;
        auto target = number("target");
        store.add(target);
        store.add(std::make_shared<WrappedIdentifier>("alias", "Alias", "target"));
        store.setValue("alias", 10LL);
        QVERIFY(!target->value());
        store.setValue("target", 10LL);
        QCOMPARE(target->value()->longLongValue(), 10);
        QCOMPARE(target->history().back().doubleValue(), 10.0);
        QCOMPARE(target->min()->doubleValue(), 10.0);
        store.setValue("nobody", 3.0); // nothing to set, nothing fails
    }

    void addValue()
    {
        DataStore store;
        auto n = number("n");
        auto empty = number("empty");
        auto text = std::make_shared<StringIdentifier>("t", "T", QStringLiteral("x"), Number(3));
        store.add(n);
        store.add(empty);
        store.add(text);
        n->setValue(10LL);
        store.addValue("n", 5LL);
        QCOMPARE(n->value()->longLongValue(), 15);
        store.addValue("empty", 5LL);
        QVERIFY(!empty->value());
        store.addValue("t", 5LL); // read from the text entry, but only numeric entries take the sum
        QCOMPARE(text->value()->intValue(), 3);
        store.addValue("n", 0.5);
        QCOMPARE(n->value()->doubleValue(), 15.5);
        n->setValue(std::int16_t(32767));
        store.addValue("n", std::int16_t(1)); // would wrap: refused
        QCOMPARE(n->value()->shortValue(), std::int16_t(32767));
        store.addValue("n", std::int16_t(-7));
        QCOMPARE(n->value()->shortValue(), std::int16_t(32760));
    }

    void addSizesTheWindowAndHistorySizeResetsAll()
    {
        DataStore store;
        store.setHistorySize(3);
        auto n = number("n");
        n->setValue(1);
        auto s = std::make_shared<StringIdentifier>("s", "S", QStringLiteral("x"), Number(2));
        store.add(n);
        store.add(s);
        QCOMPARE(doubles(n->history()), (std::vector<double> { 0, 0, 0 }));
        QCOMPARE(doubles(s->history()), (std::vector<double> { 0, 0, 0 }));
        store.setHistorySize(5);
        QCOMPARE(doubles(n->history()), std::vector<double>(5, 0.0));
        QCOMPARE(doubles(s->history()), std::vector<double>(5, 0.0));
    }

    void mergeSharesEntriesUnderTheirKeys()
    {
        DataStore source;
        auto a = number("a");
        auto b = std::make_shared<StringIdentifier>("b", "B", QStringLiteral("bee"));
        source.add(a);
        source.add(b);
        a->setValue(7);
        const auto windowBefore = doubles(a->history());
        DataStore target;
        target.merge(source);
        QCOMPARE(target.identifier("a"), std::static_pointer_cast<Identifier>(a));
        QCOMPARE(target.identifier("b"), std::static_pointer_cast<Identifier>(b));
        QCOMPARE(doubles(a->history()), windowBefore);
        QCOMPARE(target.data().count(), 2u);
    }

    void removals()
    {
        DataStore store;
        auto a = number("a");
        store.add(a);
        store.add(number("b"));
        store.add(number("c"));
        store.removeIdentifier("b");
        QVERIFY(!store.contains("b"));
        store.removeEntry(NumberIdentifier("a")); // by key, whatever object is stored there
        QVERIFY(!store.contains("a"));
        store.removeAll();
        QVERIFY(!store.contains("c"));
        QCOMPARE(store.data().count(), 0u);
    }

    void typedReads()
    {
        DataStore store;
        auto n = number("n");
        store.add(n);
        store.setHistorySize(2);
        n->setValue(300);
        n->setValue(0.1);
        QCOMPARE(store.int8History("n"), (std::vector<std::int8_t> { 44, 0 }));
        QCOMPARE(store.uint16History("n"), (std::vector<std::uint16_t> { 300, 0 }));
        QCOMPARE(store.historyOf<double>("n"), (std::vector<double> { 300.0, 0.1 }));
        QCOMPARE(store.cgFloatHistory("n"), (std::vector<double> { 300.0, double(0.1f) }));
        QVERIFY(store.historyOf<std::int8_t>("unknown").empty());
        QCOMPARE(store.valueOf<double>("unknown"), 0.0);
        n->setValue(-1LL);
        QCOMPARE(store.uint16Value("n"), std::uint16_t(65535));
        QCOMPARE(store.uintValue("n"), std::numeric_limits<unsigned long long>::max());
        QCOMPARE(store.valueOf<std::int64_t>("n"), std::int64_t(-1));
    }

    void storeUsedFromManyThreads()
    {
        DataStore store;
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&store, t] {
                for (int i = 0; i < 50; ++i) {
                    const QString id = QStringLiteral("%1-%2").arg(t).arg(i);
                    auto entry = std::make_shared<NumberIdentifier>(id);
                    store.add(entry);
                    store.setValue(id, static_cast<long long>(i));
                }
            });
        for (auto &t : threads)
            t.join();
        QCOMPARE(store.data().count(), 200u);
        QCOMPARE(store.valueOf<long long>("3-49"), 49LL);
    }
};

QTEST_GUILESS_MAIN(DataStoreTest)
#include "datastore_test.moc"
