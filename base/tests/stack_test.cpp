#include "tavrin/stack.h"

#include <QTest>

using tavrin::Stack;

class StackTest : public QObject {
    Q_OBJECT
private slots:
    void lastInFirstOut()
    {
        Stack<int> s;
        QVERIFY(!s.pop());
        QVERIFY(!s.peek());
        QVERIFY(s.isEmpty());
        s.push(1);
        s.push(2);
        s.push(3);
        QCOMPARE(s.pop(), std::optional<int>(3));
        QCOMPARE(s.pop(), std::optional<int>(2));
        QCOMPARE(s.peek(), std::optional<int>(1));
        QCOMPARE(s.count(), 1);
        QVERIFY(!s.isEmpty());
    }

    void copiesAreIndependentAndClearGivesStorageBack()
    {
        Stack<QString> a;
        a.push("x");
        Stack<QString> b = a;
        b.push("y");
        QCOMPARE(a.count(), 1);
        QCOMPARE(b.peek(), std::optional<QString>("y"));
        b.clear();
        QVERIFY(b.isEmpty());
        QCOMPARE(b.array().capacity(), 0u);
        QCOMPARE(a.peek(), std::optional<QString>("x"));
    }
};

QTEST_APPLESS_MAIN(StackTest)
#include "stack_test.moc"
