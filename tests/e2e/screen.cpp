#include "screen.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Screen {

namespace {

bool IsBarGrey(QColor c) { return std::abs(c.red() - 239) <= 3 && c.red() == c.green() && c.green() == c.blue(); }

} // namespace

bool IsTerrain(QColor c)
{
    const int r = c.red(), g = c.green(), b = c.blue();
    const bool green = g > r + 30 && g > b + 30;
    const bool purple = r > g + 25 && b > g + 25;
    const bool grey = std::abs(r - g) < 12 && std::abs(g - b) < 12 && r > 60;
    return green || purple || grey;
}

bool IsRed(QColor c) { return c.red() > 200 && c.green() < 40 && c.blue() < 40; }
bool IsBlue(QColor c) { return c.blue() > 200 && c.red() < 40 && c.green() < 40; }
// The white of the player on turn over player 1's red ambient: a pinkish white.
bool IsHighlightedRed(QColor c) { return c.red() > 200 && c.green() > 150 && c.blue() > 150 && c.red() > c.blue() + 20; }
bool IsHighlightedBlue(QColor c) { return c.blue() > 200 && c.green() > 150 && c.red() > 150 && c.blue() > c.red() + 20; }
bool IsPlayer1(QColor c) { return IsRed(c) || IsHighlightedRed(c); }
bool IsPlayer2(QColor c) { return IsBlue(c) || IsHighlightedBlue(c); }
bool IsDialogFace(QColor c) { return c.red() == c.green() && c.green() == c.blue() && c.red() >= 225 && c.red() <= 245; }

// The 3D view inside the main window: the rows between the toolbar and the
// status bar, found down the window's left edge.
QRect ViewRect(const QImage& shot, QRect window)
{
    const int x = window.left() + 3;
    int top = window.top() + 20;
    while (top < window.bottom() && IsBarGrey(shot.pixelColor(x, top)))
        ++top;
    while (top < window.bottom() && !IsBarGrey(shot.pixelColor(x, top)))
        ++top; // past the toolbar's own buttons and border to the bar's grey below
    while (top < window.bottom() && IsBarGrey(shot.pixelColor(x, top)))
        ++top;
    int bottom = window.bottom() - 30;
    while (bottom > top && IsBarGrey(shot.pixelColor(x, bottom)))
        --bottom;
    return QRect(window.left(), top, window.width(), bottom - top + 1);
}

// Where a screen point of the start camera (at 50, 70, 87, turned 60 degrees
// down, 45-degree field of view) meets the plane y = planeY, in field units.
QPointF GroundPoint(QPoint pixel, QRect view, double planeY)
{
    const double tanHalf = std::tan(22.5 * M_PI / 180), pitch = 60 * M_PI / 180;
    const double nx = 2.0 * (pixel.x() - view.left()) / view.width() - 1;
    const double ny = 1 - 2.0 * (pixel.y() - view.top()) / view.height();
    const double ex = nx * tanHalf * view.width() / view.height(), ey = ny * tanHalf, ez = -1;
    const double dy = ey * std::cos(pitch) + ez * std::sin(pitch);
    const double dz = -ey * std::sin(pitch) + ez * std::cos(pitch);
    const double t = (planeY - 70) / dy;
    return QPointF(50 + t * ex, 87 + t * dz);
}

int Count(const QImage& image, QRect area, bool (*test)(QColor))
{
    // Row by row rather than pixelColor() by pixel: the waits count often.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    area &= rgb.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(QColor::fromRgb(line[x])) ? 1 : 0;
    }
    return n;
}

QPoint Centroid(const QImage& image, QRect area, bool (*test)(QColor))
{
    qint64 sx = 0, sy = 0, n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixelColor(x, y))) {
                sx += x;
                sy += y;
                ++n;
            }
    return n ? QPoint(int(sx / n), int(sy / n)) : QPoint(-1, -1);
}

QRect Bounds(const QImage& image, QRect area, bool (*test)(QColor))
{
    QRect bounds;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixelColor(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The terrain is drawn unlit, its red channel being (h + 12) / 22 of full
// brightness at height h, so the ground's height can be read off the screen.
// The median over a ring of terrain pixels around a tank is its ground.
double GroundHeightAround(const QImage& shot, QRect tank)
{
    std::vector<int> reds;
    const QRect outer = tank.adjusted(-8, -8, 8, 8) & shot.rect(), inner = tank.adjusted(-2, -2, 2, 2);
    for (int y = outer.top(); y <= outer.bottom(); ++y)
        for (int x = outer.left(); x <= outer.right(); ++x) {
            if (inner.contains(x, y))
                continue;
            const QColor c = shot.pixelColor(x, y);
            const int r = c.red(), g = c.green(), b = c.blue();
            if (r > 15 && std::abs(r - b) <= 3 && (std::abs(g - 128) <= 2 || std::abs(g - r) <= 3))
                reds.push_back(r);
        }
    if (reds.empty())
        return 0;
    std::nth_element(reds.begin(), reds.begin() + reds.size() / 2, reds.end());
    return 22.0 * reds[reds.size() / 2] / 255 - 12;
}

// Pixels that changed by more than a shade, leaving out the tanks, the wind
// arrows (which drift every second) and anything near them.
int TerrainChanges(const QImage& before, const QImage& after, QRect area)
{
    const QImage a = before.convertToFormat(QImage::Format_RGB32), b = after.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    area &= a.rect() & b.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if (lineA[x] == lineB[x])
                continue;
            const QColor ca = QColor::fromRgb(lineA[x]), cb = QColor::fromRgb(lineB[x]);
            if (!IsTerrain(ca) || !IsTerrain(cb))
                continue;
            if (std::abs(ca.red() - cb.red()) + std::abs(ca.green() - cb.green()) + std::abs(ca.blue() - cb.blue()) > 12)
                ++n;
        }
    }
    return n;
}

} // namespace Screen
