#pragma once

#include "view/gameState.h"

class GameSound;

// What the frame and the fire request tell the sound: the shot at the
// muzzle, the whistle following the current tank's shell, the blast at the
// crater by bomb kind, a crash at every tank the blast destroyed, and the
// listener at the camera the frame is drawn from. The game reads nothing
// back; without a sound (none given, or switched off) these do nothing.
class SoundCues {
public:
    SoundCues() = default;
    ~SoundCues(); // a view that goes leaves no whistle behind
    SoundCues(const SoundCues&) = delete;
    SoundCues& operator=(const SoundCues&) = delete;

    void SetSound(GameSound* sound);
    GameSound* Sound() const { return sound; }

    // The tank's shell has just left its muzzle.
    void Launched(const cCzolg& tank);
    // Around ResolveExplosion: which tanks stood before, then the blast of
    // the current tank's shell and the crash of each tank it destroyed.
    void BeforeBlast();
    void AfterBlast();
    // At the end of a frame: the listener at the current player's camera;
    // the whistle follows the shell, or stops once it has landed or left;
    // once nothing sounds any more, the device rests.
    void FrameDrawn();

private:
    GameSound* sound = nullptr;
    int aliveBefore[MAX_PLAYERS] = {};
    bool whistling = false;
};
