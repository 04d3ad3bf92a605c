#include "audio/gameSound.h"

#include "res/resource.h"
#include "res/stringTable.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Several blasts and wrecks may sound at once: a blast that destroys three
// tanks is four voices, and the last shot's tail may still ring.
constexpr int VOICES = 8;

// Distances in world units: at 40 (about the camera's height over the
// field) an effect sounds at its own level; twice as far, half as loud.
constexpr float REFERENCE_DISTANCE = 40;
constexpr float MAX_DISTANCE = 400;

// Levels of the effects against each other: the whistle stays faint.
float LevelOf(Effect effect)
{
    switch (effect) {
    case Effect::Flight: return 0.25f;
    case Effect::Shot: return 0.7f;
    case Effect::Wreck: return 0.9f;
    default: return 0.8f;
    }
}

void IgnoreAlsaComplaint(const char*, int, const char*, int, const char*, ...) {}

// The library and the ALSA beneath it would otherwise write a dozen lines on
// standard error when there is no sound card; the game says it in one. A
// player who asks for the library's log (ALSOFT_LOGLEVEL) still gets it.
void QuietenTheSoundLibrary()
{
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(RTLD_DEFAULT, "snd_lib_error_set_handler")))
        set(IgnoreAlsaComplaint);
}

ALCdevice* OpenLoopback()
{
    auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    return open ? open(nullptr) : nullptr;
}

} // namespace

struct GameSound::Device {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    ALuint buffers[EFFECT_COUNT] = {};
    ALuint flight = 0;
    ALuint voices[VOICES] = {};
    int nextVoice = 0;
    // A real device mixes even silence in real time, which would keep the
    // game and the desktop's sound server busy all through the aiming
    // screen; it rests while nothing sounds (where the library can pause it).
    LPALCDEVICEPAUSESOFT pause = nullptr;
    LPALCDEVICERESUMESOFT resume = nullptr;
    bool resting = false;

    ~Device()
    {
        if (context) {
            MakeCurrent();
            alDeleteSources(VOICES, voices);
            alDeleteSources(1, &flight);
            alDeleteBuffers(EFFECT_COUNT, buffers);
            alcMakeContextCurrent(nullptr);
            alcDestroyContext(context);
        }
        if (device)
            alcCloseDevice(device);
    }

    void MakeCurrent() const
    {
        if (alcGetCurrentContext() != context)
            alcMakeContextCurrent(context);
    }

    bool MakeEffects()
    {
        alGenBuffers(EFFECT_COUNT, buffers);
        for (int i = 0; i < EFFECT_COUNT; ++i) {
            const std::vector<std::int16_t> samples = SynthesiseEffect(static_cast<Effect>(i));
            alBufferData(buffers[i], AL_FORMAT_MONO16, samples.data(),
                         static_cast<ALsizei>(samples.size() * sizeof(std::int16_t)), EFFECT_RATE);
        }
        alGenSources(1, &flight);
        alGenSources(VOICES, voices);
        alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
        for (ALuint source : voices)
            PrepareSource(source);
        PrepareSource(flight);
        alSourcei(flight, AL_LOOPING, AL_TRUE);
        alSourcei(flight, AL_BUFFER, static_cast<ALint>(buffers[static_cast<int>(Effect::Flight)]));
        alSourcef(flight, AL_GAIN, LevelOf(Effect::Flight));
        return alGetError() == AL_NO_ERROR;
    }

    static void PrepareSource(ALuint source)
    {
        alSourcef(source, AL_REFERENCE_DISTANCE, REFERENCE_DISTANCE);
        alSourcef(source, AL_MAX_DISTANCE, MAX_DISTANCE);
        alSourcef(source, AL_ROLLOFF_FACTOR, 1.0f);
    }

    bool AnythingSounds() const
    {
        ALint state = AL_STOPPED;
        alGetSourcei(flight, AL_SOURCE_STATE, &state);
        for (int i = 0; i < VOICES && state != AL_PLAYING; ++i)
            alGetSourcei(voices[i], AL_SOURCE_STATE, &state);
        return state == AL_PLAYING;
    }

    void Wake()
    {
        if (resting) {
            resume(device);
            resting = false;
        }
    }

    // A free voice, or else the one that started longest ago.
    ALuint FreeVoice()
    {
        for (int i = 0; i < VOICES; ++i) {
            const ALuint source = voices[(nextVoice + i) % VOICES];
            ALint state = AL_STOPPED;
            alGetSourcei(source, AL_SOURCE_STATE, &state);
            if (state != AL_PLAYING) {
                nextVoice = (nextVoice + i + 1) % VOICES;
                return source;
            }
        }
        const ALuint oldest = voices[nextVoice];
        nextVoice = (nextVoice + 1) % VOICES;
        alSourceStop(oldest);
        return oldest;
    }
};

GameSound::GameSound(Output output) : output(output) {}

GameSound::~GameSound() = default;

bool GameSound::Open()
{
    tried = true;
    QuietenTheSoundLibrary();
    auto opened = std::make_unique<Device>();
    if (output == Loopback) {
        opened->device = OpenLoopback();
        const ALCint mix[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_SHORT_SOFT,
                              ALC_FREQUENCY, EFFECT_RATE, ALC_HRTF_SOFT, ALC_FALSE, 0};
        if (opened->device)
            opened->context = alcCreateContext(opened->device, mix);
    } else {
        opened->device = alcOpenDevice(nullptr);
        if (opened->device)
            opened->context = alcCreateContext(opened->device, nullptr);
        if (opened->context && alcIsExtensionPresent(opened->device, "ALC_SOFT_pause_device")) {
            opened->pause = reinterpret_cast<LPALCDEVICEPAUSESOFT>(alcGetProcAddress(opened->device, "alcDevicePauseSOFT"));
            opened->resume = reinterpret_cast<LPALCDEVICERESUMESOFT>(alcGetProcAddress(opened->device, "alcDeviceResumeSOFT"));
            if (!opened->resume)
                opened->pause = nullptr; // a device that could not be woken must never rest
        }
    }
    if (!opened->context || !alcMakeContextCurrent(opened->context) || !opened->MakeEffects()) {
        std::fprintf(stderr, "%s\n", LoadStringUtf8(IDS_NO_SOUND_DEVICE));
        return false;
    }
    device = std::move(opened);
    return true;
}

void GameSound::SetEnabled(bool on)
{
    enabled = on;
    if (on && !tried)
        Open();
    if (!on)
        StopAll();
}

bool GameSound::IsAudible() const
{
    return enabled && device;
}

void GameSound::PlaceListener(const ListenerPlacement& placement)
{
    if (!IsAudible())
        return;
    device->MakeCurrent();
    const ALfloat orientation[6] = {placement.at[0], placement.at[1], placement.at[2],
                                    placement.up[0], placement.up[1], placement.up[2]};
    alListenerfv(AL_POSITION, placement.position);
    alListenerfv(AL_ORIENTATION, orientation);
}

void GameSound::Start(Effect effect, float x, float y, float z)
{
    if (!IsAudible())
        return;
    device->MakeCurrent();
    device->Wake();
    const ALuint source = device->FreeVoice();
    alSourcei(source, AL_BUFFER, static_cast<ALint>(device->buffers[static_cast<int>(effect)]));
    alSourcef(source, AL_GAIN, LevelOf(effect));
    alSource3f(source, AL_POSITION, x, y, z);
    alSourcePlay(source);
}

void GameSound::Launch(float x, float y, float z)
{
    Start(Effect::Shot, x, y, z);
}

void GameSound::Blast(int bombKind, float x, float y, float z)
{
    Start(BlastEffect(bombKind), x, y, z);
}

void GameSound::TankDestroyed(float x, float y, float z)
{
    Start(Effect::Wreck, x, y, z);
}

void GameSound::FlightAt(float x, float y, float z)
{
    if (!IsAudible())
        return;
    device->MakeCurrent();
    alSource3f(device->flight, AL_POSITION, x, y, z);
    ALint state = AL_STOPPED;
    alGetSourcei(device->flight, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) {
        device->Wake();
        alSourcePlay(device->flight);
    }
}

void GameSound::FlightEnds()
{
    if (!device)
        return;
    device->MakeCurrent();
    alSourceStop(device->flight);
}

void GameSound::StopAll()
{
    if (!device)
        return;
    device->MakeCurrent();
    alSourceStop(device->flight);
    alSourceStopv(VOICES, device->voices);
}

void GameSound::RestWhenSilent()
{
    if (!device || !device->pause || device->resting)
        return;
    device->MakeCurrent();
    if (device->AnythingSounds())
        return;
    device->pause(device->device);
    device->resting = true;
}

bool GameSound::IsResting() const
{
    return device && device->resting;
}

std::vector<GameSound::Playing> GameSound::NowPlaying() const
{
    std::vector<Playing> playing;
    if (!device)
        return playing;
    device->MakeCurrent();
    ALuint sources[VOICES + 1];
    sources[0] = device->flight;
    for (int i = 0; i < VOICES; ++i)
        sources[i + 1] = device->voices[i];
    for (ALuint source : sources) {
        ALint state = AL_STOPPED, buffer = 0;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING)
            continue;
        alGetSourcei(source, AL_BUFFER, &buffer);
        for (int i = 0; i < EFFECT_COUNT; ++i)
            if (device->buffers[i] == static_cast<ALuint>(buffer)) {
                Playing p{static_cast<Effect>(i), {}};
                alGetSourcefv(source, AL_POSITION, p.position);
                playing.push_back(p);
            }
    }
    return playing;
}

ListenerPlacement GameSound::Listener() const
{
    ListenerPlacement placement = {};
    if (!device)
        return placement;
    device->MakeCurrent();
    ALfloat orientation[6] = {};
    alGetListenerfv(AL_POSITION, placement.position);
    alGetListenerfv(AL_ORIENTATION, orientation);
    for (int k = 0; k < 3; ++k) {
        placement.at[k] = orientation[k];
        placement.up[k] = orientation[k + 3];
    }
    return placement;
}

std::vector<std::int16_t> GameSound::Render(int frames)
{
    if (output != Loopback || !device)
        return {};
    auto render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(device->device, "alcRenderSamplesSOFT"));
    if (!render)
        return {};
    std::vector<std::int16_t> mix(static_cast<size_t>(frames) * 2);
    device->MakeCurrent();
    render(device->device, mix.data(), frames);
    return mix;
}
