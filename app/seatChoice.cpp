#include "app/seatChoice.h"

#include "app/gameSettings.h"

#include <QSettings>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

struct LevelName {
    const char* name;
    BrainLevel level;
};

// The first name of each level is the one written into the settings.
const LevelName levelNames[] = {
    {"latwy", BrainLevel::Latwy},   {"sredni", BrainLevel::Sredni}, {"trudny", BrainLevel::Trudny},
    {"mistrz", BrainLevel::Mistrz}, {"łatwy", BrainLevel::Latwy},   {"średni", BrainLevel::Sredni},
};
const char* const personName = "czlowiek";

std::optional<BrainLevel> LevelOfName(const std::string& name)
{
    for (const LevelName& n : levelNames)
        if (name == n.name)
            return n.level;
    return std::nullopt;
}

const char* NameOfLevel(BrainLevel level)
{
    for (const LevelName& n : levelNames)
        if (n.level == level)
            return n.name;
    return "sredni";
}

// A seat number 1..8 written in plain digits, or 0.
int SeatNumber(const std::string& text)
{
    if (text.size() != 1 || text[0] < '1' || text[0] > '8')
        return 0;
    return text[0] - '0';
}

QString SeatKey(int slot)
{
    return QStringLiteral("komputer/gracz%1").arg(slot + 1);
}

} // namespace

std::optional<SeatList> ReadComputerList(const std::string& list)
{
    SeatList seatList{};
    if (list == "brak")
        return seatList;
    bool named[MAX_PLAYERS] = {};
    size_t start = 0;
    while (true) {
        const size_t comma = list.find(',', start);
        const std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const size_t colon = item.find(':');
        const int number = SeatNumber(item.substr(0, colon));
        if (number == 0 || named[number - 1])
            return std::nullopt;
        named[number - 1] = true;
        BrainLevel level = BrainLevel::Sredni;
        if (colon != std::string::npos) {
            const std::optional<BrainLevel> given = LevelOfName(item.substr(colon + 1));
            if (!given)
                return std::nullopt;
            level = *given;
        }
        seatList[number - 1] = Seat::Computer(level);
        if (comma == std::string::npos)
            return seatList;
        start = comma + 1;
    }
}

SeatList LoadSeats()
{
    SeatList seatList{};
    const std::unique_ptr<QSettings> settings = OpenGameSettings();
    if (settings->status() != QSettings::NoError)
        return seatList;
    for (int slot = 0; slot < MAX_PLAYERS; ++slot) {
        const std::optional<BrainLevel> level = LevelOfName(settings->value(SeatKey(slot)).toString().toStdString());
        if (level)
            seatList[slot] = Seat::Computer(*level);
    }
    return seatList;
}

void SaveSeats(const SeatList& seatList)
{
    const std::unique_ptr<QSettings> settings = OpenGameSettings();
    for (int slot = 0; slot < MAX_PLAYERS; ++slot) {
        const Seat& seat = seatList[slot];
        settings->setValue(SeatKey(slot), QString::fromUtf8(seat.PlaysByItself() ? NameOfLevel(seat.level) : personName));
    }
    settings->sync();
}

SeatList CurrentSeats()
{
    SeatList seatList;
    std::copy(std::begin(seats), std::end(seats), seatList.begin());
    return seatList;
}

void UseSeats(const SeatList& seatList)
{
    std::copy(seatList.begin(), seatList.end(), std::begin(seats));
}
