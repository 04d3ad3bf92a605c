// The document: the first new-game dialog, the bomb choice per player, the
// fall-back when a chosen kind runs out, and the status texts it hands out.
#include "support/modalScript.h"

#include "app/krat.h"
#include "doc/kratDoc.h"
#include "dialogs/vetoSpinBox.h"
#include "res/resource.h"

#include <QtTest>

class DocumentTest : public QObject {
    Q_OBJECT

    CKratDoc* doc = nullptr;
    QStringList titlesAtStart;
    int windowsShownAtStart = -1;

    // Back to one known document state: every test runs alone and in any order.
    void Reset()
    {
        doc->newGamePending = 1;
        doc->tankSnapshot = cCzolg();
        for (int j = 0; j < 8; ++j) {
            doc->SetWeaponPlayer(j);
            doc->SelectWeapon(0);
        }
        doc->SetWeaponPlayer(0);
    }

private slots:
    // The document is made once, as the program makes it: its constructor
    // runs the first new-game dialog, answered here with Enter.
    void initTestCase()
    {
        InitResources();
        ModalScript script;
        script.Then([&](QWidget* modal) {
            windowsShownAtStart = 0;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w != modal)
                    ++windowsShownAtStart;
            PressKey(modal, Qt::Key_Return);
        });
        doc = new CKratDoc;
        titlesAtStart = script.seenTitles;
        QVERIFY(doc);
    }

    void init() { Reset(); }

    void theDocumentAsksForTheNewGameBeforeAnyWindowExists()
    {
        QCOMPARE(titlesAtStart, QStringList{"Nowa gra"});
        QCOMPARE(windowsShownAtStart, 0);
        QCOMPARE(doc->newGamePending, 1);
        QCOMPARE(doc->newGameDialog.m_players, QStringLiteral("2"));
    }

    void choicesArePerPlayerAndShowTheSnapshotsStock()
    {
        cCzolg tank;
        tank.stock[2] = 4;
        doc->UpdateFromTank(tank);
        doc->SetWeaponPlayer(3);
        QCOMPARE(doc->SelectWeapon(2), 1);
        QCOMPARE(doc->shownStock, 4);
        doc->SetWeaponPlayer(1);
        QCOMPARE(doc->GetSelectedWeapon(), 0);
        doc->SetWeaponPlayer(3);
        QCOMPARE(doc->GetSelectedWeapon(), 2);
    }

    void aKindThatRanOutFallsBackToTheOrdinaryBombOnlyInTheSnapshot()
    {
        cCzolg tank;
        tank.bombKind = 3;
        tank.stock[3] = 0;
        tank.heading = 35;
        tank.elevation = 10;
        tank.power = 5;
        doc->SetWeaponPlayer(0);
        doc->UpdateFromTank(tank); // with no view yet the selector is simply not there
        QCOMPARE(doc->GetSelectedWeapon(), 0);
        QCOMPARE(doc->tankSnapshot.bombKind, 0);
        QCOMPARE(tank.bombKind, 3);
        QCOMPARE(doc->shownStock, 999);
        QCOMPARE(doc->shownHorizAngle, 35);
        QCOMPARE(doc->shownVertAngle, 10);

        tank.stock[3] = 2;
        doc->UpdateFromTank(tank);
        QCOMPARE(doc->GetSelectedWeapon(), 3);
        QCOMPARE(doc->shownStock, 2);
    }

    void paneTextsArePlainDecimals()
    {
        doc->SetShownPower(5);
        doc->SetShownHorizAngle(355);
        doc->SetShownVertAngle(0);
        doc->SetShownStock(-1);
        doc->tankSnapshot.energy = 30;
        QCOMPARE(doc->OnUpdatePane(ID_PANE_POWER), QStringLiteral("5"));
        QCOMPARE(doc->OnUpdatePane(ID_PANE_HANGLE), QStringLiteral("355"));
        QCOMPARE(doc->OnUpdatePane(ID_PANE_VANGLE), QStringLiteral("0"));
        QCOMPARE(doc->OnUpdatePane(ID_PANE_STOCK), QStringLiteral("-1"));
        QCOMPARE(doc->OnUpdatePane(ID_PANE_ENERGY), QStringLiteral("30"));
        QVERIFY(doc->OnUpdatePane(ID_PANE_POWER_LABEL).isNull());
    }

    // Without a view there is no selector to move: the document's own choice,
    // stock and aim stay exactly as they were.
    void withoutAViewSyncingTheSelectorAndANewDocumentAreHarmless()
    {
        cCzolg tank;
        tank.stock[2] = 3;
        tank.bombKind = 2;
        tank.heading = 15;
        doc->SetWeaponPlayer(4);
        doc->UpdateFromTank(tank);
        doc->SyncWeaponCombo(1);
        QVERIFY(doc->OnNewDocument());
        QCOMPARE(doc->weaponPlayer, 4);
        QCOMPARE(doc->GetSelectedWeapon(), 2);
        QCOMPARE(doc->shownStock, 3);
        QCOMPARE(doc->shownHorizAngle, 15);
        QCOMPARE(doc->tankSnapshot.bombKind, 2);
        doc->SetWeaponPlayer(0);
        QCOMPARE(doc->GetSelectedWeapon(), 0);
    }

    void theNewGameCommandShowsTheDialogAgainAtTwoAndOne()
    {
        ModalScript script;
        QString start;
        script.Then([&](QWidget* modal) {
            start = doc->newGameDialog.m_spinPlayers->text() + "/" + doc->newGameDialog.m_spinRounds->text();
            PressKey(modal, Qt::Key_Escape);
        });
        doc->newGamePending = 0;
        doc->ShowNewGameDialog();
        QCOMPARE(start, QStringLiteral("2/1"));
        QCOMPARE(doc->newGamePending, 1);
    }

    // A game that ends while the new-game dialog is being answered (its loop
    // still unwinding) asks for a new game without opening the dialog twice.
    void aGameEndingBehindTheOpenDialogDoesNotRunItTwice()
    {
        ModalScript script;
        script.Then([&](QWidget* modal) {
            PressKey(modal, Qt::Key_Return);
            doc->newGamePending = 0;
            doc->ShowNewGameDialog();
        });
        QTest::failOnWarning(QRegularExpression(QStringLiteral("Recursive")));
        doc->ShowNewGameDialog();
        QCOMPARE(script.seenTitles, QStringList{"Nowa gra"});
        QCOMPARE(script.unexpected, 0);
        QCOMPARE(doc->newGamePending, 1);
    }

    void cleanupTestCase() { delete doc; }
};

QTEST_MAIN(DocumentTest)
#include "tst_document.moc"
