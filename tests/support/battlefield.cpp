#include "battlefield.h"

#include <cmath>

void RollingField(cTeren& terrain, std::mt19937& random)
{
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    float amp[3], fx[3], fz[3], px[3], pz[3];
    for (int k = 0; k < 3; ++k) {
        amp[k] = 2 + 8 * unit(random);
        fx[k] = 0.02f + 0.15f * unit(random);
        fz[k] = 0.02f + 0.15f * unit(random);
        px[k] = 6.3f * unit(random);
        pz[k] = 6.3f * unit(random);
    }
    for (int z = 0; z < FIELD_SIZE; ++z)
        for (int x = 0; x < FIELD_SIZE; ++x) {
            float h = 0;
            for (int k = 0; k < 3; ++k)
                h += amp[k] * std::sin(fx[k] * x + px[k]) * std::sin(fz[k] * z + pz[k]);
            terrain.heights[z][x] = h;
        }
    // A pit and a wall somewhere: cliffs a shell may strike side-on.
    const int pitX = static_cast<int>(unit(random) * 90), pitZ = static_cast<int>(unit(random) * 90);
    const int wallX = static_cast<int>(unit(random) * 95), wallZ = static_cast<int>(unit(random) * 60);
    for (int z = pitZ; z < pitZ + 10; ++z)
        for (int x = pitX; x < pitX + 10; ++x)
            terrain.heights[z][x] -= 15;
    for (int z = wallZ; z < wallZ + 40; ++z)
        for (int x = wallX; x < wallX + 3; ++x)
            terrain.heights[z][x] += 25;
}
