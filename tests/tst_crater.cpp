// Craters: the lowered centre decides how the disc around it sinks, and no
// point outside the 100 x 100 field is ever touched.
#include "support/field.h"
#include "world/cPocisk.h"
#include "world/cTeren.h"

#include <QtTest>

#include <cstring>

namespace {

enum class Sinking { Everything, NonZeroOnce, CentreOnly };

// What a crater must leave on a flat field, worked out point by point from the
// outcomes the game promises, not from the digging loop itself.
cTeren ExpectedCrater(const cTeren& flat, int cx, int cz, int r, int d, Sinking rule)
{
    cTeren expected = flat;
    expected.heights[cz][cx] -= d;
    if (rule == Sinking::CentreOnly)
        return expected;
    for (int z = 0; z < 100; ++z)
        for (int x = 0; x < 100; ++x) {
            const int a = x - cx, b = z - cz;
            if ((a == 0 && b == 0) || a * a + b * b > r * r)
                continue;
            const bool onAxis = a == 0 || b == 0;
            if (rule == Sinking::Everything)
                expected.heights[z][x] -= onAxis ? 2 * d : d;
            else if (flat.heights[z][x] != 0.0f)
                expected.heights[z][x] -= d;
        }
    return expected;
}

bool SameField(const cTeren& a, const cTeren& b)
{
    return std::memcmp(a.heights, b.heights, sizeof a.heights) == 0;
}

} // namespace

class CraterTest : public QObject {
    Q_OBJECT

private slots:
    void inAValleyEveryPointSinksAndTheAxisLinesSinkTwice()
    {
        cTeren terrain;
        Flatten(terrain, 0);
        const cTeren flat = terrain;
        cPocisk shell;
        shell.DigCrater(50, 50, BombRadius(0), BombDepth(0), terrain);
        QVERIFY(SameField(terrain, ExpectedCrater(flat, 50, 50, 4, 1, Sinking::Everything)));
        QCOMPARE(terrain.GetHeight(50, 54), -2.0f);
        QCOMPARE(terrain.GetHeight(53, 52), -1.0f);
        QCOMPARE(terrain.GetHeight(54, 54), 0.0f);
    }

    void aCentreJustAboveGroundLowersEveryNonZeroPointOnce()
    {
        cTeren terrain;
        Flatten(terrain, 1.5f);
        terrain.heights[51][51] = 0; // exactly 0 stays where it is
        const cTeren before = terrain;
        cPocisk shell;
        shell.DigCrater(50, 50, 4, 1, terrain);
        QVERIFY(SameField(terrain, ExpectedCrater(before, 50, 50, 4, 1, Sinking::NonZeroOnce)));
        QCOMPARE(terrain.GetHeight(51, 51), 0.0f);
        QCOMPARE(terrain.GetHeight(50, 54), 0.5f);
    }

    void onAPeakOrAHighSlopeOnlyTheImpactPointSinks()
    {
        cPocisk shell;
        cTeren high;
        Flatten(high, 9);
        const cTeren highFlat = high;
        shell.DigCrater(30, 70, 6, 2, high);
        QVERIFY(SameField(high, ExpectedCrater(highFlat, 30, 70, 6, 2, Sinking::CentreOnly)));

        cTeren slope;
        for (int z = 0; z < 100; ++z)
            for (int x = 0; x < 100; ++x)
                slope.heights[z][x] = 2 + x * 0.1f;
        const cTeren before = slope;
        shell.DigCrater(40, 40, 8, 4, slope); // centre 6 - 4 = 2 stays above 1
        QVERIFY(SameField(slope, ExpectedCrater(before, 40, 40, 8, 4, Sinking::CentreOnly)));
    }

    void cratersAtTheCornersAndEdgesTouchOnlyPointsOfTheField_data()
    {
        QTest::addColumn<int>("cx");
        QTest::addColumn<int>("cz");
        for (auto [x, z] : {std::pair{0, 0}, {99, 0}, {0, 99}, {99, 99}, {50, 0}, {0, 50}, {99, 50}, {50, 99}, {2, 97}})
            QTest::addRow("%d,%d", x, z) << x << z;
    }

    void cratersAtTheCornersAndEdgesTouchOnlyPointsOfTheField()
    {
        QFETCH(int, cx);
        QFETCH(int, cz);
        for (float level : {0.0f, 7.5f}) {
            cTeren terrain;
            Flatten(terrain, level);
            const cTeren flat = terrain;
            cPocisk shell;
            shell.DigCrater(cx, cz, BombRadius(3), BombDepth(3), terrain);
            const Sinking rule = level - 7 <= 0 ? Sinking::Everything
                               : level - 7 <= 1 ? Sinking::NonZeroOnce : Sinking::CentreOnly;
            QVERIFY(SameField(terrain, ExpectedCrater(flat, cx, cz, 12, 7, rule)));
        }
    }

    void anExplosionDigsByItsKindAndReadsTheGroundBeforeDigging()
    {
        for (int kind = 0; kind < BOMB_KINDS; ++kind) {
            cTeren terrain;
            Flatten(terrain, 0);
            cPocisk shell;
            shell.Launch(kind, 20.7f, 0.2f, 30.9f);
            shell.Explode(terrain);
            QCOMPARE(terrain.GetHeight(20, 30), float(-BombDepth(kind)));
        }
        QCOMPARE(BombRadius(0), 4);
        QCOMPARE(BombRadius(3), 12);
        QCOMPARE(BombDepth(2), 4);
    }
};

QTEST_APPLESS_MAIN(CraterTest)
#include "tst_crater.moc"
