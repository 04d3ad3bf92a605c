#pragma once

// Pieces of the frame that the frame benchmark draws too.

// The player's camera: pitch about x, yaw about y, roll about z, then the
// translation to the camera's position.
void ApplyCamera(int slot);
// Light 1, a point light at (50, 50, 50) set after the camera; switches lighting on.
void SetLight();
// After the tanks: the wind indicator lit, then lighting off and the terrain
// unlit, its batch closed.
void DrawWindAndTerrain();
