#include "field.h"

#include "view/gameState.h"
#include "world/cTeren.h"

void Flatten(cTeren& field, float level)
{
    for (auto& row : field.heights)
        for (float& h : row)
            h = level;
}

void LevelTheField(float level)
{
    Flatten(terrain, level);
    for (int i = 0; i < playerCount; ++i)
        tanks[i].SetY(level);
}
