#pragma once

class cTeren;

// Sets every height of the field to one level.
void Flatten(cTeren& terrain, float level);

// Flattens the game's field to the level and stands every tank on it where it
// is: a test that needs a known field builds it instead of hoping for one.
void LevelTheField(float level);
