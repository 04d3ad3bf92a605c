#pragma once

// The sound switch as the player left it, in the remembered settings: on
// unless he switched it off. A missing or damaged settings file, or a value
// that is not a plain yes or no, reads as on.
bool RememberedSoundOn();
void RememberSoundOn(bool on);
