// The game's events heard where they happen: the real program plays shots
// into the sound library's loopback device (real mixing state, no sound
// card), and the test reads back what sounds where. Also: the listener is
// the scene's own camera, the menu's switch and its remembered choice, and
// a game without any sound device that plays on.
#include "support/field.h"
#include "support/gameProgram.h"
#include "support/modalScript.h"
#include "support/waitFor.h"
#include "glTestContext.h"

#include "app/MainFrm.h"
#include "app/commandLine.h"
#include "app/gameSettings.h"
#include "app/krat.h"
#include "app/soundSwitch.h"
#include "audio/gameSound.h"
#include "doc/kratDoc.h"
#include "res/resource.h"
#include "view/frame.h"
#include "view/gameState.h"
#include "view/kratView.h"

#include <GL/gl.h>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

bool At(const GameSound::Playing& p, float x, float y, float z)
{
    return std::abs(p.position[0] - x) < 1e-3f && std::abs(p.position[1] - y) < 1e-3f
           && std::abs(p.position[2] - z) < 1e-3f;
}

QString Describe(const std::vector<GameSound::Playing>& playing)
{
    QStringList parts;
    for (const GameSound::Playing& p : playing)
        parts << QStringLiteral("%1 at (%2, %3, %4)")
                     .arg(int(p.effect))
                     .arg(p.position[0])
                     .arg(p.position[1])
                     .arg(p.position[2]);
    return parts.join(QStringLiteral("; "));
}

int CountOf(const std::vector<GameSound::Playing>& playing, Effect effect)
{
    int n = 0;
    for (const GameSound::Playing& p : playing)
        n += p.effect == effect;
    return n;
}

const GameSound::Playing* Find(const std::vector<GameSound::Playing>& playing, Effect effect)
{
    for (const GameSound::Playing& p : playing)
        if (p.effect == effect)
            return &p;
    return nullptr;
}

// Tanks where the test wants them, on a level field, all at full energy.
void StandTanks(const std::vector<QPoint>& places)
{
    LevelTheField(10);
    for (int i = 0; i < playerCount; ++i) {
        tanks[i].Place(float(places[i].x()), 10, float(places[i].y()));
        tanks[i].energy = 100;
        tanks[i].heading = 0; // a barrel pointing up leans no way
    }
    wind.strength = 0;
}

// The listener as the scene's transform for the player's camera places the
// eye, read from the model-view matrix GL built: the rows of its rotation are
// the eye's axes, and the position undoes its translation.
ListenerPlacement EyeOfTheModelView(const std::vector<float>& m)
{
    ListenerPlacement eye;
    for (int k = 0; k < 3; ++k) {
        eye.at[k] = -m[4 * k + 2];
        eye.up[k] = m[4 * k + 1];
        eye.position[k] = -(m[4 * k] * m[12] + m[4 * k + 1] * m[13] + m[4 * k + 2] * m[14]);
    }
    return eye;
}

bool SamePlacement(const ListenerPlacement& a, const ListenerPlacement& b, float tolerance)
{
    for (int k = 0; k < 3; ++k)
        if (std::abs(a.position[k] - b.position[k]) > tolerance || std::abs(a.at[k] - b.at[k]) > 1e-4f
            || std::abs(a.up[k] - b.up[k]) > 1e-4f)
            return false;
    return true;
}

ListenerPlacement CameraOf(int slot)
{
    return CameraListener(camPitch[slot], camYaw[slot], camRoll[slot], camX[slot], camY[slot], camZ[slot]);
}

// The player's shot straight down onto his own tank with the bomb kind.
void ShootSelfWith(CKratView* view, int kind)
{
    tanks[currentPlayer].stock[kind] = 3;
    view->GetDocument()->tankSnapshot = tanks[currentPlayer];
    view->GetDocument()->SelectWeapon(kind);
    ShootSelf(view);
}

// A game whose view plays into the loopback sound, switched on; the sound
// comes first, so that it outlives the view that plays into it.
struct HeardGame {
    GameSound sound{GameSound::Loopback};
    GameProgram program;
    CKratView* view;

    explicit HeardGame(int players)
        : program(players, 1)
        , view(program.View())
    {
        sound.SetEnabled(true);
        view->SetSound(&sound);
    }
};

} // namespace

class SoundInGameTest : public QObject {
    Q_OBJECT

private slots:
    void theListenerFacesAsTheSceneTransformPlacesTheEye()
    {
        GlTestContext gl;
        QVERIFY(gl.isValid());
        const int cameras[][3] = {{60, 0, 0}, {0, 90, 0}, {35, -120, 0}, {-20, 200, 15}, {89, 45, -30}};
        for (const auto& c : cameras) {
            camPitch[7] = c[0];
            camYaw[7] = c[1];
            camRoll[7] = c[2];
            camX[7] = 12.5f;
            camY[7] = 44;
            camZ[7] = -3;
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            ApplyCamera(7);
            const ListenerPlacement eye = EyeOfTheModelView(ModelView());
            QVERIFY2(SamePlacement(CameraOf(7), eye, 1e-3f),
                     qPrintable(QStringLiteral("camera %1 %2 %3").arg(c[0]).arg(c[1]).arg(c[2])));
        }
        ResetCamera(7);
    }

    void theShotSoundsAtTheMuzzleAndTheWhistleFollowsTheShellFromTheCamera()
    {
        HeardGame game(2);
        GameSound& sound = game.sound;
        CKratView* view = game.view;
        StandTanks({{30, 30}, {70, 70}});
        camX[0] = 20; // the first player has looked round
        camYaw[0] = 40;

        int followed = 0;
        QStringList wrong;
        QObject::connect(view, &CKratView::frameDrawn, view, [&] {
            const cCzolg& shooter = tanks[0];
            const std::vector<GameSound::Playing> playing = sound.NowPlaying();
            const GameSound::Playing* whistle = Find(playing, Effect::Flight);
            if (shooter.IsInFlight()) {
                ++followed;
                if (!SamePlacement(sound.Listener(), CameraOf(0), 1e-4f))
                    wrong << QStringLiteral("the listener is not at the first player's camera");
                if (!whistle || !At(*whistle, shooter.shell.x, shooter.ShellHeight(), shooter.shell.z))
                    wrong << QStringLiteral("flying, heard: ") + Describe(playing);
            } else if (whistle) {
                wrong << QStringLiteral("the whistle after the landing");
            }
        });

        tanks[0].elevation = 90;
        tanks[0].power = 40;
        view->RequestFire(); // no frame yet: the shell is still at the muzzle
        std::vector<GameSound::Playing> playing = sound.NowPlaying();
        QCOMPARE(int(playing.size()), 1);
        QVERIFY(playing[0].effect == Effect::Shot);
        QVERIFY(At(playing[0], tanks[0].shell.x, tanks[0].shell.y, tanks[0].shell.z));
        QVERIFY(std::abs(playing[0].position[1] - (10 + 3 + 5)) < 1e-3f); // the muzzle of a barrel pointing up

        QVERIFY(WaitForTurnEnd());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
        QVERIFY2(followed > 10, qPrintable(QString::number(followed)));
        playing = sound.NowPlaying();
        QCOMPARE(CountOf(playing, Effect::Flight), 0);
        QCOMPARE(CountOf(playing, Effect::BlastOrdinary), 1);
        QCOMPARE(CountOf(playing, Effect::Wreck), 0);
        QVERIFY(tanks[0].energy > 0 && tanks[0].energy < 100); // it came down on its own tank
        // The next frame is the second player's, and so is the ear.
        QVERIFY(DrawNextFrame(view));
        QVERIFY(SamePlacement(sound.Listener(), CameraOf(1), 1e-4f));
    }

    void everyBombKindBlastsAtItsCraterAndEveryDestroyedTankCrashesAtItsWreck()
    {
        HeardGame game(5);
        GameSound& sound = game.sound;
        CKratView* view = game.view;
        ModalScript script; // no dialog may open: the round goes on throughout
        // Player 4 stands 4 units beside player 1: the large bomb takes both.
        StandTanks({{20, 20}, {80, 20}, {50, 80}, {24, 20}, {80, 80}});

        struct Shot {
            int player, kind;
            QList<int> destroyed;
        };
        // Energy: 70, 90 and 110 taken by the ordinary, small and medium bomb;
        // player 4 is grazed by the first (30), so the large one destroys him too.
        const Shot shots[] = {{0, 0, {}}, {1, 1, {}}, {2, 2, {2}}, {3, 0, {}}, {4, 0, {}}, {0, 3, {0, 3}}};
        for (const Shot& shot : shots) {
            QCOMPARE(currentPlayer, shot.player);
            const int cx = tanks[shot.player].GetX(), cz = tanks[shot.player].GetZ();
            sound.StopAll();
            ShootSelfWith(view, shot.kind);
            QVERIFY(WaitForTurnEnd());
            const std::vector<GameSound::Playing> playing = sound.NowPlaying();
            const QString heard = QStringLiteral("player %1, kind %2: ").arg(shot.player + 1).arg(shot.kind)
                                  + Describe(playing);
            QCOMPARE(int(playing.size()), 2 + int(shot.destroyed.size()));
            const GameSound::Playing* blast = Find(playing, BlastEffect(shot.kind));
            QVERIFY2(blast, qPrintable(heard));
            QVERIFY2(At(*blast, float(cx), terrain.GetHeight(cx, cz), float(cz)), qPrintable(heard));
            QVERIFY(terrain.GetHeight(cx, cz) < 10); // the crater is there
            QVERIFY2(Find(playing, Effect::Shot), qPrintable(heard));
            QCOMPARE(CountOf(playing, Effect::Wreck), int(shot.destroyed.size()));
            for (int dead : shot.destroyed) {
                QVERIFY(!tanks[dead].IsAlive());
                bool found = false;
                for (const GameSound::Playing& p : playing)
                    found |= p.effect == Effect::Wreck && At(p, tanks[dead].x, tanks[dead].y, tanks[dead].z);
                QVERIFY2(found, qPrintable(heard));
            }
        }
        QCOMPARE(script.unexpected, 0);
    }

    void aShellThatLeavesTheFieldStopsItsWhistleWithoutABlast()
    {
        HeardGame game(2);
        GameSound& sound = game.sound;
        CKratView* view = game.view;
        StandTanks({{50, 50}, {80, 80}});
        int whistled = 0;
        QObject::connect(view, &CKratView::frameDrawn, view,
                         [&] { whistled += CountOf(sound.NowPlaying(), Effect::Flight); });
        QVERIFY(ShootAway(view));
        QVERIFY(WaitForTurnEnd());
        QVERIFY(whistled > 0);
        const std::vector<GameSound::Playing> playing = sound.NowPlaying();
        QCOMPARE(int(playing.size()), 1);
        QVERIFY2(playing[0].effect == Effect::Shot, qPrintable(Describe(playing)));
        QCOMPARE(currentPlayer, 1);
    }

    // The library finds no output here (initTestCase takes its drivers away),
    // as on a machine without sound: the game starts and plays on.
    void withoutAnySoundDeviceTheGameStartsAndPlaysATurn()
    {
        RememberSoundOn(true);
        theApp.StartSound(false);
        GameProgram program(2, 1); // the sound is opened by the time the windows stand
        QVERIFY(theApp.Sound()->IsEnabled());
        QVERIFY(!theApp.Sound()->IsAudible());
        QVERIFY(program.View()->Sound() == theApp.Sound());
        QVERIFY(program.Frame()->Command(ID_GAME_SOUND)->isChecked());
        StandTanks({{30, 30}, {70, 70}});
        ShootSelf(program.View());
        QVERIFY(WaitForTurnEnd());
        QVERIFY(tanks[0].energy < 100);
        QCOMPARE(currentPlayer, 1);
        QVERIFY(program.broken.isEmpty());
    }

    void aMissingOrDamagedSettingsFileMeansSoundOn()
    {
        const QString file = OpenGameSettings()->fileName();
        QFile::remove(file);
        QVERIFY(RememberedSoundOn());
        RememberSoundOn(false);
        QVERIFY(!RememberedSoundOn());
        for (const QByteArray& damaged : {QByteArray("[sound]\non=perhaps\n"), QByteArray("\xff\xfe[[\0on=\x01", 9),
                                          QByteArray("[sound\non=false")}) {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(damaged);
            out.close();
            QVERIFY2(RememberedSoundOn(), damaged.constData());
        }
        RememberSoundOn(true);
        QVERIFY(RememberedSoundOn());
    }

    // The switch stands right above the game menu's separator. The command
    // line silences one run and leaves the remembered choice alone; a choice
    // made in the menu is remembered.
    void theSwitchInTheGameMenuAndTheCommandLine()
    {
        const char* argv[] = {"tarnok3d", "--bez-dzwieku", "-style", "fusion"};
        const CommandLine line = ReadCommandLine(4, argv);
        QVERIFY(line.action == CommandLine::Play && line.soundOff);
        QVERIFY(!ReadCommandLine(1, argv).soundOff);
        RememberSoundOn(true);
        theApp.StartSound(line.soundOff);
        QVERIFY(!theApp.Sound()->IsEnabled());
        QVERIFY(RememberedSoundOn());

        GameProgram program(2, 1);
        const QList<QAction*> items = program.Frame()->menuBar()->actions().value(0)->menu()->actions();
        // The sound switch closes the group above "&Wyjdz".
        int separator = static_cast<int>(items.size()) - 1;
        while (separator > 0 && !items[separator]->isSeparator())
            --separator;
        QVERIFY(separator > 0 && separator < items.size());
        QAction* sound = items[separator - 1];
        QCOMPARE(sound, program.Frame()->Command(ID_GAME_SOUND));
        QCOMPARE(sound->text(), QStringLiteral("&Dźwięk"));
        QCOMPARE(sound->statusTip(), QStringLiteral("Włącza i wyłącza dźwięk"));
        QVERIFY(sound->isCheckable() && !sound->isChecked());

        sound->trigger();
        QVERIFY(sound->isChecked() && theApp.Sound()->IsEnabled() && RememberedSoundOn());
        sound->trigger();
        QVERIFY(!sound->isChecked() && !theApp.Sound()->IsEnabled() && !RememberedSoundOn());
    }
};

// Settings go to a folder of the test's own, and the sound library is left
// without any output driver, so no test depends on this machine's sound.
int main(int argc, char* argv[])
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("ALSOFT_DRIVERS", "no-such-driver");
    QApplication application(argc, argv);
    SoundInGameTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_soundInGame.moc"
