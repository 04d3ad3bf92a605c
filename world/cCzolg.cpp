#include "world/cCzolg.h"

#include "world/cTeren.h"
#include "world/cWiatr.h"
#include "world/flight.h"
#include "world/glShapes.h"

#include <GL/gl.h>
#include <GL/glu.h>

const float playerColours[8][3] = {
    {1, 0, 0}, {0, 0, 1}, {1, 1, 0}, {0, 1, 0},
    {1, 0, 1}, {0, 1, 1}, {1, 0.5f, 0}, {0.35f, 0.35f, 1},
};

cCzolg::cCzolg()
    : roundsWon(0), alive(0), energy(0), stock{0, 0, 0, 0}, isCurrent(0), hasFired(0),
      flightStep(0), launchHeading(0), launchPower(0), bombKind(0), inFlight(0), x(0), y(0),
      z(0), colour{0, 0, 0}, elevation(0), heading(0), money(0), power(0), player(0)
{
    ResetForNewGame();
}

cCzolg::~cCzolg() = default;

void cCzolg::ResetForNewGame()
{
    roundsWon = 0;
    alive = 1;
    energy = 100;
    elevation = 0;
    heading = 0;
    power = 50;
    player = 0;
    inFlight = 0;
    bombKind = 0;
    hasFired = 0;
    isCurrent = 0;
    money = 0;
    stock[0] = 999;
    stock[1] = stock[2] = stock[3] = 0;
}

void cCzolg::ReviveForRound()
{
    energy = 100;
    alive = 1;
}

void cCzolg::SetPlayer(int n)
{
    player = n;
}

void cCzolg::Place(float newX, float newY, float newZ)
{
    x = newX;
    y = newY;
    z = newZ;
    for (int c = 0; c < 3; ++c)
        colour[c] = playerColours[player][c];
}

void cCzolg::BeginTurn()
{
    isCurrent = 1;
    hasFired = 0;
}

void cCzolg::EndTurn()
{
    isCurrent = 0;
}

void cCzolg::ChangeHeading(int delta)
{
    heading = (heading + delta) % 360;
    if (heading < 0)
        heading += 360;
}

void cCzolg::ChangeElevation(int delta)
{
    elevation = (elevation + delta) % 360;
    if (elevation >= 90)
        elevation = 90;
    if (elevation <= 0)
        elevation = 0;
}

void cCzolg::ChangePower(int delta)
{
    power += delta;
    if (power < 0)
        power = 0;
    if (power > 100)
        power = 100;
}

void cCzolg::TakeDamage(int delta)
{
    energy += delta;
    if (energy < 0) { // exactly 0 still lives
        alive = 0;
        energy = 0;
    }
}

void cCzolg::AddMoney(int delta)
{
    money += delta;
}

int cCzolg::IsAlive() const { return alive; }
int cCzolg::IsInFlight() const { return inFlight; }
int cCzolg::GetBombKind() const { return bombKind; }
void cCzolg::SetBombKind(int k) { bombKind = k; }
int cCzolg::GetSelectedStock() const { return stock[bombKind]; }
int cCzolg::GetX() const { return static_cast<int>(x); }
int cCzolg::GetZ() const { return static_cast<int>(z); }
void cCzolg::SetY(float newY) { y = newY; }

int cCzolg::Fire(int kind)
{
    if (inFlight)
        return 0;
    bombKind = kind;
    if (kind > 0)
        stock[kind] -= 1;
    launchHeading = static_cast<float>(heading);
    launchPower = static_cast<float>(power);

    const FlightPoint muzzle = MuzzleOf(x, y, z, heading, elevation);
    shell.Launch(kind, muzzle.x, muzzle.y, muzzle.z);

    inFlight = 1;
    flightStep = 0;
    hasFired = 1;
    return 1;
}

float cCzolg::ShellHeight() const
{
    // The wind moves the shell sideways only; its height needs no wind.
    const FlightPace pace = FlightPaceOf(launchHeading, launchPower, elevation, power, 0, 0);
    return shell.y + FlightRise(flightStep, pace.vy);
}

int cCzolg::FlightStep(cWiatr& wind, cTeren& terrain)
{
    const FlightPace pace = FlightPaceOf(launchHeading, launchPower, elevation, power,
                                         wind.direction, wind.strength);
    flightStep += 1;
    const float dy = FlightRise(flightStep, pace.vy);

    const int result = shell.Step(pace.dx, dy, pace.dz, terrain);
    if (result == 2 || result == 0)
        inFlight = 0;
    return result;
}

int cCzolg::Draw(cWiatr& wind, cTeren& terrain)
{
    glTranslatef(x, y, z);

    const bool highlighted = alive && isCurrent;
    SetFrontMaterial(colour[0] / 2, colour[1] / 2, colour[2] / 2,
                     highlighted ? 1.0f : colour[0], highlighted ? 1.0f : colour[1],
                     highlighted ? 1.0f : colour[2]);
    if (alive) {
        DrawBox(-3, 0, -3, 3, 2, 3);
        glTranslatef(0, 3, 0);
        gluSphere(SharedQuadric(), 2.0, 32, 32);
        glRotatef(static_cast<float>(heading), 0, 1, 0);
        glRotatef(static_cast<float>(-elevation), 1, 0, 0);
        gluCylinder(SharedQuadric(), 0.5, 0.5, 5.0, 32, 32);
        glRotatef(static_cast<float>(elevation), 1, 0, 0);
        glRotatef(static_cast<float>(-heading), 0, 1, 0);
        glTranslatef(0, -3, 0);
    } else {
        DrawBox(-1, 0, -1, 1, 7, 1); // grave marker: post and crossbar
        DrawBox(-3, 3, -1, 3, 5, 1);
    }

    glTranslatef(-x, -y, -z);

    if (inFlight)
        return FlightStep(wind, terrain);
    return 1;
}
