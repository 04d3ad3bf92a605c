// The computer player's brain, by behaviour: it hits what it can hit, never
// hurts itself, spends the larger bomb when that kills, falls back to the
// nearest landing when nothing is in reach, re-solves for a drifted wind,
// closes in on a target over a few shots, and leaves the C library's
// generator alone. Every field is built here; every aim is fired for real.
#include "ai/brain.h"
#include "support/field.h"
#include "world/roundRules.h"
#include "world/cCzolg.h"
#include "world/cTeren.h"
#include "world/cWiatr.h"

#include <QtTest>

#include <cmath>
#include <cstdlib>

namespace {

const BrainLevel allLevels[] = {BrainLevel::Latwy, BrainLevel::Sredni, BrainLevel::Trudny, BrainLevel::Mistrz};

struct Battle {
    cTeren terrain;
    cCzolg tanks[8];
    cWiatr wind;
    int count = 0;

    Battle()
    {
        Flatten(terrain, 0);
        wind.direction = 30;
        wind.strength = 6;
    }
    void Put(float x, float z)
    {
        cCzolg& t = tanks[count];
        t.ResetForNewGame();
        t.SetPlayer(count);
        t.Place(x, terrain.GetHeight(static_cast<int>(x), static_cast<int>(z)), z);
        ++count;
    }
    Sight See(int shooter) const { return Sight::Of(terrain, tanks, count, shooter, wind); }

    // Fires the aim as the game does and resolves the blast; returns how the
    // shell ended and leaves where in landX, landZ.
    int Fire(int shooter, const Aim& aim)
    {
        cCzolg& s = tanks[shooter];
        s.heading = aim.heading;
        s.elevation = aim.elevation;
        s.power = aim.power;
        s.Fire(aim.kind);
        int result = 1;
        while (s.inFlight)
            result = s.Draw(wind, terrain);
        landX = s.shell.x;
        landZ = s.shell.z;
        if (result == 2)
            ResolveBlast(tanks, count, shooter, terrain);
        return result;
    }
    float landX = 0, landZ = 0;
};

bool OnTheGrid(const Aim& aim)
{
    return aim.heading % 5 == 0 && aim.heading >= 0 && aim.heading < 360 && aim.elevation % 5 == 0
           && aim.elevation >= 0 && aim.elevation <= 90 && aim.power % 5 == 0 && aim.power >= 0 && aim.power <= 100;
}

} // namespace

class BrainTest : public QObject {
    Q_OBJECT

private slots:
    void mistrzHitsATankItCanHitWhateverTheWind()
    {
        for (int wind = 0; wind < 8; ++wind) {
            Battle b;
            b.wind.direction = 45 * wind - 170;
            b.wind.strength = wind + 3;
            b.Put(25, 30);
            b.Put(70, 64);
            b.Put(20, 85);
            Brain brain(1);
            const Aim aim = brain.Choose(b.See(0), BrainLevel::Mistrz);
            QVERIFY(OnTheGrid(aim));
            QCOMPARE(b.Fire(0, aim), 2);
            QVERIFY2(b.tanks[1].energy < 100 || b.tanks[2].energy < 100, qPrintable(QString::number(wind)));
            QCOMPARE(b.tanks[0].energy, 100);
        }
    }

    // Three shots of every level, from six seeds, keep the shooter whole:
    // with a tank inside the ordinary bomb's reach of it, and with a cliff
    // right in front of its barrel toward the only opponent, where low shots
    // would burst at its feet.
    void noLevelHurtsItself_data()
    {
        QTest::addColumn<bool>("wall");
        QTest::addColumn<QPointF>("opponent");
        QTest::newRow("a tank right beside it") << false << QPointF(55, 53);
        QTest::newRow("behind a wall") << true << QPointF(85, 40);
    }

    void noLevelHurtsItself()
    {
        QFETCH(bool, wall);
        QFETCH(QPointF, opponent);
        for (BrainLevel level : allLevels) {
            for (int seed = 1; seed <= 6; ++seed) {
                Battle b;
                for (int z = 0; wall && z < FIELD_SIZE; ++z)
                    for (int x = 54; x < 57; ++x)
                        b.terrain.heights[z][x] = 30;
                b.Put(50, 50);
                b.Put(opponent.x(), opponent.y());
                Brain brain(seed);
                for (int shot = 0; shot < 3; ++shot) {
                    const Aim aim = brain.Choose(b.See(0), level);
                    const int result = b.Fire(0, aim);
                    brain.NoteLanding(0, b.landX, b.landZ, result);
                    QCOMPARE(b.tanks[0].energy, 100);
                }
            }
        }
    }

    void theLargerBombIsSpentWhenItKillsAndTheOrdinaryWhenThatKillsAlready()
    {
        Battle b;
        b.Put(20, 20);
        b.Put(60, 70);
        b.tanks[0].stock[3] = 1;
        Brain brain(3);
        Aim aim = brain.Choose(b.See(0), BrainLevel::Mistrz);
        QCOMPARE(aim.kind, 3); // the ordinary bomb takes at most 70 of 100
        b.Fire(0, aim);
        QCOMPARE(b.tanks[1].alive, 0);

        Battle weak;
        weak.Put(20, 20);
        weak.Put(60, 70);
        weak.tanks[0].stock[3] = 1;
        weak.tanks[1].energy = 10;
        aim = brain.Choose(weak.See(0), BrainLevel::Mistrz);
        QCOMPARE(aim.kind, 0);
        weak.Fire(0, aim);
        QCOMPARE(weak.tanks[1].alive, 0);
    }

    // The opponent stands inside a ring of rock higher than any shell climbs:
    // no aim reaches him, so the shell goes as near as the rock lets it.
    void withNothingInReachTheShellLandsNearestAnOpponent()
    {
        Battle b;
        const int cx = 70, cz = 70;
        for (int z = 0; z < FIELD_SIZE; ++z)
            for (int x = 0; x < FIELD_SIZE; ++x) {
                const float r = std::hypot(static_cast<float>(x - cx), static_cast<float>(z - cz));
                if (r >= 9.0f && r < 12.0f)
                    b.terrain.heights[z][x] = 200;
            }
        b.Put(20, 25);
        b.Put(cx, cz);
        Brain brain(5);
        const Aim aim = brain.Choose(b.See(0), BrainLevel::Mistrz);
        QCOMPARE(b.Fire(0, aim), 2);
        QCOMPARE(b.tanks[1].energy, 100);
        QCOMPARE(b.tanks[0].energy, 100);
        const float miss = std::hypot(b.landX - cx, b.landZ - cz);
        QVERIFY2(miss < 12.5f, qPrintable(QString::number(miss))); // on the ring's outer face at worst
    }

    void mistrzReSolvesAtFiringWhenTheWindDriftedAndTheOthersKeepTheirAim()
    {
        Battle b;
        b.wind.direction = 0;
        b.wind.strength = 10;
        b.Put(15, 15);
        b.Put(85, 80);
        Brain brain(9);
        const Aim chosen = brain.Choose(b.See(0), BrainLevel::Mistrz);
        const Aim same = brain.AtFiring(b.See(0), BrainLevel::Mistrz, chosen);
        QCOMPARE(same.heading, chosen.heading);
        QCOMPARE(same.power, chosen.power);
        QCOMPARE(same.elevation, chosen.elevation);

        b.wind.direction = -90; // blows the other way now
        const Aim fired = brain.AtFiring(b.See(0), BrainLevel::Mistrz, chosen);
        b.Fire(0, fired);
        QVERIFY(b.tanks[1].energy < 100);

        const Aim person = brain.Choose(b.See(0), BrainLevel::Trudny);
        b.wind.direction = 90;
        const Aim kept = brain.AtFiring(b.See(0), BrainLevel::Trudny, person);
        QCOMPARE(kept.heading, person.heading);
        QCOMPARE(kept.elevation, person.elevation);
        QCOMPARE(kept.power, person.power);
        QCOMPARE(kept.kind, person.kind);
    }

    // Over many seeded players at each level: the fourth shell at the same
    // target lands nearer than the first, and the weaker level's first
    // shell lands farther than the stronger's.
    void aLevelsMissShrinksOverShotsAtTheSameTargetAndWeakerMissesMore()
    {
        double firstMiss[3] = {}, fourthMiss[3] = {};
        const int players = 24;
        for (int l = 0; l < 3; ++l) {
            for (int seed = 1; seed <= players; ++seed) {
                Brain brain(1000 * l + seed);
                for (int shot = 0; shot < 4; ++shot) {
                    Battle b; // the same untouched field for every shot
                    b.wind.direction = 10 * seed;
                    b.wind.strength = seed % 11;
                    b.Put(20, 30);
                    b.Put(75, 60);
                    const Aim aim = brain.Choose(b.See(0), allLevels[l]);
                    QVERIFY(OnTheGrid(aim));
                    QCOMPARE(aim.kind, 0);
                    const int result = b.Fire(0, aim);
                    brain.NoteLanding(0, b.landX, b.landZ, result);
                    QCOMPARE(brain.TargetOf(0), 1);
                    const double miss = std::hypot(b.landX - 75, b.landZ - 60);
                    if (shot == 0)
                        firstMiss[l] += miss / players;
                    if (shot == 3)
                        fourthMiss[l] += miss / players;
                }
            }
            QVERIFY2(fourthMiss[l] < firstMiss[l],
                     qPrintable(QString("level %1: %2 then %3").arg(l).arg(firstMiss[l]).arg(fourthMiss[l])));
        }
        QVERIFY2(firstMiss[0] > firstMiss[2], qPrintable(QString("%1 %2").arg(firstMiss[0]).arg(firstMiss[2])));
    }

    void choosingLeavesTheCLibrarysGeneratorWhereItWas()
    {
        Battle b;
        b.Put(20, 20);
        b.Put(70, 50);
        b.Put(40, 85);
        std::srand(4242);
        const int expected[3] = {std::rand(), std::rand(), std::rand()};
        std::srand(4242);
        Brain brain(11);
        for (BrainLevel level : allLevels) {
            const Aim aim = brain.Choose(b.See(0), level);
            b.wind.direction += 5;
            brain.AtFiring(b.See(0), level, aim);
            brain.NoteLanding(0, 50, 50, 2);
        }
        brain.Forget();
        brain.Reseed(12);
        for (int k = 0; k < 3; ++k)
            QCOMPARE(std::rand(), expected[k]);
    }

    void theSameSeedChoosesTheSameAims()
    {
        Battle b;
        b.Put(20, 20);
        b.Put(70, 50);
        Brain one(77), two(5);
        two.Reseed(77);
        for (BrainLevel level : allLevels) {
            const Aim a = one.Choose(b.See(0), level);
            const Aim c = two.Choose(b.See(0), level);
            QCOMPARE(a.heading, c.heading);
            QCOMPARE(a.elevation, c.elevation);
            QCOMPARE(a.power, c.power);
        }
    }
};

QTEST_APPLESS_MAIN(BrainTest)
#include "tst_brain.moc"
