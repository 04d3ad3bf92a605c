#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

struct _XDisplay; // Xlib's Display

// What a player does and sees on the X display: keys and clicks into real
// windows through xdotool, screenshots read from the X server.
namespace Desktop {

// The game's windows by their captions, as patterns for Windows().
inline const QString mainTitle = QStringLiteral("^- Tarnok 3D - $");
inline const QString newGameTitle = QStringLiteral("^Nowa gra$");
inline const QString helpTitle = QStringLiteral("^Pomoc$");
inline const QString aboutTitle = QStringLiteral("^O programie$");
inline const QString messageTitle = QStringLiteral("^Tarnok 3D$"); // message boxes, the results too

// The generous bound of every wait for a state of the game: a correct build
// gets there in a second or two, a loaded machine may take many times that.
constexpr int stateTimeoutMs = 60000;

// The program's standard output; its standard error into *errors if given.
// One that has not ended by the time limit is killed.
QString Run(const QString& program, const QStringList& arguments, int timeoutMs = 20000,
            QByteArray* errors = nullptr);
// Visible windows whose title matches the regular expression.
QStringList Windows(const QString& titlePattern);
// Waits until a window with a matching title is shown (or, with shown false, none is).
bool WaitForWindows(const QString& titlePattern, bool shown, int timeoutMs = stateTimeoutMs);
bool WaitForWindow(const QString& titlePattern, int timeoutMs = stateTimeoutMs);
bool WaitForNoWindow(const QString& titlePattern, int timeoutMs = stateTimeoutMs);
// The first visible window with a matching title, or an empty id.
QString OnlyWindow(const QString& titlePattern);
// Every named window on the display, shown or not, for a report when a wait
// failed: its id, "title" and map state (IsViewable, IsUnMapped...).
QString DescribeWindows();
// Gives the window with a matching title the key until it has closed: a key
// that came before the window was ready for it is lost, and one more after it
// has closed reaches the window below, which has no use for it. True once no
// such window is shown.
bool Dismiss(const QString& titlePattern, const QString& key);
// Opens a window from the main window's menu by its mnemonics ("alt+p",
// "o"), as a player does from the keyboard; true once a window with a
// matching title shows. Under load the item's key may come before the menu
// has taken the keyboard and be lost, leaving the menu open: then the menu is
// closed and the keys given again, and the retry is logged.
bool OpenFromMenu(const QStringList& keys, const QString& titlePattern);
// Waits for the new-game dialog and answers it with Enter (its defaults).
bool AnswerNewGame();
QRect Geometry(const QString& windowId);
// Gives the window the keyboard focus, as clicking its title would.
void Focus(const QString& windowId);
// Keys by their X names ("Return", "ctrl+n", "KP_Add"...), one after another.
void Keys(const QStringList& keys);
// The whole screen, or the given part of it; a null image without a display.
QImage Screenshot(const QRect& area = QRect());
// The part of the screen once two looks a moment apart agree (the last look
// after some fifteen seconds of change).
QImage SettledScreenshot(const QRect& part);

// A connection to the display held for as long as it lives: an X server
// started without -noreset resets whenever its last client leaves, and
// refuses the game's own connection meanwhile; the test's short xdotool calls
// and screenshots would leave it alone between them.
class HeldDisplay {
public:
    HeldDisplay();
    ~HeldDisplay();
    HeldDisplay(const HeldDisplay&) = delete;
    HeldDisplay& operator=(const HeldDisplay&) = delete;
    bool IsHeld() const { return display != nullptr; }

private:
    ::_XDisplay* display = nullptr;
};

} // namespace Desktop
