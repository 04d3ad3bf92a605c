// The new-game dialog, the shop, help and About, driven with keys and clicks.
#include "support/modalScript.h"

#include "app/krat.h"
#include "dialogs/AboutBox.h"
#include "dialogs/Poczatek.h"
#include "dialogs/Pomoc.h"
#include "dialogs/Sklepik.h"
#include "dialogs/decimalText.h"
#include "dialogs/vetoSpinBox.h"
#include "res/resource.h"
#include "world/cCzolg.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

namespace {

// A key held down: the first press and then auto-repeated presses.
void HoldKey(QWidget* widget, Qt::Key key, int presses)
{
    for (int i = 0; i < presses; ++i) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), i > 0);
        QApplication::sendEvent(widget, &press);
    }
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

QString Shown(TemplateDialog* dialog, int id)
{
    if (auto* label = dialog->Label(id))
        return label->text();
    return dialog->Spin(id)->text();
}

cCzolg TankWith(int player, int money, int small, int medium, int large)
{
    cCzolg tank;
    tank.player = player;
    tank.money = money;
    tank.stock[1] = small;
    tank.stock[2] = medium;
    tank.stock[3] = large;
    return tank;
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitResources(); }

    void textsReadLikeAtoiAndWriteAsPlainDecimal()
    {
        QCOMPARE(TextToInt(QStringLiteral("  -12abc")), -12);
        QCOMPARE(TextToInt(QStringLiteral("+7")), 7);
        QCOMPARE(TextToInt(QStringLiteral("abc")), 0);
        QCOMPARE(TextToInt(QString()), 0);
        QCOMPARE(TextToInt(QStringLiteral("- 5")), 0);
        QCOMPARE(TextToInt(QStringLiteral("99999999999999")), INT_MAX);
        QCOMPARE(IntToText(5), QStringLiteral("5"));
        QCOMPARE(IntToText(-30), QStringLiteral("-30"));
        QCOMPARE(IntToText(0), QStringLiteral("0"));
    }

    void theNewGameDialogFollowsItsTemplate()
    {
        CPoczatek dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Nowa gra"));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
        QStringList groups;
        for (auto* box : dialog.findChildren<QGroupBox*>())
            groups << box->title();
        QCOMPARE(groups, (QStringList{"Ilu graczy?? (maksymalnie 8)", "Ile rund?? (maksymalnie 20)"}));
        auto* ok = qobject_cast<QPushButton*>(dialog.Control(IDOK));
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->geometry(), DialogUnitsToPixels(dialog.font(), 129, 7, 50, 14));
        QCOMPARE(dialog.size(), DialogUnitsToPixels(dialog.font(), 0, 0, 186, 98).size());
        QCOMPARE(dialog.m_spinPlayers->geometry(), DialogUnitsToPixels(dialog.font(), 13, 20, 31, 12));
        QVERIFY(dialog.m_spinPlayers->findChild<QLineEdit*>()->isReadOnly());
    }

    void confirmingAtOnceGivesTwoPlayersAndOneRound()
    {
        CPoczatek dialog;
        ModalScript script;
        script.Then([](QWidget* modal) { PressKey(modal, Qt::Key_Return); });
        dialog.DoModal();
        QCOMPARE(dialog.m_players, QStringLiteral("2"));
        QCOMPARE(dialog.m_rounds, QStringLiteral("1"));
        QVERIFY(script.Done());
    }

    void heldKeysStopSilentlyAtTheBoundsOfBothBoxes()
    {
        CPoczatek dialog;
        ModalScript script;
        QStringList seen;
        script.Then([&](QWidget*) {
            HoldKey(dialog.m_spinPlayers, Qt::Key_Up, 3);
            seen << dialog.m_spinPlayers->text();
            HoldKey(dialog.m_spinPlayers, Qt::Key_Up, 12);
            seen << dialog.m_spinPlayers->text() << dialog.m_players;
            HoldKey(dialog.m_spinPlayers, Qt::Key_Down, 12);
            seen << dialog.m_spinPlayers->text();
            HoldKey(dialog.m_spinRounds, Qt::Key_Up, 30);
            seen << dialog.m_spinRounds->text();
            HoldKey(dialog.m_spinRounds, Qt::Key_Down, 30);
            seen << dialog.m_spinRounds->text();
            HoldKey(dialog.m_spinRounds, Qt::Key_Up, 4);
            PressKey(&dialog, Qt::Key_Return);
        });
        dialog.DoModal();
        QCOMPARE(seen, (QStringList{"5", "8", "8", "2", "20", "1"}));
        QCOMPARE(dialog.m_rounds, QStringLiteral("5"));
        QCOMPARE(script.unexpected, 0); // no message at any bound
        QCOMPARE(script.seenTitles.size(), 1);
    }

    void theSpinArrowsStepByOneAndAHeldArrowRepeatsByOne()
    {
        CPoczatek dialog;
        ModalScript script;
        int afterClick = 0, afterHold = 0;
        script.Then([&](QWidget*) {
            VetoSpinBox* spin = dialog.m_spinRounds;
            const QPoint up(spin->width() - 4, 3);
            QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, up);
            afterClick = spin->value();
            QTest::mousePress(spin, Qt::LeftButton, Qt::NoModifier, up);
            QTest::qWait(900);
            QTest::mouseRelease(spin, Qt::LeftButton, Qt::NoModifier, up);
            afterHold = spin->value();
            PressKey(&dialog, Qt::Key_Return);
        });
        dialog.DoModal();
        QCOMPARE(afterClick, 2);
        QVERIFY2(afterHold > 3 && afterHold <= 20, qPrintable(QString::number(afterHold)));
        QCOMPARE(dialog.m_rounds, IntToText(afterHold));
    }

    void escapeKeepsTheChosenNumbersAndTheNextShowingStartsAfresh()
    {
        CPoczatek dialog;
        ModalScript script;
        script.Then([&](QWidget* modal) {
            HoldKey(dialog.m_spinPlayers, Qt::Key_Up, 3);
            PressKey(modal, Qt::Key_Escape);
        });
        dialog.DoModal();
        QCOMPARE(dialog.m_players, QStringLiteral("5"));

        QString shownAtStart;
        script.Then([&](QWidget* modal) {
            shownAtStart = dialog.m_spinPlayers->text() + "/" + dialog.m_spinRounds->text();
            PressKey(modal, Qt::Key_Return);
        });
        dialog.DoModal();
        QCOMPARE(shownAtStart, QStringLiteral("2/1"));
        QCOMPARE(dialog.m_players, QStringLiteral("2"));
    }

    void theShopShowsThePlayersVisitAndStartsInTheSmallBox()
    {
        CSklepik shop;
        ModalScript script;
        QStringList shown;
        QWidget* focus = nullptr;
        script.Then([&](QWidget* modal) {
            focus = modal->focusWidget();
            for (int id : {IDC_SHOP_PLAYER, IDC_SHOP_ROUNDS_LEFT, IDC_FUNDS, IDC_PRICE_SMALL, IDC_PRICE_MEDIUM,
                           IDC_PRICE_LARGE, IDC_HAVE_SMALL, IDC_HAVE_MEDIUM, IDC_HAVE_LARGE, IDC_COUNT_SMALL})
                shown << Shown(&shop, id);
            PressKey(modal, Qt::Key_Escape);
        });
        shop.Serve(TankWith(0, 750, 5, 1, 2), 3);
        QCOMPARE(shown, (QStringList{"1", "3", "750", "200", "500", "1000", "5", "1", "2", "0"}));
        QVERIFY(focus == shop.m_spinSmall || (focus && focus->parentWidget() == shop.m_spinSmall));
        QCOMPARE(shop.windowTitle(), QStringLiteral("Sklepik"));
        QVERIFY(shop.windowFlags() & Qt::WindowCloseButtonHint);
    }

    void fundsEqualToAPriceBuyOneAndTheNextPurchaseIsRefusedInEveryRow()
    {
        CSklepik shop;
        ModalScript script;
        script.Then([&](QWidget*) {
            QTest::keyClick(shop.focusWidget(), Qt::Key_Tab);
            QTest::keyClick(shop.focusWidget(), Qt::Key_Tab); // the large row
            QTest::keyClick(shop.focusWidget(), Qt::Key_Up);
            QTest::keyClick(shop.focusWidget(), Qt::Key_Up); // refused: message below
            QTest::keyClick(shop.m_spinMedium, Qt::Key_Up);
            QTest::keyClick(shop.m_spinSmall, Qt::Key_Up);
            QTest::mouseClick(qobject_cast<QPushButton*>(shop.Control(IDC_CLOSE_SHOP)), Qt::LeftButton);
        });
        for (int i = 0; i < 3; ++i)
            script.Then([](QWidget* box) { PressKey(box, Qt::Key_Return); });
        shop.Serve(TankWith(1, 1000, 0, 0, 0), 2);
        QCOMPARE(shop.m_funds, QStringLiteral("0"));
        QCOMPARE(shop.m_countLarge, QStringLiteral("1"));
        QCOMPARE(shop.m_countMedium, QStringLiteral("0"));
        QCOMPARE(script.seenTexts.mid(1),
                 (QStringList{"Masz za mało pieniędzy,\naby zakupić dużą bombkę !!!",
                              "Masz za mało pieniędzy,\naby zakupić średnią bombkę !!!",
                              "Masz za mało pieniędzy,\naby zakupić małą bombkę !!!"}));
        QCOMPARE(script.seenTitles.mid(1), (QStringList{"Tarnok 3D", "Tarnok 3D", "Tarnok 3D"}));
        QVERIFY(script.Done());
    }

    void refusalsComeWithoutAnIconAndWithOneOkButton()
    {
        CSklepik shop;
        ModalScript script;
        QMessageBox::Icon icon = QMessageBox::Critical;
        int buttons = 0;
        script.Then([&](QWidget*) { QTest::keyClick(shop.m_spinSmall, Qt::Key_Up); });
        script.Then([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            icon = box->icon();
            buttons = box->buttons().size();
            PressKey(modal, Qt::Key_Return);
            PressKey(&shop, Qt::Key_Escape);
        });
        shop.Serve(TankWith(0, 0, 0, 0, 0), 1);
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, 1);
    }

    void onlyThisVisitsPurchasesCanBeTakenBack()
    {
        CSklepik shop;
        ModalScript script;
        QString heldAfter;
        script.Then([&](QWidget*) {
            QTest::keyClick(shop.m_spinSmall, Qt::Key_Down); // holds 5, bought none
        });
        script.Then([&](QWidget* box) {
            PressKey(box, Qt::Key_Return);
            QTest::keyClick(shop.m_spinMedium, Qt::Key_Up);
            QTest::keyClick(shop.m_spinMedium, Qt::Key_Up);
            QTest::keyClick(shop.m_spinMedium, Qt::Key_Down);
            heldAfter = Shown(&shop, IDC_HAVE_SMALL);
            PressKey(&shop, Qt::Key_Return);
        });
        shop.Serve(TankWith(2, 1300, 5, 0, 0), 4);
        QCOMPARE(script.seenTexts.value(1), QStringLiteral("Nie masz małych bombek,\nwięc co chcesz sprzedać ?!?"));
        QCOMPARE(heldAfter, QStringLiteral("5"));
        QCOMPARE(shop.m_countSmall, QStringLiteral("0"));
        QCOMPARE(shop.m_countMedium, QStringLiteral("1"));
        QCOMPARE(shop.m_funds, QStringLiteral("800"));
    }

    void everyWayOfClosingKeepsThePurchases_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Zamknij", "Enter", "Escape", "close box"})
            QTest::newRow(how) << QString::fromUtf8(how);
    }

    void everyWayOfClosingKeepsThePurchases()
    {
        QFETCH(QString, how);
        CSklepik shop;
        ModalScript script;
        script.Then([&](QWidget*) {
            QTest::keyClick(shop.m_spinLarge, Qt::Key_Up);
            QTest::keyClick(shop.m_spinSmall, Qt::Key_Up);
            if (how == "Zamknij")
                QTest::mouseClick(qobject_cast<QPushButton*>(shop.Control(IDC_CLOSE_SHOP)), Qt::LeftButton);
            else if (how == "Enter")
                PressKey(&shop, Qt::Key_Return);
            else if (how == "Escape")
                PressKey(&shop, Qt::Key_Escape);
            else
                shop.close();
        });
        shop.Serve(TankWith(0, 1500, 0, 0, 0), 1);
        QVERIFY(!shop.isVisible());
        QCOMPARE(shop.m_countLarge, QStringLiteral("1"));
        QCOMPARE(shop.m_countSmall, QStringLiteral("1"));
        QCOMPARE(shop.m_funds, QStringLiteral("300"));
        QCOMPARE(script.unexpected, 0);
    }

    void aNewVisitStartsFromZeroCounts()
    {
        CSklepik shop;
        ModalScript script;
        script.Then([&](QWidget*) {
            QTest::keyClick(shop.m_spinSmall, Qt::Key_Up);
            PressKey(&shop, Qt::Key_Escape);
        });
        QString countsShown;
        script.Then([&](QWidget*) {
            countsShown = shop.m_spinSmall->text() + shop.m_spinMedium->text() + shop.m_spinLarge->text();
            PressKey(&shop, Qt::Key_Escape);
        });
        shop.Serve(TankWith(0, 400, 0, 0, 0), 2);
        shop.Serve(TankWith(1, 0, 0, 0, 0), 2);
        QCOMPARE(countsShown, QStringLiteral("000"));
        QCOMPARE(shop.m_countSmall, QStringLiteral("0"));
        QCOMPARE(shop.m_player, QStringLiteral("2"));
    }

    // Funds + counts x prices stays the money brought, whatever is pressed,
    // including focus moves that run the small row's re-check.
    void theMoneyIsConservedAfterAnyRandomSequenceOfSteps()
    {
        CSklepik shop;
        ModalScript script;
        script.Otherwise([](QWidget* box) { PressKey(box, Qt::Key_Return); });
        QRandomGenerator random(20261208);
        const int money = 3700;
        QStringList broken;
        script.Then([&](QWidget*) {
            VetoSpinBox* rows[3] = {shop.m_spinSmall, shop.m_spinMedium, shop.m_spinLarge};
            for (int i = 0; i < 400; ++i) {
                VetoSpinBox* row = rows[random.bounded(3)];
                const int action = random.bounded(10);
                if (action < 4)
                    QTest::keyClick(row, Qt::Key_Up);
                else if (action < 8)
                    QTest::keyClick(row, Qt::Key_Down);
                else if (action < 9)
                    QTest::keyClick(shop.focusWidget(), Qt::Key_Tab);
                else
                    QTest::mouseClick(row, Qt::LeftButton, Qt::NoModifier, QPoint(row->width() - 4, row->height() - 3));
                const int s = shop.m_spinSmall->value(), m = shop.m_spinMedium->value(), l = shop.m_spinLarge->value();
                const int funds = TextToInt(Shown(&shop, IDC_FUNDS));
                if (funds + s * 200 + m * 500 + l * 1000 != money || s < 0 || m < 0 || l < 0 || funds < 0)
                    broken << QStringLiteral("step %1: %2 + %3/%4/%5").arg(i).arg(funds).arg(s).arg(m).arg(l);
            }
            PressKey(&shop, Qt::Key_Escape);
        });
        shop.Serve(TankWith(0, money, 0, 0, 0), 5);
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join('\n')));
        QCOMPARE(TextToInt(shop.m_funds) + TextToInt(shop.m_countSmall) * 200 + TextToInt(shop.m_countMedium) * 500
                     + TextToInt(shop.m_countLarge) * 1000,
                 money);
        QVERIFY(script.seenTitles.size() > 10); // refusals were met and answered
    }

    void helpShowsTheControlsEveryTimeAndClosesWithOkOrEscape()
    {
        CPomoc help;
        ModalScript script;
        QStringList texts;
        auto readTexts = [&](QWidget* modal, int key) {
            QStringList now;
            for (auto* label : modal->findChildren<QLabel*>())
                now << label->text();
            texts << now.join('|');
            PressKey(modal, key);
        };
        script.Then([&](QWidget* m) { readTexts(m, Qt::Key_Return); });
        script.Then([&](QWidget* m) { readTexts(m, Qt::Key_Escape); });
        help.DoModal();
        help.DoModal();
        QCOMPARE(help.windowTitle(), QStringLiteral("Pomoc"));
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts[0], texts[1]);
        QVERIFY(texts[0].startsWith("Zmiana widoku:\nLewy klawisz myszy - obroty kamery\n"));
        QVERIFY(texts[0].contains("+/- - zwiększenie/zmniejszenie siły\nSpacja - strzał"));
        QVERIFY(texts[0].contains("P - szybciej (2×, 4×, 8×, potem znów 1×)"));
        QVERIFY(script.Done());
    }

    void aboutShowsTheIconAuthorsAndNotice()
    {
        CAboutBox about;
        ModalScript script;
        bool iconShown = false;
        QString text;
        script.Then([&](QWidget* modal) {
            auto* icon = qobject_cast<QLabel*>(about.Control(IDC_ABOUT_ICON));
            iconShown = !icon->pixmap().isNull();
            text = about.Label(IDC_ABOUT_TEXT)->text();
            PressKey(modal, Qt::Key_Escape);
        });
        about.DoModal();
        QVERIFY(iconShown);
        QCOMPARE(about.windowTitle(), QStringLiteral("O programie"));
        QCOMPARE(text.split('\n').size(), 5); // title, "Autorzy:", three authors
        QCOMPARE(text.split('\n')[1], QStringLiteral("Autorzy:"));
        QVERIFY(!about.Label(IDC_ABOUT_NOTICE)->text().isEmpty());
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
