#include "record/recordLimits.h"

#include "res/resource.h"

#include <cmath>

namespace {

constexpr int MAX_STOCK = 1000000;       // bombs of one kind
constexpr int MAX_MONEY = 1000000000;
constexpr float MAX_COORDINATE = 1.0e6f; // shells and cameras may wander far off the field
constexpr float MAX_HEIGHT = 1000.0f;    // hills of 10, craters of a few thousand blasts
constexpr int MAX_STEPS = 1000000;
constexpr int MAX_MS = 1000000000;       // eleven days in one turn

bool In(long long v, long long low, long long high)
{
    return v >= low && v <= high;
}

bool Finite(float v, float limit)
{
    return std::isfinite(v) && std::fabs(v) <= limit;
}

QString TankProblem(const TankSnapshot& t, const QString& which, int slot)
{
    auto bad = [&](const char* what) { return QStringLiteral("%1: %2").arg(which, QLatin1String(what)); };
    if (!In(t.roundsWon, 0, 20)) return bad("rounds won");
    if (!In(t.alive, 0, 1) || !In(t.isCurrent, 0, 1) || !In(t.hasFired, 0, 1) || !In(t.inFlight, 0, 1))
        return bad("flag not 0 or 1");
    if (!In(t.energy, 0, 100)) return bad("energy");
    if (t.stock[0] != 999) return bad("ordinary stock");
    for (int k = 1; k < 4; ++k)
        if (!In(t.stock[k], 0, MAX_STOCK)) return bad("stock");
    if (!In(t.flightStep, 0, MAX_STEPS)) return bad("flight step");
    if (!Finite(t.launchHeading, 360) || !Finite(t.launchPower, 100)) return bad("launch");
    if (!In(t.bombKind, 0, 3) || !In(t.shellKind, 0, 3)) return bad("bomb kind");
    if (!Finite(t.shellX, MAX_COORDINATE) || !Finite(t.shellY, MAX_COORDINATE) || !Finite(t.shellZ, MAX_COORDINATE))
        return bad("shell");
    if (!Finite(t.x, 99) || t.x < 0 || !Finite(t.z, 99) || t.z < 0) return bad("off the field");
    if (!Finite(t.y, MAX_HEIGHT)) return bad("height");
    for (float c : t.colour)
        if (!(c >= 0 && c <= 1)) return bad("colour");
    if (!In(t.elevation, 0, 90) || !In(t.heading, 0, 359) || !In(t.power, 0, 100)) return bad("aim");
    if (!In(t.money, 0, MAX_MONEY)) return bad("money");
    if (slot >= 0 && t.player != slot) return bad("player");
    if (slot < 0 && !In(t.player, 0, SNAPSHOT_SLOTS - 1)) return bad("player");
    return QString();
}

QString Bad(const char* what)
{
    return QString::fromLatin1(what);
}

} // namespace

QString SnapshotProblem(const GameSnapshot& s)
{
    if (!In(s.playerCount, 2, SNAPSHOT_SLOTS)) return Bad("player count");
    if (!In(s.roundsLeft, 0, 20)) return Bad("rounds left");
    if (!In(s.currentPlayer, 0, s.playerCount - 1)) return Bad("player on turn");
    if (!In(s.shotFired, 0, 1)) return Bad("shot flag");
    for (int i = 0; i < s.playerCount; ++i) {
        const QString problem = TankProblem(s.tanks[i], QStringLiteral("tank %1").arg(i), i);
        if (!problem.isEmpty())
            return problem;
    }
    if (s.shotFired == 0 && !s.tanks[s.currentPlayer].alive) return Bad("the player on turn is dead");
    for (const auto& row : s.heights)
        for (float h : row)
            if (!Finite(h, MAX_HEIGHT)) return Bad("field height");
    if (!In(s.windStrength, 0, 10) || !In(s.windDirection, -359, 359)) return Bad("wind");
    if (!In(s.randomDraws, 0, 1LL << 40)) return Bad("generator position");
    if (!In(s.turn, 0, 1 << 30) || !In(s.msIntoTurn, 0, MAX_MS)) return Bad("turn");
    for (int w : s.selectedWeapon)
        if (!In(w, 0, 3)) return Bad("bomb choice");
    if (s.weaponPlayer != s.currentPlayer) return Bad("bomb chooser");
    const QString shown = TankProblem(s.shownTank, QStringLiteral("shown tank"), -1);
    if (!shown.isEmpty())
        return shown;
    if (!In(s.shownStock, 0, MAX_STOCK)) return Bad("shown stock");
    if (!In(s.shownPower, 0, 100) || !In(s.shownVertAngle, 0, 90) || !In(s.shownHorizAngle, 0, 359))
        return Bad("shown aim");
    for (int c : s.seatChoice)
        if (!In(c, 0, 4)) return Bad("seat");
    for (const CameraSnapshot& c : s.cameras) {
        if (!In(c.pitch, -359, 359) || !In(c.yaw, -359, 359) || !In(c.roll, -359, 359)) return Bad("camera angle");
        if (!Finite(c.x, MAX_COORDINATE) || !Finite(c.y, MAX_COORDINATE) || !Finite(c.z, MAX_COORDINATE))
            return Bad("camera place");
    }
    return QString();
}

namespace {

struct InputCheck {
    QString operator()(const NewGameInput& g) const
    {
        if (!In(g.players, 2, SNAPSHOT_SLOTS) || !In(g.rounds, 1, 20)) return Bad("new game numbers");
        if (!In(g.windStrength, 0, 10) || !In(g.windDirection, -359, 359)) return Bad("new game wind");
        return QString();
    }
    QString operator()(const SeatsInput& s) const
    {
        for (int c : s.choice)
            if (!In(c, 0, 4)) return Bad("seat");
        return QString();
    }
    QString operator()(const RoundSeedInput&) const { return QString(); }
    QString operator()(const TankCommandInput& c) const
    {
        for (int id : {ID_BARREL_LEFT, ID_BARREL_RIGHT, ID_BARREL_UP, ID_BARREL_DOWN, ID_POWER_UP, ID_POWER_DOWN,
                       ID_FIRE})
            if (c.command == id)
                return QString();
        return Bad("tank command");
    }
    QString operator()(const BombChoiceInput& b) const { return In(b.kind, 0, 3) ? QString() : Bad("bomb kind"); }
    QString operator()(const WindTickInput&) const { return QString(); }
    QString operator()(const ShopVisitInput& v) const
    {
        if (!In(v.slot, 0, SNAPSHOT_SLOTS - 1) || !In(v.money, 0, MAX_MONEY) || v.stock[0] != 999)
            return Bad("shop visit");
        for (int k = 1; k < 4; ++k)
            if (!In(v.stock[k], 0, MAX_STOCK)) return Bad("shop visit stock");
        return QString();
    }
    QString operator()(const TurnStartInput&) const { return QString(); }
};

} // namespace

QString StreamProblem(const InputStream& stream)
{
    int turn = 0;
    for (const Input& input : stream) {
        const InputStamp& s = input.stamp;
        // A record is one game: its numbers come first and only once.
        if (std::holds_alternative<NewGameInput>(input.body) != (&input == &stream.front()))
            return Bad("a new game inside the stream");
        // Turns only go forward.
        if (!In(s.turn, turn, 1 << 30) || !In(s.step, -1, MAX_STEPS) || !In(s.msIntoTurn, 0, MAX_MS))
            return Bad("stamp");
        turn = s.turn;
        const QString problem = std::visit(InputCheck{}, input.body);
        if (!problem.isEmpty())
            return problem;
    }
    return QString();
}

QString InputProblem(const InputBody& input)
{
    return std::visit(InputCheck{}, input);
}
