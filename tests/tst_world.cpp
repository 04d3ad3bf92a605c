// Rules of the world model: aiming, bookkeeping, wind, terrain generation,
// shell flight and craters. No GL context is needed: without one, GL calls do nothing.
#include "support/field.h"
#include "world/cCzolg.h"
#include "world/cPocisk.h"
#include "world/cTeren.h"
#include "world/cWiatr.h"

#include <QtTest>

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

// Flies the tank's shell until it ends; returns the last Draw result and counts the steps.
int FlyToEnd(cCzolg& tank, cWiatr& wind, cTeren& terrain, int* steps = nullptr,
             const std::function<void(int)>& eachStep = {})
{
    int result = 1;
    int n = 0;
    while (tank.inFlight && n < 100000) {
        result = tank.Draw(wind, terrain);
        ++n;
        if (eachStep)
            eachStep(n);
    }
    if (steps)
        *steps = n;
    return result;
}

cCzolg TankAt(float x, float y, float z)
{
    cCzolg tank;
    tank.Place(x, y, z);
    return tank;
}

} // namespace

class WorldTest : public QObject {
    Q_OBJECT

private slots:
    void aimingWrapsTheHeadingAndClampsElevationAndPower()
    {
        cCzolg tank;
        tank.ChangeHeading(-5);
        QCOMPARE(tank.heading, 355);
        tank.ChangeHeading(5);
        QCOMPARE(tank.heading, 0);
        tank.ChangeHeading(-725);
        QCOMPARE(tank.heading, 355);

        tank.elevation = 90;
        tank.ChangeElevation(5);
        QCOMPARE(tank.elevation, 90);
        tank.elevation = 0;
        tank.ChangeElevation(-5);
        QCOMPARE(tank.elevation, 0);
        tank.elevation = 3;
        tank.ChangeElevation(-5);
        QCOMPARE(tank.elevation, 0);

        tank.power = 100;
        tank.ChangePower(5);
        QCOMPARE(tank.power, 100);
        tank.power = 0;
        tank.ChangePower(-5);
        QCOMPARE(tank.power, 0);
    }

    void energyOfExactlyZeroLivesAndOneMorePointKills()
    {
        cCzolg tank;
        tank.TakeDamage(-100);
        QCOMPARE(tank.energy, 0);
        QCOMPARE(tank.IsAlive(), 1);
        tank.TakeDamage(-1);
        QCOMPARE(tank.energy, 0);
        QCOMPARE(tank.IsAlive(), 0);
        tank.ReviveForRound();
        QCOMPARE(tank.energy, 100);
        QCOMPARE(tank.IsAlive(), 1);
    }

    void aFreshTankHolds999OrdinaryShellsThatNeverRunDown()
    {
        cCzolg tank;
        QCOMPARE(tank.stock[0], 999);
        QCOMPARE(tank.stock[1] + tank.stock[2] + tank.stock[3], 0);
        QCOMPARE(tank.power, 50);
        QCOMPARE(tank.alive, 1);
        QCOMPARE(tank.energy, 100);
        QCOMPARE(tank.Fire(0), 1);
        QCOMPARE(tank.stock[0], 999);
    }

    void firingCountsDownTheKindAndASecondFireIsRefusedWhileFlying()
    {
        cCzolg tank = TankAt(50, 0, 50);
        tank.stock[2] = 3;
        QCOMPARE(tank.Fire(2), 1);
        QCOMPARE(tank.stock[2], 2);
        QCOMPARE(tank.bombKind, 2);
        QCOMPARE(tank.hasFired, 1);
        QCOMPARE(tank.inFlight, 1);
        const float shellX = tank.shell.x;

        tank.hasFired = 0; // only Fire's own guard is under test here
        QCOMPARE(tank.Fire(2), 0);
        QCOMPARE(tank.stock[2], 2);
        QCOMPARE(tank.hasFired, 0);
        QCOMPARE(tank.shell.x, shellX);
    }

    void theShellStartsAtTheMuzzleAndACopyCarriesTheFlight()
    {
        cCzolg tank = TankAt(50, 2, 50);
        tank.heading = 90;
        tank.elevation = 0;
        tank.Fire(0);
        QVERIFY(std::abs(tank.shell.x - 55) < 1e-3);
        QVERIFY(std::abs(tank.shell.y - 5) < 1e-3);
        QVERIFY(std::abs(tank.shell.z - 50) < 1e-2);

        cCzolg copy = tank;
        QCOMPARE(copy.inFlight, 1);
        QCOMPARE(copy.shell.x, tank.shell.x);
        QCOMPARE(copy.launchPower, 50.0f);
    }

    void placingTakesThePlayersColour()
    {
        cCzolg tank;
        tank.SetPlayer(6);
        tank.Place(10, 1, 20);
        QCOMPARE(tank.colour[0], 1.0f);
        QCOMPARE(tank.colour[1], 0.5f);
        QCOMPARE(tank.colour[2], 0.0f);
        QCOMPARE(tank.GetX(), 10);
        QCOMPARE(tank.GetZ(), 20);
    }

    void windDirectionKeepsTheSignOfItsSumAndStrengthStaysWithin0To10()
    {
        cWiatr wind;
        wind.Change(-5, 0);
        QCOMPARE(wind.direction, -5);
        wind.Change(-355, 0);
        QCOMPARE(wind.direction, 0);
        wind.Change(365, 0);
        QCOMPARE(wind.direction, 5);
        wind.Change(0, -1);
        QCOMPARE(wind.strength, 0);
        wind.strength = 5;
        wind.Change(0, 9);
        QCOMPARE(wind.strength, 10);
    }

    void windDriftsByDirectionFromTheFirstDrawAndStrengthFromTheSecond()
    {
        for (unsigned seed : {1u, 7u, 12345u}) {
            std::srand(seed);
            const int r1 = std::rand();
            const int r2 = std::rand();
            cWiatr wind;
            wind.strength = 5;
            std::srand(seed);
            wind.Drift();
            QCOMPARE(wind.direction, 5 * (r1 % 3 - 1));
            QCOMPARE(wind.strength, 5 + r2 % 3 - 1);
        }
    }

    void terrainDrawsTenPhasesInOrderAndKeepsThemContinuous()
    {
        cTeren terrain;
        time_t before;
        do {
            before = std::time(nullptr);
            terrain.Generate();
        } while (std::time(nullptr) != before);

        std::srand(static_cast<unsigned>(before));
        int draws[10];
        for (int& d : draws)
            d = std::rand() % 360;
        // z-wave: S, D0..D3; x-wave: S', E0..E3
        for (int a = 0; a < 4; ++a)
            for (int b = 0; b < 4; ++b) {
                QCOMPARE(terrain.zPhaseStep[a][b], draws[1 + a]);
                QCOMPARE(terrain.xPhaseStep[b][a], draws[6 + a]);
            }
        int zStart = draws[0];
        int xStart = draws[5];
        for (int a = 0; a < 4; ++a) {
            for (int b = 0; b < 4; ++b) {
                QCOMPARE(terrain.zPhaseStart[a][b], zStart);
                QCOMPARE(terrain.xPhaseStart[b][a], xStart);
            }
            zStart += draws[1 + a]; // never reduced modulo 360
            xStart += draws[6 + a];
        }

        for (int z : {0, 24, 25, 57, 99})
            for (int x : {0, 13, 50, 74, 99}) {
                const int pz = z / 25, px = x / 25;
                const float u = terrain.xPhaseStart[pz][px] + (x % 25) * float(terrain.xPhaseStep[pz][px] / 25.0);
                const float v = terrain.zPhaseStart[pz][px] + (z % 25) * float(terrain.zPhaseStep[pz][px] / 25.0);
                const float expected = float(10 * std::sin(u * 3.141 / 180) * std::sin(v * 3.141 / 180));
                QCOMPARE(terrain.GetHeight(x, z), expected);
                QVERIFY(std::abs(expected) <= 10.0f);
            }
    }

    void twoGenerationsInOneSecondGiveTheSameFieldAndTheSameLaterDraws()
    {
        cTeren first, second;
        int nextFirst = 0, nextSecond = 0;
        time_t before;
        do {
            before = std::time(nullptr);
            first.Generate();
            nextFirst = std::rand();
            second.Generate();
            nextSecond = std::rand();
        } while (std::time(nullptr) != before);
        QVERIFY(std::memcmp(first.heights, second.heights, sizeof first.heights) == 0);
        QCOMPARE(nextFirst, nextSecond);
    }

    void powerZeroDropsFromTheMuzzleAndExplodesWhenHalfAUnitAboveGround()
    {
        cTeren terrain;
        Flatten(terrain, 0);
        cWiatr wind;
        cCzolg tank = TankAt(50, 0, 50);
        tank.power = 0;
        tank.Fire(0);
        int steps = 0;
        QCOMPARE(FlyToEnd(tank, wind, terrain, &steps), 2);
        // muzzle 3 above ground: 3 - t^2/40 < 0.5 first at t = 11
        QCOMPARE(steps, 11);
        QCOMPARE(int(tank.shell.x), 50);
        QCOMPARE(int(tank.shell.z), 55); // heading 0: the muzzle is 5 along +z
        QCOMPARE(tank.inFlight, 0);
        QCOMPARE(terrain.GetHeight(50, 55), -1.0f); // an ordinary bomb digs 1 deep
    }

    // The climb itself is measured on the drawn shell (tst_worldDrawing); here
    // the flight's length: from a muzzle 8 above flat ground at 0 the shell
    // lands in the first step t with 8 + (80 t - t^2) / 40 < 0.5, t = 84.
    void straightUpClimbsPowerSquaredOver160AndFallsBackBesideTheTank()
    {
        cTeren terrain;
        Flatten(terrain, 0);
        cWiatr wind;
        cCzolg tank = TankAt(50, 0, 50);
        tank.power = 80;
        tank.elevation = 90;
        tank.Fire(0);
        const float muzzleY = tank.shell.y;
        int steps = 0;
        const int result = FlyToEnd(tank, wind, terrain, &steps);
        QCOMPARE(result, 2);
        QCOMPARE(steps, 84);
        QVERIFY(std::abs(tank.shell.x - 50) < 0.5f);
        QVERIFY(std::abs(tank.shell.z - 50) < 0.5f); // straight up: the muzzle is above the turret
        QVERIFY(std::abs(muzzleY - 8) < 1e-3f);
    }

    void aMuzzleInsideAHillsideExplodesAtTheFirstStep()
    {
        cTeren terrain;
        Flatten(terrain, 0);
        for (int z = 52; z < 70; ++z)
            for (int x = 40; x < 60; ++x)
                terrain.heights[z][x] = 9;
        cWiatr wind;
        cCzolg tank = TankAt(50, 0, 50);
        tank.Fire(0);
        QCOMPARE(tank.Draw(wind, terrain), 2);
    }

    void aShellLeavingTheFieldEndsWithoutACrater()
    {
        cTeren terrain;
        Flatten(terrain, -10);
        const cTeren before = terrain;
        cWiatr wind;
        cCzolg tank = TankAt(95, -10, 50);
        tank.heading = 90;
        tank.elevation = 45;
        tank.power = 100;
        tank.Fire(0);
        QCOMPARE(FlyToEnd(tank, wind, terrain), 0);
        QVERIFY(tank.shell.x > 99);
        QVERIFY(std::memcmp(before.heights, terrain.heights, sizeof before.heights) == 0);
    }

    void justOutsideTheGridTheShellIsStillTestedAgainstTheEdge()
    {
        cTeren terrain;
        Flatten(terrain, 0);
        cPocisk low;
        low.Launch(0, 0.2f, 0.3f, 40);
        QCOMPARE(low.Step(-0.7f, 0, 0, terrain), 2); // x = -0.5 truncates to column 0
        QCOMPARE(terrain.GetHeight(0, 40), -1.0f);

        cPocisk high;
        high.Launch(0, 0.2f, 5, 40);
        QCOMPARE(high.Step(-0.7f, 0, 0, terrain), 0);
        cPocisk beyond;
        beyond.Launch(0, 99.5f, 5, 40);
        QCOMPARE(beyond.Step(0.2f, 0, 0, terrain), 0); // 99.7 is past the field
        cPocisk inside;
        inside.Launch(0, 98.5f, 5, 40);
        QCOMPARE(inside.Step(0.2f, 0, 0, terrain), 1);
    }

    void raisingElevationOrPowerMidFlightBendsThePathButTurningDoesNot()
    {
        cTeren terrain;
        Flatten(terrain, -10);
        cWiatr wind;
        wind.strength = 7;
        wind.direction = 30;
        auto landing = [&](const std::function<void(cCzolg&)>& midFlight) {
            cCzolg tank = TankAt(20, -10, 20);
            tank.heading = 45;
            tank.elevation = 45;
            tank.power = 60;
            tank.Fire(0);
            for (int i = 0; i < 10; ++i)
                tank.Draw(wind, terrain);
            midFlight(tank);
            cTeren scratch = terrain;
            FlyToEnd(tank, wind, scratch);
            return std::make_pair(tank.shell.x, tank.shell.z);
        };
        const auto plain = landing([](cCzolg&) {});
        const auto turned = landing([](cCzolg& t) { t.ChangeHeading(90); });
        const auto raised = landing([](cCzolg& t) { t.ChangeElevation(20); });
        const auto stronger = landing([](cCzolg& t) { t.ChangePower(30); });
        QCOMPARE(turned, plain);
        QVERIFY(raised != plain);
        QVERIFY(stronger != plain);
    }

    void windOfStrength10AddsAtMostAQuarterHundredthPerStep()
    {
        cTeren terrain;
        Flatten(terrain, -10);
        cWiatr wind;
        wind.strength = 10;
        wind.direction = 90;
        cCzolg tank = TankAt(50, -10, 50);
        tank.power = 0;
        tank.elevation = 90;
        tank.Fire(0);
        const float startX = tank.shell.x;
        tank.Draw(wind, terrain);
        QVERIFY(std::abs(tank.shell.x - startX - 0.0025f) < 1e-5f);
    }
};

QTEST_APPLESS_MAIN(WorldTest)
#include "tst_world.moc"
