// Without OpenGL the game plays on, blind: with the view's surface format or
// its own context made to fail, every frame still steps the shell once, and
// blasts, turns, round ends with their shop visits and the results happen as
// they do with a picture. The wind drifts unless the surface format failed.
#include "support/field.h"
#include "support/gameProgram.h"
#include "support/modalScript.h"
#include "support/waitFor.h"

#include "res/resource.h"
#include "view/gameState.h"
#include "view/kratView.h"

#include <QTimer>
#include <QtTest>

namespace {

QTimer* WindTimer(CKratView* view)
{
    return view->findChild<QTimer*>(QStringLiteral("windTimer"));
}

} // namespace

class BlindPlayTest : public QObject {
    Q_OBJECT

    void failureRows()
    {
        QTest::addColumn<QByteArray>("failing");
        QTest::addColumn<bool>("windDrifts");
        QTest::newRow("no surface format") << QByteArray("format") << false;
        QTest::newRow("no context of the view's own") << QByteArray("context") << true;
    }

private slots:
    void cleanup()
    {
        qunsetenv("TARNOK_GL_FAILS");
    }

    void aBlindShotStepsOncePerFrameLandsDigsAndPassesTheTurn_data() { failureRows(); }

    void aBlindShotStepsOncePerFrameLandsDigsAndPassesTheTurn()
    {
        QFETCH(QByteArray, failing);
        QFETCH(bool, windDrifts);
        qputenv("TARNOK_GL_FAILS", failing);
        GameProgram program(2, 1);
        CKratView* view = program.View();
        QVERIFY(!view->HasGl());
        QVERIFY(!view->context());
        QCOMPARE(view->pixelFormat, windDrifts ? 1 : 0);
        QCOMPARE(WindTimer(view)->isActive(), windDrifts);

        LevelTheField(0);
        tanks[0].Place(50, 0, 30);
        tanks[1].Place(85, 0, 85);
        const ForeseenShot expected = ForeseeShot(tanks[currentPlayer].heading, 45, 60);
        QCOMPARE(expected.result, 2);

        // The shooter's step count at every frame of the flight, and a tick
        // tried after each: the next frame is pending, so the wind must hold.
        QList<int> steps;
        int windMoves = 0;
        QObject::connect(view, &CKratView::frameDrawn, view, [&] {
            if (tanks[0].hasFired != 1)
                return;
            steps << tanks[0].flightStep;
            const int strength = wind.strength, direction = wind.direction;
            if (view->IsFramePending())
                view->OnTimer(ID_TIMER_WIND);
            if (wind.strength != strength || wind.direction != direction)
                ++windMoves;
        });
        AimAndFire(view, 0, 45, 60);
        QVERIFY(WaitForTurnEnd());

        QVERIFY2(steps.size() >= expected.steps, qPrintable(QString::number(steps.size())));
        for (int i = 0; i < steps.size(); ++i)
            QVERIFY2(steps[i] == std::min(i + 1, expected.steps),
                     qPrintable(QStringLiteral("frame %1 of the flight saw step %2").arg(i + 1).arg(steps[i])));
        QCOMPARE(windMoves, 0);
        QCOMPARE(currentPlayer, 1);
        QCOMPARE(shotFired, 0);
        QVERIFY(terrain.GetHeight(int(expected.x), int(expected.z)) < 0); // the crater
        QCOMPARE(tanks[0].energy, 100);
        QCOMPARE(tanks[1].energy, 100);
        QVERIFY2(program.broken.isEmpty(), qPrintable(program.broken.join('\n')));
    }

    void aBlindGameHurtsTanksAndEndsItsRoundsWithShopsAndResults_data() { failureRows(); }

    void aBlindGameHurtsTanksAndEndsItsRoundsWithShopsAndResults()
    {
        QFETCH(QByteArray, failing);
        qputenv("TARNOK_GL_FAILS", failing);
        GameProgram program(2, 2);
        ModalScript script;
        AnswerEveryModal(script);
        CKratView* view = program.View();
        QVERIFY(!view->HasGl());
        for (int round = 0; round < 2; ++round) {
            ShootSelf(view); // player 1: 30 left
            QVERIFY(WaitForTurnEnd());
            QCOMPARE(currentPlayer, 1);
            QVERIFY(tanks[0].energy == 30 || tanks[0].energy == 31); // the wind may move the shell a hair
            QVERIFY(ShootAway(view));
            QVERIFY(WaitForTurnEnd());
            QCOMPARE(tanks[1].energy, 100);
            ShootSelf(view); // player 1 dies; the round ends
            QVERIFY(WaitForTurnEnd());
            QCOMPARE(currentPlayer, 0);
            QCOMPARE(script.seenTitles.count(QStringLiteral("Sklepik")), 2);
        }
        QVERIFY(script.seenTexts.contains(
            QStringLiteral("Wyniki (wygrane rundy):\nGracz numer 1 - 0\nGracz numer 2 - 2\n")));
        QCOMPARE(script.seenTitles.last(), QStringLiteral("Nowa gra"));
        QCOMPARE(roundsLeft, 1); // the next game (2 players, 1 round) has started
        QVERIFY2(program.broken.isEmpty(), qPrintable(program.broken.join('\n')));
    }
};

QTEST_MAIN(BlindPlayTest)
#include "tst_blindPlay.moc"
