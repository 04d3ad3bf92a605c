#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

// What a player does and sees on the X display: keys and clicks into real
// windows through xdotool, screenshots read from the X server.
namespace Desktop {

// The game's windows by their captions, as patterns for Windows().
inline const QString mainTitle = QStringLiteral("^- Tarnok 3D - $");
inline const QString newGameTitle = QStringLiteral("^Nowa gra$");
inline const QString helpTitle = QStringLiteral("^Pomoc$");
inline const QString aboutTitle = QStringLiteral("^O programie$");
inline const QString messageTitle = QStringLiteral("^Tarnok 3D$"); // message boxes, the results too

// The program's standard output; its standard error into *errors if given.
QString Run(const QString& program, const QStringList& arguments, int timeoutMs = 20000,
            QByteArray* errors = nullptr);
// Visible windows whose title matches the regular expression.
QStringList Windows(const QString& titlePattern);
// Waits until a window with a matching title is shown (or, with shown false, none is).
bool WaitForWindows(const QString& titlePattern, bool shown, int timeoutMs = 15000);
bool WaitForWindow(const QString& titlePattern, int timeoutMs = 15000);
bool WaitForNoWindow(const QString& titlePattern, int timeoutMs = 15000);
// The first visible window with a matching title, or an empty id.
QString OnlyWindow(const QString& titlePattern);
// Answers the new-game dialog with Enter (its defaults); again if the first
// key came before the dialog was ready for it. True once it has closed.
bool AnswerNewGame();
QRect Geometry(const QString& windowId);
// Gives the window the keyboard focus, as clicking its title would.
void Focus(const QString& windowId);
// Keys by their X names ("Return", "ctrl+n", "KP_Add"...), one after another.
void Keys(const QStringList& keys);
// The whole screen, or the given part of it; a null image without a display.
QImage Screenshot(const QRect& area = QRect());

} // namespace Desktop
