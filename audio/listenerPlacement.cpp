#include "audio/listenerPlacement.h"

#include <cmath>

namespace {

using Matrix = double[3][3];

// The rotation glRotatef builds, about one of the axes, in true radians.
void AxisRotation(int axis, int degrees, Matrix r)
{
    const double a = degrees * 3.14159265358979323846 / 180;
    const double c = std::cos(a), s = std::sin(a);
    const int i = (axis + 1) % 3, j = (axis + 2) % 3;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            r[row][col] = row == col ? 1 : 0;
    r[i][i] = c;
    r[i][j] = -s;
    r[j][i] = s;
    r[j][j] = c;
}

void Multiply(const Matrix a, const Matrix b, Matrix out)
{
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            out[row][col] = a[row][0] * b[0][col] + a[row][1] * b[1][col] + a[row][2] * b[2][col];
}

} // namespace

ListenerPlacement CameraListener(int pitch, int yaw, int roll, float x, float y, float z)
{
    Matrix rx, ry, rz, rxy, r;
    AxisRotation(0, pitch, rx);
    AxisRotation(1, yaw, ry);
    AxisRotation(2, roll, rz);
    Multiply(rx, ry, rxy);
    Multiply(rxy, rz, r);
    // The eye's axes seen from the world are the rows of the rotation.
    ListenerPlacement p = {{x, y, z}, {}, {}};
    for (int k = 0; k < 3; ++k) {
        p.at[k] = static_cast<float>(-r[2][k]);
        p.up[k] = static_cast<float>(r[1][k]);
    }
    return p;
}
