#include "olvane/sidebargroup.h"

#include <QTest>

using olvane::SideBarGroup;
using olvane::SideBarItem;

class SideBarTest : public QObject {
    Q_OBJECT

private:
    static QStringList titles(const SideBarGroup &group)
    {
        QStringList result;
        for (const auto &item : group.items())
            result << item->title();
        return result;
    }

private slots:
    void addingKeepsOrderAndPayload()
    {
        SideBarGroup group(QStringLiteral("Devices"));
        const platform::ui::Image icon;
        group.addItem(QStringLiteral("Battery"), icon);
        group.addItemWithObject(QStringLiteral("Mouse"), std::nullopt, QStringLiteral("serial-1"));
        group.addItemWithObject(QStringLiteral("Keyboard"), std::nullopt, QVariant());

        QCOMPARE(titles(group), (QStringList { "Battery", "Mouse", "Keyboard" }));
        QVERIFY(group.items()[0]->icon()->isSameObject(icon));
        QVERIFY(!group.items()[0]->representedObject().isValid());
        QCOMPARE(group.items()[1]->representedObject().toString(), QStringLiteral("serial-1"));
        QVERIFY(!group.items()[1]->icon().has_value());
        QVERIFY(!group.items()[2]->representedObject().isValid());
    }

    void removeTakesOutTheSameObjectOnly_data()
    {
        QTest::addColumn<QList<int>>("appended"); // indexes into three items a, b, c
        QTest::addColumn<int>("removed");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("middle of three") << QList<int> { 0, 1, 2 } << 1 << QList<int> { 0, 2 };
        QTest::newRow("listed twice goes twice") << QList<int> { 0, 1, 0 } << 0 << QList<int> { 1 };
        QTest::newRow("absent leaves the list") << QList<int> { 0, 1 } << 2 << QList<int> { 0, 1 };
        QTest::newRow("same title, other object") << QList<int> { 0, 3 } << 3 << QList<int> { 0 };
    }

    void removeTakesOutTheSameObjectOnly()
    {
        QFETCH(QList<int>, appended);
        QFETCH(int, removed);
        QFETCH(QList<int>, expected);
        const QList<std::shared_ptr<SideBarItem>> pool {
            std::make_shared<SideBarItem>(QStringLiteral("a"), std::nullopt),
            std::make_shared<SideBarItem>(QStringLiteral("b"), std::nullopt),
            std::make_shared<SideBarItem>(QStringLiteral("c"), std::nullopt),
            std::make_shared<SideBarItem>(QStringLiteral("a"), std::nullopt),
        };
        SideBarGroup group(QStringLiteral("g"));
        for (int index : appended)
            group.append(pool[index]);
        QCOMPARE(group.items().size(), appended.size());

        group.remove(pool[removed]);
        QList<std::shared_ptr<SideBarItem>> expectedItems;
        for (int index : expected)
            expectedItems << pool[index];
        QCOMPARE(group.items(), expectedItems);
    }
};

QTEST_MAIN(SideBarTest)
#include "sidebar_test.moc"
