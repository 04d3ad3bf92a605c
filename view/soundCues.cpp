#include "view/soundCues.h"

#include "audio/gameSound.h"

SoundCues::~SoundCues()
{
    if (sound)
        sound->FlightEnds();
}

void SoundCues::SetSound(GameSound* newSound)
{
    if (sound)
        sound->FlightEnds();
    sound = newSound;
}

void SoundCues::Launched(const cCzolg& tank)
{
    if (sound)
        sound->Launch(tank.shell.x, tank.shell.y, tank.shell.z);
}

void SoundCues::BeforeBlast()
{
    for (int i = 0; i < playerCount; ++i)
        aliveBefore[i] = tanks[i].IsAlive();
}

void SoundCues::AfterBlast()
{
    if (!sound)
        return;
    const cCzolg& shooter = tanks[currentPlayer];
    const int cx = static_cast<int>(shooter.shell.x), cz = static_cast<int>(shooter.shell.z);
    sound->Blast(shooter.bombKind, static_cast<float>(cx), terrain.GetHeight(cx, cz), static_cast<float>(cz));
    for (int i = 0; i < playerCount; ++i)
        if (aliveBefore[i] && !tanks[i].IsAlive())
            sound->TankDestroyed(tanks[i].x, tanks[i].y, tanks[i].z);
}

void SoundCues::FrameDrawn()
{
    if (!sound)
        return;
    const int p = currentPlayer;
    sound->PlaceListener(CameraListener(camPitch[p], camYaw[p], camRoll[p], camX[p], camY[p], camZ[p]));
    const cCzolg& tank = tanks[p];
    if (tank.IsInFlight()) {
        sound->FlightAt(tank.shell.x, tank.ShellHeight(), tank.shell.z);
        whistling = true;
    } else if (whistling) {
        sound->FlightEnds();
        whistling = false;
    }
    sound->RestWhenSilent();
}
