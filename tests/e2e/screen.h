#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>

// What the screen shows of the game, read as a player's eye would: the
// colours of tanks, terrain and bars, the 3D view's place in the window,
// and where a pixel of the start camera lies on the field.
namespace Screen {

// The terrain's unlit colours: green valleys, grey middle, purple and white heights.
bool IsTerrain(QColor c);
// A tank in its plain colour, lit; the player on turn is drawn white instead.
bool IsRed(QColor c);
bool IsBlue(QColor c);
bool IsHighlightedRed(QColor c);
bool IsHighlightedBlue(QColor c);
bool IsPlayer1(QColor c);
bool IsPlayer2(QColor c);
// The light neutral grey of a dialog's face and of the window bars; neither
// the sky, the terrain nor a new window's black is drawn in it.
bool IsDialogFace(QColor c);

// The 3D view inside the main window: the rows between the toolbar and the status bar.
QRect ViewRect(const QImage& shot, QRect window);
// Where a screen point of the start camera meets the plane y = planeY, in field units.
QPointF GroundPoint(QPoint pixel, QRect view, double planeY = 1.5);
// The ground's height around a tank's pixels, read off the terrain's colours.
double GroundHeightAround(const QImage& shot, QRect tank);

int Count(const QImage& image, QRect area, bool (*test)(QColor));
// The middle of the matching pixels, or (-1, -1) when there are none.
QPoint Centroid(const QImage& image, QRect area, bool (*test)(QColor));
QRect Bounds(const QImage& image, QRect area, bool (*test)(QColor));
// Terrain pixels that changed by more than a shade between two screenshots.
int TerrainChanges(const QImage& before, const QImage& after, QRect area);

} // namespace Screen
