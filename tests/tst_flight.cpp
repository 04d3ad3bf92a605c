// A predicted flight is the real one: the computer's predictions and the
// game's shell run the same arithmetic, so they end in the same place, the
// same way, bit for bit. Random fields, winds and aims from a seeded generator.
#include "ai/aimSearch.h"
#include "ai/brain.h"
#include "support/battlefield.h"
#include "world/cCzolg.h"
#include "world/cTeren.h"
#include "world/bombKinds.h"
#include "world/cWiatr.h"
#include "world/flight.h"

#include <QtTest>

#include <map>
#include <random>
#include <tuple>

namespace {

struct RealEnd {
    int result;
    float x, z;
    float sunk; // how far the ground sank where the prediction puts the crater's centre
};

// The game's own flight: Fire, then one Draw per frame until the shell ends,
// on a copy of the field (the crater must not change the next case).
RealEnd FlyForReal(const cTeren& field, const cCzolg& placed, const cWiatr& wind, int kind,
                   int centreX = -1, int centreZ = -1)
{
    cTeren terrain = field;
    cCzolg tank = placed;
    cWiatr w = wind;
    tank.Fire(kind);
    int result = 1;
    for (int n = 0; tank.inFlight && n < 100000; ++n)
        result = tank.Draw(w, terrain);
    const bool inField = centreX >= 0 && centreX <= FIELD_LAST && centreZ >= 0 && centreZ <= FIELD_LAST;
    const float sunk = inField ? field.GetHeight(centreX, centreZ) - terrain.GetHeight(centreX, centreZ) : 0;
    return {result, tank.shell.x, tank.shell.z, sunk};
}

struct Case {
    cTeren terrain;
    cCzolg tank;
    cWiatr wind;
};

void DrawCase(Case& c, std::mt19937& random)
{
    RollingField(c.terrain, random);
    std::uniform_int_distribution<int> place(2, 97);
    const int x = place(random), z = place(random);
    c.tank.ResetForNewGame();
    c.tank.Place(static_cast<float>(x), c.terrain.GetHeight(x, z), static_cast<float>(z));
    c.wind.direction = std::uniform_int_distribution<int>(-359, 359)(random);
    c.wind.strength = std::uniform_int_distribution<int>(0, 10)(random);
}

Sight SightOf(const Case& c)
{
    return Sight::Of(c.terrain, &c.tank, 1, 0, c.wind);
}

} // namespace

class FlightTest : public QObject {
    Q_OBJECT

private slots:
    // Any heading, elevation and power the barrel can hold, 0 and 90 and the
    // limits of power included; shells that land and shells that leave.
    void theHeldStillFlightEndsWhereTheRealShellEnds()
    {
        std::mt19937 random(20261210);
        int landed = 0, left = 0, straightUp = 0;
        for (int n = 0; n < 3000; ++n) {
            Case c;
            DrawCase(c, random);
            c.tank.heading = std::uniform_int_distribution<int>(0, 359)(random);
            const int e = std::uniform_int_distribution<int>(-3, 93)(random);
            c.tank.elevation = std::clamp(e, 0, 90);
            c.tank.power = std::uniform_int_distribution<int>(0, 100)(random);
            const Aim aim{c.tank.heading, c.tank.elevation, c.tank.power, 0};
            const FlightEnd predicted = FlyAim(SightOf(c), aim, c.wind.direction, c.wind.strength);
            const int kind = std::uniform_int_distribution<int>(0, 3)(random);
            c.tank.stock[kind] = 5;
            const RealEnd real = FlyForReal(c.terrain, c.tank, c.wind, kind, static_cast<int>(predicted.x),
                                            static_cast<int>(predicted.z));
            QCOMPARE(predicted.result, real.result);
            QCOMPARE(predicted.x, real.x);
            QCOMPARE(predicted.z, real.z);
            if (real.result == 2) // the crater's centre sinks by the kind's depth, at least
                QVERIFY2(real.sunk > BombDepth(kind) - 0.01f, qPrintable(QString::number(real.sunk)));
            else
                QCOMPARE(real.sunk, 0.0f);
            landed += real.result == 2;
            left += real.result == 0;
            straightUp += c.tank.elevation == 90;
        }
        // The draw must have met both endings and the barrel pointing up.
        QVERIFY2(landed > 500 && left > 500 && straightUp > 50,
                 qPrintable(QString("landed %1 left %2 up %3").arg(landed).arg(left).arg(straightUp)));
    }

    // The search flies the whole grid its own quicker way (trig and heights
    // worked out once per angle); every aim still ends where the real shell does.
    void everyAimOfTheSearchEndsWhereTheRealShellEnds()
    {
        std::mt19937 random(7);
        for (int field = 0; field < 8; ++field) {
            Case c;
            DrawCase(c, random);
            c.tank.heading = std::uniform_int_distribution<int>(0, 359)(random);
            c.tank.elevation = 5 * std::uniform_int_distribution<int>(0, 18)(random);
            c.tank.power = std::uniform_int_distribution<int>(0, 100)(random);
            const Sight sight = SightOf(c);
            std::map<std::tuple<int, int, int>, FlightEnd> searched;
            ForEachLanding(sight, GridFrom(sight.seats[0]), c.wind.direction, c.wind.strength,
                           [&](const Aim& a, const FlightEnd& end) {
                               searched[{a.heading, a.elevation, a.power}] = end;
                           });
            QVERIFY(searched.size() >= 72u * 19u * 21u);
            std::vector<std::tuple<int, int, int>> aims;
            for (const auto& entry : searched)
                aims.push_back(entry.first);
            std::shuffle(aims.begin(), aims.end(), random);
            for (int k = 0; k < 300; ++k) {
                const auto [h, e, p] = aims[k];
                cCzolg tank = c.tank;
                tank.heading = h;
                tank.elevation = e;
                tank.power = p;
                const RealEnd real = FlyForReal(c.terrain, tank, c.wind, 0);
                const FlightEnd& predicted = searched[aims[k]];
                QCOMPARE(predicted.result, real.result);
                QCOMPARE(predicted.x, real.x);
                QCOMPARE(predicted.z, real.z);
            }
        }
    }

    void theGridHoldsWhatTheCommandsReachFromTheBarrel()
    {
        Sight::Seat seat{};
        seat.heading = 357;
        seat.elevation = 90;
        seat.power = 52;
        const AimGrid grid = GridFrom(seat);
        QCOMPARE(grid.headingCount, 72);
        QCOMPARE(grid.headings[0], 357);
        QCOMPARE(grid.headings[1], 2);
        QCOMPARE(grid.elevationCount, 19);
        QCOMPARE(grid.elevations[0], 0);
        QCOMPARE(grid.elevations[18], 90);
        // 52 steps down to 2 and the clamp at 0, up to 97 and the clamp at 100.
        QCOMPARE(grid.powers[0], 0);
        QCOMPARE(grid.powers[1], 2);
        QCOMPARE(grid.powers[grid.powerCount - 2], 97);
        QCOMPARE(grid.powers[grid.powerCount - 1], 100);
    }
};

QTEST_APPLESS_MAIN(FlightTest)
#include "tst_flight.moc"
