#include "audio/effectSynthesis.h"

#include "world/bombKinds.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double TWO_PI = 6.283185307179586;

// White noise from a 32-bit xorshift generator, in -1..1.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state(seed) {}
    double Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state;
};

// A one-pole low-pass: smaller a, darker sound.
class LowPass {
public:
    explicit LowPass(double a) : a(a) {}
    double operator()(double x)
    {
        y += a * (x - y);
        return y;
    }

private:
    double a;
    double y = 0;
};

std::vector<double> Silence(double seconds)
{
    return std::vector<double>(static_cast<size_t>(seconds * EFFECT_RATE), 0.0);
}

// A sine whose pitch glides from high to low: the body of a thump.
void AddThump(std::vector<double>& out, double startHz, double endHz, double glide, double decay, double level)
{
    double phase = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / EFFECT_RATE;
        phase += TWO_PI * (endHz + (startHz - endHz) * std::exp(-t * glide)) / EFFECT_RATE;
        out[n] += level * std::sin(phase) * std::exp(-t * decay);
    }
}

// Noise darkened by two low-passes, swelling in over attack seconds and
// dying away: the roar of a blast.
void AddRoar(std::vector<double>& out, std::uint32_t seed, double brightness, double attack, double decay,
             double level)
{
    Noise noise(seed);
    LowPass first(brightness), second(brightness);
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / EFFECT_RATE;
        const double swell = std::min(1.0, t / attack);
        // Gain makes up for what the filters take from the noise.
        out[n] += level * second(first(noise.Next())) * swell * std::exp(-t * decay) / std::sqrt(brightness);
    }
}

// Soft edges: no click where an effect starts or stops.
void FadeEdges(std::vector<double>& out)
{
    const size_t in = EFFECT_RATE / 500, away = EFFECT_RATE / 40;
    for (size_t n = 0; n < in && n < out.size(); ++n)
        out[n] *= double(n) / in;
    for (size_t n = 0; n < away && n < out.size(); ++n)
        out[out.size() - 1 - n] *= double(n) / away;
}

std::vector<double> Shot()
{
    std::vector<double> out = Silence(0.4);
    AddThump(out, 160, 48, 25, 10, 0.75);
    AddRoar(out, 0x5107u, 0.3, 0.002, 30, 0.45);
    return out;
}

// Whole cycles of the whistle and of its slow waver fit the loop exactly, so
// it repeats without a seam.
std::vector<double> Flight()
{
    std::vector<double> out = Silence(0.5);
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / EFFECT_RATE;
        const double waver = 1.0 + 0.2 * std::sin(TWO_PI * 4 * t);
        out[n] = 0.3 * waver * (std::sin(TWO_PI * 880 * t) + 0.25 * std::sin(TWO_PI * 1760 * t));
    }
    return out;
}

// The larger the crater, the longer, louder and deeper the blast.
std::vector<double> Blast(int kind)
{
    const double radius = BlastRadius(kind);
    const double seconds = 0.5 + 0.11 * radius;
    std::vector<double> out = Silence(seconds);
    AddRoar(out, 0xB1A57u + static_cast<std::uint32_t>(kind), 0.16 - 0.008 * radius, 0.006, 5.0 / seconds,
            0.35 + 0.03 * radius);
    AddThump(out, 110 - 3 * radius, 34, 12, 4.5 / seconds, 0.3 + 0.025 * radius);
    return out;
}

// A large blast with the ring of torn metal over it, and a second thud as
// the hull falls back.
std::vector<double> Wreck()
{
    std::vector<double> out = Silence(1.6);
    AddRoar(out, 0x3EC7u, 0.07, 0.005, 3.0, 0.6);
    AddThump(out, 90, 30, 10, 3.5, 0.45);
    const double ring[] = {187, 293, 431, 617};
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / EFFECT_RATE;
        for (int i = 0; i < 4; ++i)
            out[n] += 0.08 * std::sin(TWO_PI * ring[i] * t) * std::exp(-t * (3.0 + i));
        const double late = t - 0.35;
        if (late > 0)
            out[n] += 0.35 * std::sin(TWO_PI * 55 * late) * std::exp(-late * 9);
    }
    return out;
}

std::vector<std::int16_t> ToSamples(const std::vector<double>& wave)
{
    std::vector<std::int16_t> samples(wave.size());
    for (size_t n = 0; n < wave.size(); ++n)
        samples[n] = static_cast<std::int16_t>(std::lround(std::clamp(wave[n], -1.0, 1.0) * 32000));
    return samples;
}

} // namespace

Effect BlastEffect(int bombKind)
{
    switch (bombKind) {
    case 1: return Effect::BlastSmall;
    case 2: return Effect::BlastMedium;
    case 3: return Effect::BlastLarge;
    default: return Effect::BlastOrdinary;
    }
}

std::vector<std::int16_t> SynthesiseEffect(Effect effect)
{
    std::vector<double> wave;
    switch (effect) {
    case Effect::Shot: wave = Shot(); break;
    case Effect::Flight: wave = Flight(); break;
    case Effect::BlastOrdinary: wave = Blast(0); break;
    case Effect::BlastSmall: wave = Blast(1); break;
    case Effect::BlastMedium: wave = Blast(2); break;
    case Effect::BlastLarge: wave = Blast(3); break;
    case Effect::Wreck: wave = Wreck(); break;
    }
    if (effect != Effect::Flight)
        FadeEdges(wave); // the loop's ends meet each other instead
    return ToSamples(wave);
}
