// The main window as a player meets it: menu, Ctrl+N, toolbar and its images,
// the bomb selector with its refusal, the status panes, and the keyboard.
#include "support/gameProgram.h"
#include "support/modalScript.h"
#include "support/waitFor.h"

#include "app/MainFrm.h"
#include "doc/kratDoc.h"
#include "dialogs/vetoSpinBox.h"
#include "res/images.h"
#include "res/resource.h"
#include "view/gameState.h"
#include "view/kratView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

// The manual's command and the small bomb's name share no id.
static_assert(ID_HELP_MANUAL != IDS_BOMB_SMALL);

namespace {

QStringList MenuTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

// Picks item index in the bomb selector as a user does: open it, move, Enter.
void ChooseBomb(QComboBox* selector, int index)
{
    QTest::mouseClick(selector, Qt::LeftButton);
    QAbstractItemView* list = selector->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
}

// Runs the event loop until it goes idle once: the panes follow the document
// then (the frame's handler was connected first, so it has run when this returns).

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

    GameProgram* program = nullptr;
    CMainFrame* frame = nullptr;
    ModalScript* script = nullptr;

private slots:
    void initTestCase()
    {
        program = new GameProgram(2, 3);
        frame = program->Frame();
        script = new ModalScript;
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
    }

    // Keys go to the focus window, as on a desktop: the main window gets the
    // focus back after every popup and dialog of the tests (its focus then
    // passes on to the view's own window).
    void init()
    {
        QVERIFY(program->GiveTheKeysToTheFrame());
        script->seenTitles.clear(); // each test sees only its own windows
        script->seenTexts.clear();
        // Every player whole and back to the ordinary bomb, as at a new game.
        QVERIFY(WaitForTurnEnd());
        CKratDoc* doc = program->Doc();
        for (int j = 0; j < playerCount; ++j) {
            tanks[j].energy = 100;
            tanks[j].bombKind = 0;
            tanks[j].stock[1] = tanks[j].stock[2] = tanks[j].stock[3] = 0;
            doc->SetWeaponPlayer(j);
            doc->SelectWeapon(0);
        }
        doc->SetWeaponPlayer(currentPlayer);
        doc->UpdateFromTank(tanks[currentPlayer]);
        frame->SelectBomb(0);
    }

    void cleanupTestCase()
    {
        delete script;
        delete program;
    }

    void theCaptionAndTheMenuAreTheGames()
    {
        QCOMPARE(frame->windowTitle(), QStringLiteral("- Tarnok 3D - "));
        const QList<QAction*> popups = frame->menuBar()->actions();
        QCOMPARE(popups.size(), 2);
        QCOMPARE(popups[0]->text(), QStringLiteral("&Gra"));
        QCOMPARE(popups[1]->text(), QStringLiteral("&Pomoc"));
        QCOMPARE(MenuTexts(popups[0]->menu()),
                 (QStringList{"&Nowa\tCtrl+N", "-", "&Zapisz grę...", "&Wczytaj grę...", "&Obejrzyj powtórkę...", "-",
                              "&Gracze komputerowi...", "&Dźwięk", "-", "&Wyjdz"}));
        QCOMPARE(popups[0]->menu()->actions()[2]->data().toInt(), ID_FILE_SAVE);
        QCOMPARE(popups[0]->menu()->actions()[3]->data().toInt(), ID_FILE_OPEN);
        QCOMPARE(popups[0]->menu()->actions()[4]->data().toInt(), ID_GAME_REPLAY);
        QCOMPARE(popups[0]->menu()->actions()[6]->data().toInt(), ID_GAME_COMPUTER);
        QCOMPARE(MenuTexts(popups[1]->menu()), (QStringList{"&O programie...", "O&pis obsługi programu"}));
        QCOMPARE(frame->Command(ID_FILE_NEW)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        int shortcuts = 0;
        for (QAction* a : frame->findChildren<QAction*>())
            shortcuts += a->shortcut().isEmpty() ? 0 : 1;
        QCOMPARE(shortcuts, 1);
        QCOMPARE(popups[1]->menu()->actions()[1]->data().toInt(), ID_HELP_MANUAL);
    }

    void ctrlNAndTheMenuItemOpenTheNewGameDialogAtTwoAndOne()
    {
        QString start;
        auto answer = [&](QWidget* modal) {
            auto* dialog = static_cast<CPoczatek*>(modal);
            start += dialog->m_spinPlayers->text() + "/" + dialog->m_spinRounds->text() + " ";
            QTest::keyClick(dialog->m_spinPlayers, Qt::Key_Up);
            PressKey(modal, Qt::Key_Return);
        };
        script->Then(answer);
        QTest::keyClick(frame->windowHandle(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(script->Done());
        script->Then(answer);
        frame->Command(ID_FILE_NEW)->trigger();
        QVERIFY(script->Done());
        QCOMPARE(start, QStringLiteral("2/1 2/1 "));
        QCOMPARE(script->seenTitles, (QStringList{"Nowa gra", "Nowa gra"}));
        QVERIFY(QTest::qWaitFor([&] { return program->Doc()->newGamePending == 0; }));
        QCOMPARE(playerCount, 3);
        QCOMPARE(roundsLeft, 1);
    }

    void menuItemsShowTheirPromptsAndReadyOtherwise()
    {
        QMenu* help = frame->menuBar()->actions()[1]->menu();
        help->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(help));
        help->setActiveAction(help->actions()[1]);
        QCOMPARE(frame->Pane(0)->text(), QStringLiteral("Opis obsługi programu"));
        help->setActiveAction(help->actions()[0]);
        QCOMPARE(frame->Pane(0)->text(), QStringLiteral("Informacje o programie"));
        help->close();
        QMenu* game = frame->menuBar()->actions()[0]->menu();
        game->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(game));
        game->setActiveAction(game->actions()[6]);
        QCOMPARE(frame->Pane(0)->text(), QStringLiteral("Wybiera, za których graczy gra komputer"));
        game->setActiveAction(game->actions()[2]);
        QCOMPARE(frame->Pane(0)->text(), QStringLiteral("Zapisuje grę do pliku, by dokończyć ją później"));
        game->setActiveAction(game->actions()[3]);
        QCOMPARE(frame->Pane(0)->text(), QStringLiteral("Wczytuje zapisaną grę i prowadzi ją dalej"));
        game->setActiveAction(game->actions()[4]);
        QCOMPARE(frame->Pane(0)->text(), QStringLiteral("Odtwarza zapisaną grę strzał po strzale"));
        game->close();
        QStatusTipEvent none{QString()};
        QApplication::sendEvent(frame, &none);
        QCOMPARE(frame->Pane(0)->text(), QStringLiteral("Ready"));
    }

    void theToolbarHasTwelveSlotsInOrder()
    {
        QToolBar* bar = frame->m_wndToolBar;
        const QList<QAction*> entries = bar->actions();
        QCOMPARE(entries.size(), 12);
        const int ids[] = {ID_BARREL_LEFT, ID_BARREL_RIGHT, 0, ID_BARREL_UP, ID_BARREL_DOWN, 0,
                           ID_POWER_UP, ID_POWER_DOWN, 0, ID_FIRE, 0, -1};
        for (int i = 0; i < 12; ++i) {
            if (ids[i] > 0)
                QCOMPARE(entries[i]->data().toInt(), ids[i]);
            else if (ids[i] == 0)
                QVERIFY(entries[i]->isSeparator());
            else
                QCOMPARE(bar->widgetForAction(entries[i]), static_cast<QWidget*>(frame->m_bombSelector));
        }
        QComboBox* selector = frame->m_bombSelector;
        QCOMPARE(selector->property("controlId").toInt(), IDC_BOMB_SELECTOR);
        QCOMPARE(selector->width(), 150);
        QVERIFY(!selector->isEditable());
        QStringList items;
        for (int i = 0; i < selector->count(); ++i)
            items << selector->itemText(i);
        QCOMPARE(items, (QStringList{"Bomba zwykła", "Bomba mała", "Bomba średnia", "Bomba duża"}));
        QVERIFY(bar->isMovable() && bar->isFloatable());
        QCOMPARE(bar->allowedAreas(), Qt::AllToolBarAreas);
    }

    void theButtonImagesComeFromOneSixteenColourStrip()
    {
        const QImage strip(QString::fromLatin1(TOOLBAR_BITMAP));
        QCOMPARE(strip.size(), QSize(119, 15));
        QVERIFY(strip.colorCount() > 0 && strip.colorCount() <= 16);
        const QColor black(0, 0, 0), face(192, 192, 192);
        auto at = [&](int image, int x, int y) { return strip.pixelColor(17 * image + x, y); };
        QCOMPARE(at(0, 5, 7), black); // left: the tip at the left
        QCOMPARE(at(0, 14, 7), face);
        QCOMPARE(at(1, 12, 7), black); // right
        QCOMPARE(at(1, 3, 7), face);
        QCOMPARE(at(2, 8, 4), black); // up: narrow at the top
        QCOMPARE(at(2, 4, 4), face);
        QCOMPARE(at(3, 8, 11), black); // down: narrow at the bottom
        QCOMPARE(at(3, 4, 11), face);
        QCOMPARE(at(4, 8, 4), black); // plus
        QCOMPARE(at(4, 4, 4), face);
        QCOMPARE(at(5, 8, 4), face); // minus
        QCOMPARE(at(5, 8, 7), black);
        QCOMPARE(at(6, 8, 7), black); // filled circle
        QCOMPARE(at(6, 1, 1), face);
        QVERIFY(!frame->Command(ID_FIRE)->icon().isNull());
    }

    void buttonsShowTheirPromptsButNoTooltips()
    {
        QToolBar* bar = frame->m_wndToolBar;
        const struct {
            int id;
            const char* prompt;
        } buttons[] = {{ID_BARREL_LEFT, "Obraca lufę w lewo"}, {ID_BARREL_RIGHT, "Obraca lufę w prawo"},
                       {ID_BARREL_UP, "Podnosi lufę"},        {ID_BARREL_DOWN, "Opuszcza lufę"},
                       {ID_POWER_UP, "Zwieksza siłę"},        {ID_POWER_DOWN, "Zmniejsza siłę"},
                       {ID_FIRE, "Strzał"}};
        for (const auto& b : buttons) {
            QWidget* button = bar->widgetForAction(frame->Command(b.id));
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
            QApplication::sendEvent(button, &enter);
            QCOMPARE(frame->Pane(0)->text(), QString::fromUtf8(b.prompt));
            QHelpEvent tip(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(button, &tip);
            QVERIFY(!QToolTip::isVisible());
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(button, &leave);
            QCOMPARE(frame->Pane(0)->text(), QStringLiteral("Ready"));
        }
    }

    void theStatusBarHasElevenPanesWithTheirLabelsAndWidths()
    {
        QStringList labels;
        for (int i : {1, 3, 5, 7, 9})
            labels << frame->Pane(i)->text();
        QCOMPARE(labels, (QStringList{"Energia:", "Siła:", "Kąt poziomy:", "Kąt pionowy:", "Masz tej broni:"}));
        QVERIFY(frame->Pane(10) && !frame->Pane(11));
        for (int i = 1; i < 11; ++i)
            QVERIFY(frame->Pane(i - 1)->x() < frame->Pane(i)->x());
        const int threeDigits = frame->Pane(2)->width();
        for (int i : {4, 6, 10})
            QCOMPARE(frame->Pane(i)->width(), threeDigits);
        QVERIFY(frame->Pane(8)->width() < threeDigits);
        QVERIFY(frame->Pane(9)->width() > frame->Pane(3)->width());
        frame->resize(1100, 600);
        int others = 0;
        const auto paneZeroTakesTheRest = [&] {
            others = 0;
            for (int i = 1; i < 11; ++i)
                others += frame->Pane(i)->width();
            return frame->width() == 1100 && frame->Pane(0)->width() > frame->width() - others - 120;
        };
        // The status bar lays itself out after the resize arrives; a slow machine may take a while.
        QVERIFY2(QTest::qWaitFor(paneZeroTakesTheRest),
                 qPrintable(QStringLiteral("%1 of %2, others %3").arg(frame->Pane(0)->width()).arg(frame->width()).arg(others)));
        frame->resize(480, 360);
    }

    void thePanesFollowEveryKeyCommandAndTurn()
    {
        QVERIFY(WaitForTurnEnd());
        CKratView* view = program->View();
        cCzolg& tank = tanks[currentPlayer];
        tank.power = 10;
        QTest::keyClick(frame->windowHandle(), Qt::Key_Minus);
        WaitUntilIdle();
        QCOMPARE(frame->Pane(4)->text(), QStringLiteral("5"));
        QTest::keyClick(frame->windowHandle(), Qt::Key_Up);
        QTest::keyClick(frame->windowHandle(), Qt::Key_Up);
        WaitUntilIdle();
        QCOMPARE(frame->Pane(8)->text(), QString::number(tank.elevation));
        frame->Command(ID_BARREL_LEFT)->trigger();
        WaitUntilIdle();
        QCOMPARE(frame->Pane(6)->text(), QString::number(tank.heading));
        QCOMPARE(frame->Pane(2)->text(), QStringLiteral("100"));

        const int shooter = currentPlayer;
        tanks[shooter].energy = 40; // the energy pane keeps the value from the turn's start
        WaitUntilIdle();
        QCOMPARE(frame->Pane(2)->text(), QStringLiteral("100"));
        QVERIFY(ShootAway(view));
        QVERIFY(WaitForTurnEnd());
        tanks[currentPlayer].energy = 77;
        WaitUntilIdle();
        QCOMPARE(frame->Pane(2)->text(), QStringLiteral("100"));
        QCOMPARE(frame->Pane(4)->text(), QString::number(tanks[currentPlayer].power));
        QCOMPARE(frame->Pane(10)->text(), QStringLiteral("999"));
        tanks[currentPlayer].energy = 100;
        tanks[shooter].energy = 100;
    }

    void choosingABombWithoutStockIsRefusedAndFallsBackToTheOrdinary()
    {
        QVERIFY(WaitForTurnEnd());
        QString text;
        script->Then([&](QWidget* modal) {
            text = MessageText(modal);
            PressKey(modal, Qt::Key_Return);
        });
        ChooseBomb(frame->m_bombSelector, 3);
        QVERIFY(QTest::qWaitFor([&] { return script->Done(); }));
        QCOMPARE(text, QStringLiteral("Nie możesz użyć tej broni."));
        QCOMPARE(script->seenTitles.last(), QStringLiteral("Tarnok 3D"));
        QCOMPARE(frame->m_bombSelector->currentIndex(), 0);
        QCOMPARE(program->Doc()->GetSelectedWeapon(), 0);
        WaitUntilIdle();
        QCOMPARE(frame->Pane(10)->text(), QStringLiteral("999"));
    }

    void choosingAHeldBombMakesItTheChoiceAndTheKeysStillAim()
    {
        QVERIFY(WaitForTurnEnd());
        CKratDoc* doc = program->Doc();
        tanks[currentPlayer].stock[1] = 3;
        doc->UpdateFromTank(tanks[currentPlayer]); // as at the start of his turn
        ChooseBomb(frame->m_bombSelector, 1);
        QCOMPARE(doc->GetSelectedWeapon(), 1);
        WaitUntilIdle();
        QCOMPARE(frame->Pane(10)->text(), QStringLiteral("3"));
        QVERIFY(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == program->View(); }));

        cCzolg& shooter = tanks[currentPlayer]; // a shell into a hillside may pass the turn at once
        const int before = shooter.heading;
        QTest::keyClick(frame->windowHandle(), Qt::Key_Left);
        QCOMPARE(shooter.heading, (before + 5) % 360);
        QVERIFY(ShootAway(program->View())); // a shell that hurts nobody, for the tests after
        QCOMPARE(shooter.stock[1], 2);
        QCOMPARE(shooter.bombKind, 1);
        QVERIFY(WaitForTurnEnd());
    }

    // A player whose chosen kind ran out finds the ordinary bomb in the
    // selector at his next turn; his tank keeps the kind until it next fires.
    void aKindThatRanOutShowsTheOrdinaryBombAtTheOwnersNextTurn()
    {
        QVERIFY(WaitForTurnEnd());
        CKratDoc* doc = program->Doc();
        const int owner = currentPlayer;
        tanks[owner].stock[2] = 1;
        doc->UpdateFromTank(tanks[owner]); // as at the start of his turn
        ChooseBomb(frame->m_bombSelector, 2);
        QCOMPARE(frame->m_bombSelector->currentIndex(), 2);
        QVERIFY(ShootAway(program->View())); // his last medium bomb
        QVERIFY(WaitForTurnEnd());
        QCOMPARE(tanks[owner].stock[2], 0);
        for (int turn = 0; currentPlayer != owner; ++turn) {
            QVERIFY(turn < playerCount);
            QVERIFY(ShootAway(program->View()));
            QVERIFY(WaitForTurnEnd());
        }
        QCOMPARE(frame->m_bombSelector->currentText(), QStringLiteral("Bomba zwykła"));
        QCOMPARE(frame->m_bombSelector->currentIndex(), 0);
        QCOMPARE(doc->GetSelectedWeapon(), 0);
        WaitUntilIdle();
        QCOMPARE(frame->Pane(10)->text(), QStringLiteral("999"));
        QCOMPARE(tanks[owner].bombKind, 2);
    }

    void keysReachTheViewAfterTheToolbarWasUsed()
    {
        QVERIFY(WaitForTurnEnd());
        QToolBar* bar = frame->m_wndToolBar;
        QTest::mouseClick(bar->widgetForAction(frame->Command(ID_POWER_DOWN)), Qt::LeftButton);
        const int power = tanks[currentPlayer].power;
        QTest::keyClick(frame->windowHandle(), Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(tanks[currentPlayer].power, std::min(power + 5, 100));
    }

    void helpOpensEveryTime()
    {
        const int before = script->seenTitles.count(QStringLiteral("Pomoc"));
        script->Then([](QWidget* modal) { PressKey(modal, Qt::Key_Return); });
        script->Then([](QWidget* modal) { PressKey(modal, Qt::Key_Escape); });
        frame->Command(ID_HELP_MANUAL)->trigger();
        frame->Command(ID_HELP_MANUAL)->trigger();
        QCOMPARE(script->seenTitles.count(QStringLiteral("Pomoc")), before + 2);
    }

    void aboutOpensFromItsCommand()
    {
        script->Then([](QWidget* modal) { PressKey(modal, Qt::Key_Escape); });
        frame->Command(ID_APP_ABOUT)->trigger();
        QCOMPARE(script->seenTitles.last(), QStringLiteral("O programie"));
    }
};

QTEST_MAIN(MainFrameTest)
#include "tst_mainFrame.moc"
