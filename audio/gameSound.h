#pragma once

#include "audio/effectSynthesis.h"
#include "audio/listenerPlacement.h"

#include <cstdint>
#include <memory>
#include <vector>

// The game's one door to the sound library. The game announces what happens
// and where (world units, as the scene draws it); nothing here ever waits on
// the sound system or reports back to the game, and every call is harmless
// when there is no device, the sound is off or the device has gone away.
class GameSound {
public:
    enum Output {
        DefaultDevice, // the desktop's usual output
        Loopback,      // mixed on request into memory, with no sound card
    };

    explicit GameSound(Output output = DefaultDevice);
    ~GameSound();
    GameSound(const GameSound&) = delete;
    GameSound& operator=(const GameSound&) = delete;

    // Switched on, the device is opened the first time (effects made then);
    // if it cannot be, one line on standard error and silence from then on.
    // Switched off, whatever sounds falls silent.
    void SetEnabled(bool on);
    bool IsEnabled() const { return enabled; }
    // On, and a device to play on.
    bool IsAudible() const;

    void PlaceListener(const ListenerPlacement& placement);
    void Launch(float x, float y, float z);
    // Starts the whistle at the shell, or moves it there while it sounds.
    void FlightAt(float x, float y, float z);
    void FlightEnds();
    void Blast(int bombKind, float x, float y, float z);
    void TankDestroyed(float x, float y, float z);
    void StopAll();
    // Once nothing sounds, the device stops mixing until the next effect
    // wakes it: called after every frame, so that at the aiming screen the
    // sound costs nothing. Never cuts a sound short.
    void RestWhenSilent();
    bool IsResting() const;

    // What sounds now, and where: read back from the library's own state.
    struct Playing {
        Effect effect;
        float position[3];
    };
    std::vector<Playing> NowPlaying() const;
    // Where the listener stands and faces now, likewise.
    ListenerPlacement Listener() const;
    // Loopback only: the next frames of the mix, left and right interleaved,
    // at EFFECT_RATE frames a second (empty for any other output).
    std::vector<std::int16_t> Render(int frames);

private:
    struct Device;
    bool Open();
    void Start(Effect effect, float x, float y, float z);

    Output output;
    bool enabled = false;
    bool tried = false;
    std::unique_ptr<Device> device;
};
