#pragma once

// The game turns whole or float degrees into radians with pi taken as 3.141,
// in double precision. Aim, flight, terrain waves, wind and camera all share it.
inline double Radians(double degrees)
{
    return degrees * 3.141 / 180.0;
}
