#include "olvane/alert.h"
#include "platform/core/bundle.h"
#include "platform/ui/alert.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using platform::ui::Alert;

namespace {

struct Seen {
    QString message;
    QString informative;
    Alert::Style style = Alert::Style::critical;
    QStringList buttons; // in the order they were added
    std::optional<QString> field;
    bool returnIsFirst = false;
};

/// Runs `act` on the alert as soon as one is shown (from inside its modal loop), after noting what it shows.
void whenShown(Seen &seen, std::function<void(Alert &)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &seen, act = std::move(act)] {
        Alert *alert = Alert::active();
        if (!alert || !alert->isVisible())
            return;
        timer->deleteLater();
        timer->stop();
        seen.message = alert->messageText();
        seen.informative = alert->informativeText();
        seen.style = alert->alertStyle();
        for (QPushButton *button : alert->buttons())
            seen.buttons << button->text();
        if (auto *field = qobject_cast<QLineEdit *>(alert->accessoryView()))
            seen.field = field->text();
        seen.returnIsFirst = !alert->buttons().isEmpty() && alert->buttons().first()->isDefault();
        act(*alert);
    });
    timer->start();
}

void clickButton(Alert &alert, int index) { QTest::mouseClick(alert.buttons().at(index), Qt::LeftButton); }

} // namespace

class AlertTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { platform::Bundle::setPreferredLanguages({}); }

    void infoHasOneLiteralOkButton_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "en";
        QTest::newRow("German") << "de";
    }

    void infoHasOneLiteralOkButton()
    {
        QFETCH(QString, language);
        platform::Bundle::setPreferredLanguages({ language });
        Seen seen;
        whenShown(seen, [](Alert &alert) { clickButton(alert, 0); });
        olvane::Alert::info(QStringLiteral("Battery low"), QString());
        QCOMPARE(seen.message, QStringLiteral("Battery low"));
        QCOMPARE(seen.informative, QString());
        QCOMPARE(seen.style, Alert::Style::warning);
        QCOMPARE(seen.buttons, QStringList { "OK" });
    }

    void ask_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("result");
        QTest::newRow("Return takes the default No") << "return" << false;
        QTest::newRow("Yes button") << "yes" << true;
        QTest::newRow("No button") << "no" << false;
        QTest::newRow("Escape") << "escape" << false;
    }

    void ask()
    {
        QFETCH(QString, answer);
        QFETCH(bool, result);
        platform::Bundle::setPreferredLanguages({ "de" });
        Seen seen;
        whenShown(seen, [answer](Alert &alert) {
            if (answer == "return")
                QTest::keyClick(&alert, Qt::Key_Return);
            else if (answer == "escape")
                QTest::keyClick(&alert, Qt::Key_Escape);
            else
                clickButton(alert, answer == "yes" ? 1 : 0);
        });
        QCOMPARE(olvane::Alert::ask(QStringLiteral("Remove?"), QStringLiteral("It goes for good.")), result);
        QCOMPARE(seen.buttons, (QStringList { "Nein", "Ja" }));
        QVERIFY(seen.returnIsFirst);
        QCOMPARE(seen.informative, QStringLiteral("It goes for good."));
    }

    void confirmAnswersWhenTheSheetEnds_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("result");
        QTest::newRow("Yes") << 1 << true;
        QTest::newRow("No") << 0 << false;
    }

    void confirmAnswersWhenTheSheetEnds()
    {
        QFETCH(int, button);
        QFETCH(bool, result);
        QWidget window;
        window.show();
        std::optional<bool> answer;
        olvane::Alert::confirm(&window, QStringLiteral("Quit?"), QString(), [&answer](bool yes) { answer = yes; });
        QVERIFY(!answer); // returns at once

        QPointer<Alert> sheet = Alert::active();
        QVERIFY(sheet);
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->windowModality(), Qt::WindowModal);
        QCOMPARE(sheet->alertStyle(), Alert::Style::informational);
        QCOMPARE(sheet->parentWidget(), &window);
        clickButton(*sheet, button);
        QCOMPARE(answer, std::optional<bool>(result));
        QTRY_VERIFY_WITH_TIMEOUT(sheet.isNull(), 1000); // released once ended
    }

    void input_data()
    {
        QTest::addColumn<std::optional<QString>>("initial");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<bool>("expectedOk");
        QTest::newRow("OK with typed text") << std::optional<QString>() << "Desk" << 0 << "Desk" << true;
        QTest::newRow("Cancel still passes the text") << std::optional<QString>("Mouse") << "" << 1 << "Mouse" << false;
        QTest::newRow("initial text extended") << std::optional<QString>("Key") << "board" << 0 << "Keyboard" << true;
    }

    void input()
    {
        QFETCH(std::optional<QString>, initial);
        QFETCH(QString, typed);
        QFETCH(int, button);
        QFETCH(QString, expectedText);
        QFETCH(bool, expectedOk);
        Seen seen;
        QSize fieldSize;
        whenShown(seen, [&](Alert &alert) {
            auto *field = qobject_cast<QLineEdit *>(alert.accessoryView());
            fieldSize = field->size();
            field->end(false);
            QTest::keyClicks(field, typed);
            clickButton(alert, button);
        });
        int calls = 0;
        QString text;
        bool ok = false;
        olvane::Alert::input(
            QStringLiteral("Name"), QStringLiteral("A new name"), initial, [&](const QString &entered, bool confirmed) {
                ++calls;
                text = entered;
                ok = confirmed;
            });
        QCOMPARE(calls, 1);
        QCOMPARE(text, expectedText);
        QCOMPARE(ok, expectedOk);
        QCOMPARE(seen.field, std::optional<QString>(initial.value_or(QString())));
        QCOMPARE(seen.buttons, (QStringList { "OK", "Cancel" }));
        QCOMPARE(fieldSize, QSize(192, 21));
    }
};

QTEST_MAIN(AlertTest)
#include "alert_test.moc"
