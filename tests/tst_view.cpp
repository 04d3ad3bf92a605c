// The 3D view with real key and mouse events: the controls at their limits,
// the flight frame by frame, the wind timer, the mouse camera and the pixels.
#include "support/gameProgram.h"
#include "support/modalScript.h"

#include "app/MainFrm.h"
#include "doc/kratDoc.h"
#include "res/resource.h"
#include "view/gameState.h"
#include "view/kratView.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QAction>
#include <QtTest>

#include <cmath>
#include <cstdlib>

namespace {

void Drag(QWindow* view, Qt::MouseButtons buttons, QPoint from, QPoint step, int messages)
{
    QPoint p = from;
    QMouseEvent start(QEvent::MouseMove, p, view->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &start);
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton})
        if (buttons & b) {
            QMouseEvent press(QEvent::MouseButtonPress, p, view->mapToGlobal(p), b, buttons & b, Qt::NoModifier);
            QApplication::sendEvent(view, &press);
        }
    for (int i = 0; i < messages; ++i) {
        p += step;
        QMouseEvent move(QEvent::MouseMove, p, view->mapToGlobal(p), Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton})
        if (buttons & b) {
            QMouseEvent release(QEvent::MouseButtonRelease, p, view->mapToGlobal(p), b, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(view, &release);
        }
}

int CountPixels(const QImage& image, QRect area, const std::function<bool(QColor)>& test)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

} // namespace

class ViewTest : public QObject {
    Q_OBJECT

    GameProgram* program = nullptr;
    CKratView* view = nullptr;
    ModalScript* script = nullptr;

private slots:
    void initTestCase()
    {
        program = new GameProgram(3, 5, QSize(480, 360));
        view = program->View();
        script = new ModalScript;
        script->Otherwise([](QWidget* modal) { PressKey(modal, Qt::Key_Escape); });
    }

    void cleanupTestCase()
    {
        delete script;
        delete program;
    }

    void init()
    {
        QVERIFY(WaitForTurnEnd());
        for (int slot = 0; slot < 8; ++slot)
            ResetCamera(slot);
    }

    void theArrowKeysTurnTheBarrelAgainstTheToolbarAndStopAtTheLimits()
    {
        cCzolg& tank = tanks[currentPlayer];
        CKratDoc* doc = program->Doc();
        tank.heading = 0;
        program->Frame()->Command(ID_BARREL_LEFT)->trigger();
        QCOMPARE(tank.heading, 355);
        QCOMPARE(doc->shownHorizAngle, 355);
        QTest::keyClick(view, Qt::Key_Left);
        QCOMPARE(tank.heading, 0);
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(tank.heading, 355);
        program->Frame()->Command(ID_BARREL_RIGHT)->trigger();
        QCOMPARE(tank.heading, 0);
        QCOMPARE(doc->shownHorizAngle, 0);

        tank.elevation = 85;
        QTest::keyClick(view, Qt::Key_Up);
        QTest::keyClick(view, Qt::Key_Up);
        program->Frame()->Command(ID_BARREL_UP)->trigger();
        QCOMPARE(tank.elevation, 90);
        QCOMPARE(doc->shownVertAngle, 90);
        tank.elevation = 5;
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Down);
        program->Frame()->Command(ID_BARREL_DOWN)->trigger();
        QCOMPARE(tank.elevation, 0);
        QCOMPARE(doc->shownVertAngle, 0);
    }

    void bothPlusAndBothMinusKeysStepThePowerByFiveWithinZeroTo100()
    {
        cCzolg& tank = tanks[currentPlayer];
        CKratDoc* doc = program->Doc();
        tank.power = 50;
        QTest::keyClick(view, Qt::Key_Equal);                     // the main keyboard's = / + key
        QTest::keyClick(view, Qt::Key_Plus, Qt::ShiftModifier);   // the same key with Shift
        QTest::keyClick(view, Qt::Key_Plus, Qt::KeypadModifier);  // keypad plus
        QCOMPARE(tank.power, 65);
        QCOMPARE(doc->shownPower, 65);
        QTest::keyClick(view, Qt::Key_Minus);
        QTest::keyClick(view, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(tank.power, 55);
        tank.power = 100;
        program->Frame()->Command(ID_POWER_UP)->trigger();
        QTest::keyClick(view, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(tank.power, 100);
        tank.power = 0;
        QTest::keyClick(view, Qt::Key_Minus, Qt::KeypadModifier);
        program->Frame()->Command(ID_POWER_DOWN)->trigger();
        QCOMPARE(tank.power, 0);
        QCOMPARE(doc->shownPower, 0);
        tank.power = 50;
    }

    void anUnrelatedKeyOnlyRedraws()
    {
        const cCzolg before = tanks[currentPlayer];
        QVERIFY(!view->IsFramePending() || DrawNextFrame(view));
        const long long frames = view->FrameCount();
        QTest::keyClick(view, Qt::Key_A); // the key's event loop turn may already draw
        QVERIFY(QTest::qWaitFor([&] { return view->FrameCount() > frames; }));
        const cCzolg& after = tanks[currentPlayer];
        QCOMPARE(after.heading, before.heading);
        QCOMPARE(after.power, before.power);
        QCOMPARE(shotFired, 0);
    }

    void spaceTwiceLaunchesOneShellAndPassesTheTurnOnce()
    {
        const int shooter = currentPlayer;
        tanks[shooter].stock[1] = 3;
        program->Doc()->UpdateFromTank(tanks[shooter]);
        program->Doc()->SelectWeapon(1);
        tanks[shooter].elevation = 90; // straight up: a long flight, whatever the ground
        tanks[shooter].power = 100;
        QTest::keyClick(view, Qt::Key_Space);
        QTest::keyClick(view, Qt::Key_Space);
        QCOMPARE(tanks[shooter].stock[1], 2);
        QCOMPARE(shotFired, 1);
        QVERIFY(WaitForTurnEnd());
        QCOMPARE(currentPlayer, (shooter + 1) % playerCount);
        QCOMPARE(tanks[shooter].stock[1], 2);
    }

    // The frame in which the shell ends already hands the turn on, and the
    // next frame is drawn from the next player's camera.
    void theLandingFramePassesTheTurnAndTheNextFrameUsesTheNextCamera()
    {
        const int shooter = currentPlayer;
        const int next = (shooter + 1) % playerCount;
        camYaw[next] = 90;
        struct Seen {
            int inFlight, player;
            float matrix0;
        };
        QList<Seen> frames;
        auto connection = connect(view, &CKratView::frameDrawn, this, [&] {
            GLfloat m[16];
            glGetFloatv(GL_MODELVIEW_MATRIX, m);
            frames << Seen{tanks[shooter].inFlight, currentPlayer, m[0]};
        });
        AimAndFire(view, 0, 90, 100); // straight up: no hill cuts the flight short
        QVERIFY(WaitForTurnEnd());
        QVERIFY(QTest::qWaitFor([&] { return !view->IsFramePending(); })); // the frame the hand-over asked for
        disconnect(connection);
        int launch = 0; // the aiming keys draw frames too
        while (launch < frames.size() && frames[launch].inFlight == 0)
            ++launch;
        int landing = -1;
        for (int i = launch; i < frames.size(); ++i)
            if (frames[i].inFlight == 0) {
                landing = i;
                break;
            }
        QVERIFY(landing > launch + 5);
        QCOMPARE(frames[landing].player, next);        // passed within the landing frame
        QCOMPARE(frames[landing - 1].player, shooter);
        QVERIFY(std::abs(frames[landing].matrix0 - 1) < 1e-3f); // drawn from the shooter's camera (yaw 0)
        QVERIFY(landing + 1 < frames.size());
        QVERIFY(std::abs(frames[landing + 1].matrix0) < 1e-2f); // then the next player's camera (yaw 90)
    }

    void theWindStaysStillDuringAFlightAndATickDrawsOneFrame()
    {
        AimAndFire(view, 0, 88, 100); // a long climb: more than a second of frames
        const cWiatr before = wind;
        view->OnTimer(ID_TIMER_WIND); // a frame is pending: the tick is not served
        QCOMPARE(wind.direction, before.direction);
        QCOMPARE(wind.strength, before.strength);
        int drifted = 0;
        auto connection = connect(view, &CKratView::frameDrawn, this, [&] {
            if (shotFired && (wind.direction != before.direction || wind.strength != before.strength))
                ++drifted;
        });
        QVERIFY(WaitForTurnEnd());
        disconnect(connection);
        QCOMPARE(drifted, 0);

        QVERIFY(QTest::qWaitFor([&] { return !view->IsFramePending(); }));
        std::srand(4242);
        const int r1 = std::rand(), r2 = std::rand();
        const cWiatr calm = wind;
        const long long framesBefore = view->FrameCount();
        std::srand(4242);
        view->OnTimer(ID_TIMER_WIND);
        QCOMPARE(wind.direction, (calm.direction + 5 * (r1 % 3 - 1)) % 360);
        QCOMPARE(wind.strength, std::clamp(calm.strength + r2 % 3 - 1, 0, 10));
        QVERIFY(view->IsFramePending());
        QVERIFY(QTest::qWaitFor([&] { return view->FrameCount() > framesBefore; }));
        QCOMPARE(view->FrameCount(), framesBefore + 1);
        QVERIFY(!view->IsFramePending()); // the tick's frame asks for no other
    }

    void aFrameWithoutAShotChangesNothing()
    {
        const cTeren field = terrain;
        cCzolg before[8];
        std::copy(std::begin(tanks), std::end(tanks), before);
        const int player = currentPlayer;
        QVERIFY(DrawNextFrame(view));
        QVERIFY(DrawNextFrame(view));
        QCOMPARE(currentPlayer, player);
        QVERIFY(std::memcmp(field.heights, terrain.heights, sizeof field.heights) == 0);
        for (int i = 0; i < playerCount; ++i) {
            QCOMPARE(tanks[i].energy, before[i].energy);
            QCOMPARE(tanks[i].isCurrent, before[i].isCurrent);
            QCOMPARE(tanks[i].y, before[i].y);
        }
        QVERIFY(!view->IsFramePending());
    }

    void aLeftDragTurnsByThreeDegreesPerMessageWithoutClamp()
    {
        const int c = currentPlayer;
        Drag(view, Qt::LeftButton, {200, 100}, {7, 1}, 10);
        QCOMPARE(camYaw[c], 30);
        QCOMPARE(camPitch[c], 60);
        Drag(view, Qt::LeftButton, {200, 200}, {0, -4}, 25); // upwards through 0
        QCOMPARE(camPitch[c], -15);
        ResetCamera(c);
        Drag(view, Qt::LeftButton, {200, 100}, {-5, 0}, 2);
        QCOMPARE(camYaw[c], -6);
        camPitch[c] = -357;
        Drag(view, Qt::LeftButton, {200, 100}, {0, -1}, 1);
        QCOMPARE(camPitch[c], 0); // -360 wraps to 0
        Drag(view, Qt::LeftButton, {200, 100}, {0, 0}, 1); // no movement counts as negative
        QCOMPARE(camPitch[c], -3);
    }

    void aRightDragMovesLevelWithTheGround()
    {
        const int c = currentPlayer;
        Drag(view, Qt::RightButton, {100, 100}, {6, 2}, 4);
        QCOMPARE(camX[c], 70.0f);
        QCOMPARE(camZ[c], 87.0f);
        QCOMPARE(camY[c], 70.0f);
        ResetCamera(c);
        camYaw[c] = 90;
        Drag(view, Qt::RightButton, {100, 100}, {6, 2}, 1);
        QVERIFY(std::abs(camZ[c] - 92) < 1e-3f);
        QVERIFY(camX[c] != 50.0f && std::abs(camX[c] - 50) < 0.01f); // pi taken as 3.141 leaves a residue
        ResetCamera(c);
        Drag(view, Qt::RightButton, {100, 100}, {3, 3}, 1); // a tie counts as vertical
        QCOMPARE(camZ[c], 92.0f);
        Drag(view, Qt::RightButton, {100, 100}, {0, 0}, 1); // no movement: forwards
        QCOMPARE(camZ[c], 87.0f);
    }

    void bothButtonsZoomOnlyOnVerticalDragsButAlwaysRedraw()
    {
        const int c = currentPlayer;
        Drag(view, Qt::LeftButton | Qt::RightButton, {100, 100}, {0, 5}, 2);
        QVERIFY(std::abs(camZ[c] - 93) < 1e-4f);
        QCOMPARE(camX[c], 50.0f);
        QVERIFY(std::abs(camY[c] - (70 + 2 * 3 * std::sin(60 * 3.141 / 180))) < 1e-4f);
        ResetCamera(c);
        QVERIFY(!view->IsFramePending() || DrawNextFrame(view));
        Drag(view, Qt::LeftButton | Qt::RightButton, {100, 100}, {5, 0}, 3);
        Drag(view, Qt::LeftButton | Qt::RightButton, {100, 100}, {4, 4}, 1);
        Drag(view, Qt::LeftButton | Qt::RightButton, {100, 100}, {0, 0}, 1);
        QVERIFY(view->IsFramePending());
        QVERIFY(camZ[c] == 87.0f && camY[c] == 70.0f && camX[c] == 50.0f);
        QCOMPARE(view->mouseButtons, 0);
    }

    void theButtonStateFollowsItsTable()
    {
        QCOMPARE(view->mouseButtons, 0);
        view->OnLButtonDown();
        QCOMPARE(view->mouseButtons, 1);
        view->OnRButtonDown();
        QCOMPARE(view->mouseButtons, 3);
        view->OnLButtonDown();
        QCOMPARE(view->mouseButtons, 3);
        view->OnLButtonUp();
        QCOMPARE(view->mouseButtons, 2);
        view->OnLButtonUp();
        QCOMPARE(view->mouseButtons, 2);
        view->OnRButtonUp();
        QCOMPARE(view->mouseButtons, 0);
    }

    void rResetsOnlyTheCurrentPlayersCameraAndNotTheAim()
    {
        const int c = currentPlayer;
        const int other = (c + 1) % playerCount;
        camYaw[c] = 45;
        camY[c] = 3;
        camYaw[other] = 12;
        tanks[c].heading = 40;
        QTest::keyClick(view, Qt::Key_R);
        QCOMPARE(camYaw[c], 0);
        QCOMPARE(camY[c], 70.0f);
        QCOMPARE(camYaw[other], 12);
        QCOMPARE(tanks[c].heading, 40);
    }

    void theProjectionIs45DegreesEvenForAZeroHeight()
    {
        view->makeCurrent();
        for (auto [w, h] : {std::pair{640, 0}, {800, 600}}) {
            view->OnSize(w, h);
            GLdouble projection[16], modelView[16], expected[16];
            glGetDoublev(GL_PROJECTION_MATRIX, projection);
            glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
            // A 45-degree field of view: cot 22.5 degrees is 1 + sqrt 2. A zero
            // height counts as an aspect of the width itself. Near 0.1, far 1e6.
            const double f = 1 + std::sqrt(2.0), aspect = h == 0 ? 640.0 : 800.0 / 600.0;
            for (double& e : expected)
                e = 0;
            expected[0] = f / aspect;
            expected[5] = f;
            expected[10] = -1.0000002;  // (far + near) / (near - far), to seven places
            expected[11] = -1;
            expected[14] = -0.20000002; // 2 far near / (near - far)
            for (int i = 0; i < 16; ++i) {
                QVERIFY2(std::abs(projection[i] - expected[i]) < 1e-6 * std::max(1.0, std::abs(expected[i])),
                         qPrintable(QStringLiteral("%1: %2").arg(i).arg(projection[i], 0, 'g', 12)));
                QCOMPARE(modelView[i], (i % 5 == 0) ? 1.0 : 0.0);
            }
            GLint viewport[4];
            glGetIntegerv(GL_VIEWPORT, viewport);
            QCOMPARE(viewport[2], int(w * view->devicePixelRatio()));
        }
        GLfloat clear[4];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
        QCOMPARE(clear[3], 0.5f);
        QVERIFY(glIsEnabled(GL_DEPTH_TEST));
        view->OnSize(view->width(), view->height()); // back to the real size, while the context is current
        view->doneCurrent();
    }

    void thePixelsShowTheSkyTheTerrainColoursAndTheWindArrows()
    {
        const int c = currentPlayer;
        camPitch[c] = -80; // looking up into the empty sky
        QImage sky = view->grabFramebuffer();
        QCOMPARE(CountPixels(sky, sky.rect(), [](QColor p) { return p.red() + p.green() + p.blue() > 0; }), 0);

        // From high above the middle: the field fills the view, the arrows in the middle.
        camPitch[c] = 90;
        camX[c] = 50;
        camY[c] = 160;
        camZ[c] = 50;
        for (int i = 0; i < playerCount; ++i)
            tanks[i].Place(5 + 8 * i, 0, 5);
        for (auto& row : terrain.heights)
            for (float& h : row)
                h = -10;
        wind.strength = 10;
        wind.direction = 0;
        QImage low = view->grabFramebuffer();
        const QRect middle(low.width() / 2 - 20, low.height() / 2 - 20, 40, 40);
        QVERIFY(CountPixels(low, middle, [](QColor p) { return p.red() > 180 && p.green() > 180 && p.blue() < 60; }) > 20);
        // Left of the arrows, well inside the square field (it fills 70 % of the height).
        const QPoint ground(low.width() / 2 - low.height() / 4, low.height() / 2);
        const QColor valley = low.pixelColor(ground);
        QVERIFY2(std::abs(valley.red() - 23) <= 2 && std::abs(valley.green() - 128) <= 2 && std::abs(valley.blue() - 23) <= 2,
                 qPrintable(valley.name()));

        for (auto& row : terrain.heights)
            for (float& h : row)
                h = 10;
        wind.strength = 0;
        QImage high = view->grabFramebuffer();
        QCOMPARE(high.pixelColor(ground), QColor(255, 255, 255));
        QCOMPARE(CountPixels(high, middle, [](QColor p) { return p.red() > 180 && p.green() > 180 && p.blue() < 60; }), 0);
        terrain.Generate();
    }
};

QTEST_MAIN(ViewTest)
#include "tst_view.moc"
