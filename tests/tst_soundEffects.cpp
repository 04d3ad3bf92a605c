// The effects as the game makes them, and the sound library mixing them:
// the same samples on every run, kinds that sound apart, and placing in the
// world that the mix really carries to the left or right ear, near or far.
// The mix is made by the library's loopback device: no sound card needed.
#include "audio/effectSynthesis.h"
#include "audio/gameSound.h"
#include "audio/listenerPlacement.h"

#include <QTemporaryFile>
#include <QtTest>

#include <unistd.h>

#include <cmath>
#include <cstdio>

namespace {

const Effect allEffects[] = {Effect::Shot,       Effect::Flight,    Effect::BlastOrdinary, Effect::BlastSmall,
                             Effect::BlastMedium, Effect::BlastLarge, Effect::Wreck};
const Effect blasts[] = {Effect::BlastOrdinary, Effect::BlastSmall, Effect::BlastMedium, Effect::BlastLarge};

double Energy(const std::vector<std::int16_t>& s)
{
    double sum = 0;
    for (std::int16_t v : s)
        sum += double(v) * v;
    return sum;
}

int Peak(const std::vector<std::int16_t>& s)
{
    int peak = 0;
    for (std::int16_t v : s)
        peak = std::max(peak, std::abs(int(v)));
    return peak;
}

// Energy of each ear in an interleaved stereo mix.
void Ears(const std::vector<std::int16_t>& mix, double* left, double* right)
{
    *left = *right = 0;
    for (size_t i = 0; i + 1 < mix.size(); i += 2) {
        *left += double(mix[i]) * mix[i];
        *right += double(mix[i + 1]) * mix[i + 1];
    }
}

// The mix is dithered: silence is a stir of a sample step or two, never more.
bool Silent(const std::vector<std::int16_t>& mix)
{
    return Energy(mix) < 4.0 * double(mix.size());
}

// A listener at the origin facing -z with +y up: -x is on its left.
const ListenerPlacement facingNorth = {{0, 0, 0}, {0, 0, -1}, {0, 1, 0}};

} // namespace

class SoundEffectsTest : public QObject {
    Q_OBJECT

private slots:
    void everyEffectIsTheSameOnEveryRunAudibleUnclippedAndShort()
    {
        for (Effect e : allEffects) {
            const std::vector<std::int16_t> first = SynthesiseEffect(e);
            QVERIFY(first == SynthesiseEffect(e));
            QVERIFY2(Peak(first) > 8000 && Peak(first) < 32767, qPrintable(QString::number(Peak(first))));
            QVERIFY(first.size() <= size_t(2 * EFFECT_RATE));
            if (e != Effect::Flight) // no click where a one-shot effect starts or stops
                QVERIFY(std::abs(int(first.front())) < 200 && std::abs(int(first.back())) < 200);
        }
    }

    // The whistle loops while the shell flies: its end must run on into its start.
    void theFlightWhistleLoopsWithoutASeam()
    {
        const std::vector<std::int16_t> s = SynthesiseEffect(Effect::Flight);
        int largestStep = 0;
        for (size_t n = 1; n < s.size(); ++n)
            largestStep = std::max(largestStep, std::abs(s[n] - s[n - 1]));
        QVERIFY(std::abs(s.front() - s.back()) <= largestStep);
        QVERIFY(Peak(s) < Peak(SynthesiseEffect(Effect::Shot)));
    }

    void eachBombKindBlastsApartLongerAndLouderWithItsSize()
    {
        for (int k = 0; k < 4; ++k) {
            const std::vector<std::int16_t> blast = SynthesiseEffect(blasts[k]);
            QVERIFY(BlastEffect(k) == blasts[k]);
            QVERIFY(blast != SynthesiseEffect(Effect::Wreck));
            if (k > 0) {
                const std::vector<std::int16_t> smaller = SynthesiseEffect(blasts[k - 1]);
                QVERIFY2(blast.size() > smaller.size(), qPrintable(QString::number(k)));
                QVERIFY2(Energy(blast) > Energy(smaller), qPrintable(QString::number(k)));
            }
        }
        QVERIFY(BlastEffect(7) == Effect::BlastOrdinary);
        QVERIFY(BlastEffect(-1) == Effect::BlastOrdinary);
    }

    void aBlastIsHeardFromItsSideAndFainterFromAfar()
    {
        GameSound sound(GameSound::Loopback);
        sound.SetEnabled(true);
        QVERIFY(sound.IsAudible());
        sound.PlaceListener(facingNorth);
        // Left, right, ahead and four times as far ahead.
        const float places[4][3] = {{-30, 0, 0}, {30, 0, 0}, {0, 0, -40}, {0, 0, -160}};
        double left[4], right[4];
        for (int i = 0; i < 4; ++i) {
            sound.StopAll();
            sound.Render(EFFECT_RATE / 10);
            sound.Blast(2, places[i][0], places[i][1], places[i][2]);
            Ears(sound.Render(EFFECT_RATE / 4), &left[i], &right[i]);
        }
        QVERIFY2(left[0] > 2 * right[0], qPrintable(QStringLiteral("%1 %2").arg(left[0]).arg(right[0])));
        QVERIFY2(right[1] > 2 * left[1], qPrintable(QStringLiteral("%1 %2").arg(left[1]).arg(right[1])));
        QVERIFY(left[3] + right[3] > 4.0 * EFFECT_RATE / 2);
        QVERIFY(left[2] + right[2] > 4 * (left[3] + right[3]));
    }

    void theWhistleSoundsWhereTheShellIsUntilTheFlightEnds()
    {
        GameSound sound(GameSound::Loopback);
        sound.SetEnabled(true);
        sound.PlaceListener(facingNorth);
        sound.FlightAt(10, 20, 30);
        sound.FlightAt(11, 21, 29);
        const std::vector<GameSound::Playing> playing = sound.NowPlaying();
        QCOMPARE(int(playing.size()), 1);
        QVERIFY(playing[0].effect == Effect::Flight);
        QCOMPARE(playing[0].position[0], 11.0f);
        QCOMPARE(playing[0].position[1], 21.0f);
        QCOMPARE(playing[0].position[2], 29.0f);
        // It loops: still there after more than its own length.
        sound.Render(EFFECT_RATE);
        QVERIFY(!Silent(sound.Render(EFFECT_RATE / 10)));
        QCOMPARE(int(sound.NowPlaying().size()), 1);
        sound.FlightEnds();
        QVERIFY(sound.NowPlaying().empty());
        sound.Render(EFFECT_RATE / 10); // the library's own short fade
        QVERIFY(Silent(sound.Render(EFFECT_RATE / 10)));
    }

    void switchedOffNothingSoundsAndSwitchedOnAgainItDoes()
    {
        GameSound sound(GameSound::Loopback);
        sound.SetEnabled(true);
        sound.FlightAt(0, 0, -10);
        sound.Blast(3, 0, 0, -10);
        QCOMPARE(int(sound.NowPlaying().size()), 2);
        sound.SetEnabled(false);
        QVERIFY(sound.NowPlaying().empty());
        sound.Launch(0, 0, -10);
        sound.TankDestroyed(0, 0, -10);
        sound.FlightAt(0, 0, -10);
        QVERIFY(sound.NowPlaying().empty());
        sound.Render(EFFECT_RATE / 10);
        QVERIFY(Silent(sound.Render(EFFECT_RATE / 10)));
        sound.SetEnabled(true);
        sound.Launch(0, 0, -10);
        QCOMPARE(int(sound.NowPlaying().size()), 1);
        QVERIFY(sound.NowPlaying()[0].effect == Effect::Shot);
    }

    // More voices than the mixer keeps: the oldest gives way, nothing fails.
    void aCrowdOfBlastsKeepsTheNewest()
    {
        GameSound sound(GameSound::Loopback);
        sound.SetEnabled(true);
        for (int i = 0; i < 20; ++i)
            sound.Blast(i % 4, float(i), 0, 0);
        const std::vector<GameSound::Playing> playing = sound.NowPlaying();
        QCOMPARE(int(playing.size()), 8);
        for (const GameSound::Playing& p : playing)
            QVERIFY(p.position[0] >= 12);
    }

    // Nothing to sound, the desktop's device rests (mixing silence would keep
    // the aiming screen busy); the next effect wakes it and plays to its end,
    // and while anything still sounds it never rests. Needs a device that
    // mixes in real time: ctest runs this with the library's null device.
    void aRestingDeviceWakesForTheNextEffectAndNeverCutsOneShort()
    {
        GameSound sound;
        sound.SetEnabled(true);
        if (!sound.IsAudible())
            QSKIP("no sound device here");
        sound.RestWhenSilent();
        QVERIFY(sound.IsResting());
        sound.Launch(0, 0, 0);
        QVERIFY(!sound.IsResting());
        sound.RestWhenSilent();
        QVERIFY(!sound.IsResting());
        QVERIFY2(QTest::qWaitFor([&] { return sound.NowPlaying().empty(); }, 60000), "the shot never ended");
        sound.RestWhenSilent();
        QVERIFY(sound.IsResting());
        sound.FlightAt(1, 2, 3);
        QVERIFY(!sound.IsResting());
        QCOMPARE(int(sound.NowPlaying().size()), 1);
    }

    // Without a sound card (as on a build server) the library and the ALSA
    // beneath it stay quiet; the game says so in one line. On a machine
    // that has a card there is nothing to check.
    void withoutASoundCardStandardErrorGetsOneLineAtMost()
    {
        QTemporaryFile captured;
        QVERIFY(captured.open());
        std::fflush(stderr);
        const int saved = dup(2);
        dup2(captured.handle(), 2);
        bool audible;
        {
            GameSound sound;
            sound.SetEnabled(true);
            sound.SetEnabled(false);
            sound.SetEnabled(true); // no second attempt, no second line
            audible = sound.IsAudible();
            sound.Blast(0, 1, 2, 3);
        }
        std::fflush(stderr);
        dup2(saved, 2);
        close(saved);
        if (audible)
            QSKIP("this machine has a sound device");
        captured.seek(0);
        const QByteArray text = captured.readAll();
        QCOMPARE(text.count('\n'), 1);
        QVERIFY2(text.startsWith("tarnok3d: "), text.constData());
    }
};

QTEST_GUILESS_MAIN(SoundEffectsTest)
#include "tst_soundEffects.moc"
