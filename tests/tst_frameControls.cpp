// The bomb selector as a drop-down list and the game keys with modifiers, in
// the whole program as a player meets it.
#include "support/gameProgram.h"
#include "support/modalScript.h"

#include "app/MainFrm.h"
#include "doc/kratDoc.h"
#include "view/gameState.h"
#include "view/kratView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

namespace {

void TurnWheel(QWidget* widget, int notches)
{
    const QPointF at = QRectF(widget->rect()).center();
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

QStringList ItemsShown(QAbstractItemView* list)
{
    QStringList shown;
    const QRect room = list->viewport()->rect();
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QModelIndex item = list->model()->index(row, 0);
        if (room.contains(list->visualRect(item)))
            shown << item.data().toString();
    }
    return shown;
}

} // namespace

class FrameControlsTest : public QObject {
    Q_OBJECT

    GameProgram* program = nullptr;
    CMainFrame* frame = nullptr;
    ModalScript* script = nullptr;

    void KeyToGame(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(frame->windowHandle(), key, modifiers);
    }

private slots:
    void initTestCase()
    {
        program = new GameProgram(2, 3);
        frame = program->Frame();
        script = new ModalScript;
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
    }

    void init()
    {
        QVERIFY(program->GiveTheKeysToTheFrame());
        QVERIFY(WaitForTurnEnd());
    }

    void cleanup()
    {
        frame->m_bombSelector->hidePopup(); // a failed check leaves the list open
        frame->SelectBomb(0);
    }

    void cleanupTestCase()
    {
        delete script;
        delete program;
    }

    void theListOpensBelowTheSelectorWithAllFourKindsInOrder_data()
    {
        QTest::addColumn<int>("chosen");
        for (int kind = 0; kind < 4; ++kind)
            QTest::newRow(qPrintable(QString::number(kind))) << kind;
    }

    // Opened over the box and centred on the chosen kind, the list put
    // another kind under the pointer where "Bomba zwykła" usually sits; and
    // it takes the room the toolbar reserves for it.
    void theListOpensBelowTheSelectorWithAllFourKindsInOrder()
    {
        QFETCH(int, chosen);
        QComboBox* selector = frame->m_bombSelector;
        frame->SelectBomb(chosen);
        QTest::mouseClick(selector, Qt::LeftButton);
        QAbstractItemView* list = selector->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        const int boxBottom = selector->mapToGlobal(QPoint(0, selector->height())).y();
        const QRect popup = list->window()->geometry();
        QVERIFY2(popup.top() >= boxBottom - 1, qPrintable(QStringLiteral("list at %1, box ends at %2").arg(popup.top()).arg(boxBottom)));
        QCOMPARE(ItemsShown(list), (QStringList{"Bomba zwykła", "Bomba mała", "Bomba średnia", "Bomba duża"}));
        // The toolbar reserves 125 pixels from the box's top for the opened list.
        const int boxTop = selector->mapToGlobal(QPoint(0, 0)).y();
        QCOMPARE(popup.bottom() + 1 - boxTop, 125);
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([&] { return !list->window()->isVisible(); }));
        QCOMPARE(selector->currentIndex(), chosen);
        frame->SelectBomb(0);
    }

    // The wheel once walked through the kinds and refused each one not in stock.
    void aWheelOverTheClosedSelectorChangesNothing()
    {
        QComboBox* selector = frame->m_bombSelector;
        tanks[currentPlayer].stock[2] = 4;
        program->Doc()->UpdateFromTank(tanks[currentPlayer]);
        const int seen = script->seenTitles.size();
        for (int notches : {-1, -1, -1, 1, 1, -3, 3}) {
            TurnWheel(selector, notches);
            QCoreApplication::processEvents();
        }
        QCOMPARE(selector->currentIndex(), 0);
        QCOMPARE(program->Doc()->GetSelectedWeapon(), 0);
        QCOMPARE(script->seenTitles.size(), seen); // no refusal box
        QVERIFY(!selector->view()->window()->isVisible());
    }

    // Alt+arrow is a menu key, so the barrel stays; Ctrl and Shift leave an
    // arrow an arrow.
    void onlyKeysWithoutAltAimTheTank()
    {
        cCzolg& tank = tanks[currentPlayer];
        tank.heading = 100;
        tank.elevation = 40;
        tank.power = 50;
        KeyToGame(Qt::Key_Left, Qt::AltModifier);
        KeyToGame(Qt::Key_Up, Qt::AltModifier);
        KeyToGame(Qt::Key_Plus, Qt::AltModifier | Qt::KeypadModifier);
        KeyToGame(Qt::Key_Space, Qt::AltModifier);
        QCOMPARE(tank.heading, 100);
        QCOMPARE(tank.elevation, 40);
        QCOMPARE(tank.power, 50);
        QCOMPARE(shotFired, 0);
        KeyToGame(Qt::Key_Left, Qt::ControlModifier);
        KeyToGame(Qt::Key_Left, Qt::ShiftModifier);
        KeyToGame(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        KeyToGame(Qt::Key_Plus, Qt::ShiftModifier);
        KeyToGame(Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
        KeyToGame(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(tank.heading, 110);
        QCOMPARE(tank.elevation, 45);
        QCOMPARE(tank.power, 55);
    }

    void altWithALetterOpensItsMenuAndCtrlNStaysTheNewGame()
    {
        QMenu* game = frame->menuBar()->actions()[0]->menu();
        KeyToGame(Qt::Key_G, Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return game->isVisible(); }));
        QTest::keyClick(game, Qt::Key_Escape);
        QTest::keyClick(frame->menuBar(), Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([&] { return !game->isVisible(); }));

        script->Then([](QWidget* modal) { PressKey(modal, Qt::Key_Return); });
        QVERIFY(program->GiveTheKeysToTheFrame());
        KeyToGame(Qt::Key_N, Qt::ControlModifier);
        QVERIFY(script->Done());
        QCOMPARE(script->seenTitles.last(), QStringLiteral("Nowa gra"));
    }
};

QTEST_MAIN(FrameControlsTest)
#include "tst_frameControls.moc"
