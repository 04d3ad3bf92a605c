// What the world objects emit into a real GL context: the terrain mesh and
// its colours, the tank's parts and highlight, the wind's arrowheads, and the
// model-view matrix each draw must leave as it found it.
#include "support/field.h"
#include "glTestContext.h"

#include "world/cCzolg.h"
#include "world/cTeren.h"
#include "world/cWiatr.h"

#include <GL/gl.h>

#include <QtTest>

namespace {

bool Near(float a, float b, float tolerance = 1e-3f)
{
    return std::abs(a - b) <= tolerance;
}

bool SameMatrix(const std::vector<float>& a, const std::vector<float>& b)
{
    for (size_t i = 0; i < a.size(); ++i)
        if (!Near(a[i], b[i], 1e-4f))
            return false;
    return true;
}

void LoadSomeMatrix()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(60, 1, 0, 0);
    glRotatef(33, 0, 1, 0);
    glTranslatef(-50, -70, -87);
}

} // namespace

class WorldDrawingTest : public QObject {
    Q_OBJECT

    GlTestContext gl;

private slots:
    void initTestCase() { QVERIFY2(gl.isValid(), "no GL context: run under X (xvfb-run)"); }

    void theTerrainEmitsTheSkirtThenBothSurfaceHalvesInOneOpenBatch()
    {
        cTeren terrain;
        for (int z = 0; z < 100; ++z)
            for (int x = 0; x < 100; ++x)
                terrain.heights[z][x] = float((x * 7 + z * 3) % 21 - 10);
        const auto polygons = CaptureFeedback([&] {
            terrain.Draw();
            glEnd(); // the caller closes the batch
        });
        QCOMPARE(int(polygons.size()), 4 * 99 * 2 + 2 * 99 * 99);

        // First skirt triangle on the x = 0 edge, dark red.
        const auto& first = polygons[0];
        QVERIFY(Near(first[0].x, 0) && Near(first[0].y, -10) && Near(first[0].z, 0));
        QVERIFY(Near(first[1].y, terrain.heights[0][0]));
        QVERIFY(Near(first[2].z, 1));
        QVERIFY(Near(first[0].r, 0.2f) && Near(first[0].g, 0) && Near(first[0].b, 0));
        // Third triangle: the same two on the x = 99 edge.
        QVERIFY(Near(polygons[2][0].x, 99));
        // Skirt along z = 0 starts after 4 * 99 triangles.
        QVERIFY(Near(polygons[4 * 99][0].z, 0) && Near(polygons[4 * 99][2].x, 1));

        // Surface, first half: (x, z), (x+1, z), (x, z+1).
        const auto& surface = polygons[8 * 99];
        QVERIFY(Near(surface[0].x, 0) && Near(surface[0].z, 0));
        QVERIFY(Near(surface[1].x, 1) && Near(surface[1].z, 0));
        QVERIFY(Near(surface[2].x, 0) && Near(surface[2].z, 1));
        // Second half starts at row 1: (x, z), (x+1, z), (x+1, z-1).
        const auto& second = polygons[8 * 99 + 99 * 99];
        QVERIFY(Near(second[0].z, 1) && Near(second[2].x, 1) && Near(second[2].z, 0));
    }

    void terrainColoursRunFromGreenValleysThroughGreyAndPalePurpleToWhitePeaks()
    {
        for (auto [height, r, g, b] : {std::tuple{-10.0f, 2 / 22.0f, 0.5f, 2 / 22.0f},
                                       {0.0f, 12 / 22.0f, 0.5f, 12 / 22.0f},
                                       {10.0f, 1.0f, 1.0f, 1.0f},
                                       {6.0f, 18 / 22.0f, 18 / 22.0f, 18 / 22.0f}}) {
            cTeren terrain;
            Flatten(terrain, height);
            const auto polygons = CaptureFeedback([&] {
                terrain.Draw();
                glEnd();
            });
            const auto& v = polygons[8 * 99 + 500][1];
            QVERIFY2(Near(v.r, r) && Near(v.g, g) && Near(v.b, b), qPrintable(QString::number(height)));
        }
    }

    void aLivingCurrentTankIsHighlightedWhiteAndAGraveNever()
    {
        cTeren terrain;
        cWiatr wind;
        cCzolg tank;
        tank.SetPlayer(1);
        tank.Place(10, 0, 10);
        auto diffuseAfterDraw = [&] {
            tank.Draw(wind, terrain);
            GLfloat diffuse[4];
            glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
            return std::vector<float>(diffuse, diffuse + 3);
        };
        QCOMPARE(diffuseAfterDraw(), (std::vector<float>{0, 0, 1}));
        tank.BeginTurn();
        QCOMPARE(diffuseAfterDraw(), (std::vector<float>{1, 1, 1}));
        tank.alive = 0;
        QCOMPARE(diffuseAfterDraw(), (std::vector<float>{0, 0, 1}));
        GLfloat ambient[4];
        glGetMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
        QCOMPARE(ambient[2], 0.5f);
    }

    void aTankIsAHullTurretAndBarrelWhileAGraveIsTwoBoxes()
    {
        cTeren terrain;
        cWiatr wind;
        cCzolg tank;
        tank.Place(10, 1, 20);
        const auto living = CaptureFeedback([&] { tank.Draw(wind, terrain); });
        tank.alive = 0;
        const auto grave = CaptureFeedback([&] { tank.Draw(wind, terrain); });
        // Two boxes of six quads (Mesa reports quads as polygons of 4 or as 2 triangles).
        QVERIFY(grave.size() == 12 || grave.size() == 24);
        float top = -100;
        for (const auto& p : grave)
            for (const auto& v : p)
                top = std::max(top, v.y);
        QVERIFY(Near(top, 8)); // post reaches 7 above the ground at y = 1
        // Hull plus a 32 x 32 sphere and cylinder: many more primitives, all near the tank.
        QVERIFY(living.size() > 1000);
        for (const auto& p : living)
            for (const auto& v : p)
                QVERIFY(std::abs(v.x - 10) <= 5.1f && std::abs(v.z - 20) <= 5.1f);
    }

    void theBarrelPointsAlongItsHeadingAndElevation()
    {
        cTeren terrain;
        cWiatr wind;
        cCzolg tank;
        tank.Place(50, 0, 50);
        tank.heading = 90;
        tank.elevation = 0;
        float maxX = 0;
        for (const auto& p : CaptureFeedback([&] { tank.Draw(wind, terrain); }))
            for (const auto& v : p)
                maxX = std::max(maxX, v.x);
        QVERIFY(Near(maxX, 55, 0.05f)); // the muzzle, 5 along +x
        tank.heading = 0;
        tank.elevation = 90;
        float maxY = 0;
        for (const auto& p : CaptureFeedback([&] { tank.Draw(wind, terrain); }))
            for (const auto& v : p)
                maxY = std::max(maxY, v.y);
        QVERIFY(Near(maxY, 8, 0.05f));
    }

    void windShowsOneArrowheadPerTwoPointsOfStrengthRoundedUp()
    {
        cWiatr wind;
        auto count = [&](int strength) {
            wind.strength = strength;
            return int(CaptureFeedback([&] { wind.Draw(); }).size());
        };
        const int one = count(1);
        QVERIFY(one >= 8);
        QCOMPARE(count(0), 0);
        QCOMPARE(count(2), one);
        QCOMPARE(count(3), 2 * one);
        QCOMPARE(count(10), 5 * one);
    }

    void theWindIndicatorFloatsAboveTheMiddleAndTurnsWithTheWind()
    {
        cWiatr wind;
        wind.strength = 1;
        wind.direction = 90;
        float maxX = -100;
        for (const auto& p : CaptureFeedback([&] { wind.Draw(); }))
            for (const auto& v : p) {
                maxX = std::max(maxX, v.x);
                QVERIFY(v.y >= 19.99f && v.y <= 22.01f);
            }
        QVERIFY(Near(maxX, 51, 0.01f)); // the tip at c + 1 = 1, turned toward +x
    }

    void everyDrawLeavesTheModelViewMatrixAsItFoundIt()
    {
        cTeren terrain;
        terrain.Generate();
        cWiatr wind;
        wind.strength = 10;
        wind.direction = -35;
        cCzolg tank;
        tank.Place(33.5f, 4.25f, 71);
        tank.heading = 125;
        tank.elevation = 65;
        tank.Fire(3);

        LoadSomeMatrix();
        const auto before = ModelView();
        tank.Draw(wind, terrain);
        QVERIFY(SameMatrix(before, ModelView()));
        tank.alive = 0;
        tank.Draw(wind, terrain);
        QVERIFY(SameMatrix(before, ModelView()));
        wind.Draw();
        QVERIFY(SameMatrix(before, ModelView()));
        terrain.Draw();
        glEnd();
        QVERIFY(SameMatrix(before, ModelView()));
        tank.shell.Explode(terrain);
        QVERIFY(SameMatrix(before, ModelView()));
        GLint depth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        QCOMPARE(depth, 1);
    }

    // Straight up at power 80 the drawn shell climbs 80^2 / 160 = 40 above the
    // muzzle: its sphere's centre, read from every step's feedback, peaks there.
    void aShellStraightUpPeaksAtPowerSquaredOver160AboveTheMuzzle()
    {
        cTeren terrain;
        Flatten(terrain, 0);
        cWiatr calm;
        cCzolg tank;
        tank.Place(50, 0, 50);
        tank.power = 80;
        tank.elevation = 90;
        tank.Fire(0);
        const float muzzle = tank.shell.y;
        float peak = 0;
        int steps = 0;
        while (tank.inFlight && steps < 1000) {
            ++steps;
            float top = -1e9f, bottom = 1e9f; // of the shell: everything above the tank's 8.5
            for (const auto& p : CaptureFeedback([&] { tank.Draw(calm, terrain); }))
                for (const auto& v : p)
                    if (v.y > 9) {
                        top = std::max(top, v.y);
                        bottom = std::min(bottom, v.y);
                    }
            if (top > bottom)
                peak = std::max(peak, (top + bottom) / 2 - muzzle);
        }
        QVERIFY2(Near(peak, 40, 0.01f), qPrintable(QString::number(peak)));
    }

    void theShellIsDrawnInItsKindsColourAndTheFireballYellow()
    {
        cTeren terrain;
        Flatten(terrain, 0);
        cPocisk shell;
        shell.Launch(1, 40, 30, 40);
        const auto flying = CaptureFeedback([&] { QCOMPARE(shell.Step(0, 0, 0, terrain), 1); });
        QVERIFY(!flying.empty());
        GLfloat diffuse[4];
        glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
        QCOMPARE(diffuse[2], 0.8f);
        QCOMPARE(diffuse[0], 0.0f);
        shell.Launch(3, 40.5f, 0.2f, 40.5f);
        float radius = 0;
        for (const auto& p : CaptureFeedback([&] { QCOMPARE(shell.Step(0, 0, 0, terrain), 2); }))
            for (const auto& v : p)
                radius = std::max(radius, std::hypot(v.x - 40, v.y, v.z - 40));
        QVERIFY(Near(radius, 12, 0.05f)); // the fireball of a large bomb
        glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
        QCOMPARE(diffuse[0], 0.8f);
        QCOMPARE(diffuse[1], 0.8f);
        QCOMPARE(diffuse[2], 0.0f);
    }
};

QTEST_MAIN(WorldDrawingTest)
#include "tst_worldDrawing.moc"
