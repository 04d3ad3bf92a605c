#pragma once

#include "dialogs/Sklepik.h"
#include "record/inputs.h"
#include "view/soundCues.h"

#include <QImage>
#include <QTimer>
#include <QWindow>

#include <memory>

class CKratDoc;
class ComputerHands;
class QBackingStore;
class QOpenGLContext;
class RecordPlayer;
struct GameRecord;

// The 3D view: a native window with its own GL context (current from the
// first expose to destruction, presented by a buffer swap), the frame (which
// is also the game's clock: each frame advances a flying shell by one step),
// the mouse camera, and the commands, keys and wind timer that act on the
// current tank. The main frame shows it inside a window container.
// Without a usable OpenGL nothing is drawn, but every frame still plays its
// steps; the wind drifts unless the surface's format itself failed.
class CKratView : public QWindow {
    Q_OBJECT

public:
    int roundEndBusy;  // 1 while the round end runs the shop visits
    int mouseButtons;  // 0 none, 1 left, 2 right, 3 both
    int lastMouseY;
    int lastMouseX;
    CSklepik shop;
    QOpenGLContext* hRC;
    int pixelFormat;   // 1 once the surface has its format, 0 before

    // An unseen view is never shown: it plays a record's game through the
    // game's own code without drawing or opening a dialog, as fast as it can.
    enum class Showing { OnScreen, Unseen };

    // host: the main window that will show the view (message boxes and the
    // bomb selector belong to it).
    explicit CKratView(CKratDoc* document, QWidget* host = nullptr, Showing showing = Showing::OnScreen);
    ~CKratView() override;

    CKratDoc* GetDocument() const { return document; }
    QWidget* window() const { return host; }

    // View creation: clears the round-end guard and starts the first game.
    int OnCreate();
    void StartNewGame();

    // A turn has begun (game, round or turn passing, with the field set up):
    // the current player's seat says who moves the tank.
    void OnTurnBegins();
    // The seats were chosen anew: a turn not yet shot goes to whoever now
    // holds the seat, from where the barrel stands.
    void OnSeatsChanged();
    // Whether the person's keys, toolbar buttons and bomb selector act on the
    // current tank: they do unless its seat plays by itself.
    bool PersonsInputActs() const;
    ComputerHands& Hands() const { return *hands; }

    // A deferred frame; requests merge until it is drawn.
    void RequestFrame();
    bool IsFramePending() const { return framePending; }
    // Runs the round end from the event loop once the current frame is done.
    void QueueRoundEnd();
    bool IsRoundEndQueued() const { return roundEndQueued; }

    // Tank commands (toolbar) and the fire request shared with Space.
    // OnCommand gives a toolbar's command id (ID_BARREL_LEFT...) on a person's
    // turn; RunCommand gives it whoever's turn it is (the computer's hands).
    // Both go through the game's inputs, which let them through to
    // ApplyCommand, the handlers' one caller.
    void OnCommand(int id);
    void RunCommand(int id);
    void Give(const InputBody& input);
    // What an input let through does to the game: the one place it changes.
    void ApplyInput(const InputBody& input);
    void ApplyCommand(int id);
    void OnBarrelLeft();
    void OnBarrelRight();
    void OnBarrelUp();
    void OnBarrelDown();
    void OnPowerUp();
    void OnPowerDown();
    void OnFire();
    void RequestFire();

    // Keys by virtual-key code; mouse camera; timer ticks by id.
    void OnKeyDown(int virtualKey);
    void OnLButtonDown();
    void OnLButtonUp();
    void OnRButtonDown();
    void OnRButtonUp();
    void OnMouseMove(int x, int y);
    void OnTimer(int id);

    // Viewport and the 45-degree perspective for a client size in pixels.
    void OnSize(int width, int height);

    // The sound the game's events are told to (none: silent play).
    void SetSound(GameSound* sound) { soundCues.SetSound(sound); }
    GameSound* Sound() const { return soundCues.Sound(); }

    // Watching a record: its game is played from its inputs at the players'
    // pace (P makes it faster) until its results, or, unfinished, to its end
    // and on live from there. Ctrl+N ends the watching.
    void WatchRecord(const GameRecord& record);
    bool IsWatching() const;
    RecordPlayer& Player() const { return *player; }
    // What the players of a watched game bought at the last round end, for
    // the status bar during the first turn of the next round.
    void NoteRecordedPurchase(int slot, int small, int medium, int large);
    QString RecordedPurchases() const { return purchases; }
    // A saved game goes on from the moment it was saved.
    void ResumeRecord(const GameRecord& record);
    // Whether a game is being played (not watched, not over): what a save holds.
    bool GameInProgress() const;

    // An unseen view's playback: one frame's steps now, and a round end that
    // is due run now. Each returns whether there was anything to do.
    bool PlayFrame();
    bool RunRoundEndNow();
    bool IsUnseen() const { return unseen; }

    // Frames drawn so far (benchmarks and tests count them).
    long long FrameCount() const { return frameCount; }

    // Whether the view draws at all: decided before its window is built.
    bool HasGl() const { return glUsable; }
    // The largest surface worth drawing: the driver's viewport limit and no
    // more than the screen shows; the main frame keeps the view within it.
    QSize SurfaceLimit() const;
    QOpenGLContext* context() const { return hRC; }
    bool makeCurrent();
    void doneCurrent();
    // Draws a frame now and returns its pixels, read back from the window's
    // own back buffer before it is presented (a null image without GL).
    QImage grabFramebuffer();

signals:
    // Every frame, after the turn logic ran: the game state is settled here.
    void frameDrawn();

protected:
    bool event(QEvent* event) override; // the merged frame request
    void exposeEvent(QExposeEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void SetupPixelFormat(); // the GL surface is made: the wind timer starts
    bool CreateGLContext();  // the view's own context and its GL state
    void ApplySize();
    void OnPaint(); // one frame
    void DrawFrame();
    void PlayBlind();       // the frame's path without OpenGL
    void PaintBackground();
    void RunQueuedRoundEnd();
    void GiveDueRecordedInputs(qint64 pacedMs);
    void OnRecordDiverged(int turn);
    void OnRecordPlayedOut();
    // A turn goes on (resumed, or live after a record): whoever holds the seat moves the tank.
    void ContinueTurn();
    // Aim the current tank, show the value in the status bar, ask for a frame.
    void TurnBarrel(int delta);
    void RaiseBarrel(int delta);
    void ChangePower(int delta);

    CKratDoc* document;
    QWidget* host;
    QTimer windTimer{this}; // a child named "windTimer", so tests can hold the wind still
    std::unique_ptr<ComputerHands> hands;
    std::unique_ptr<RecordPlayer> player;
    bool unseen = false;
    QString purchases;
    int purchasesTurn = -1; // the turn they show in
    QBackingStore* background = nullptr;
    QImage captured;
    QSize maxViewport;
    bool glUsable = false;
    bool captureNext = false;
    bool framePosted = false;
    bool framePending = false;
    bool roundEndQueued = false;
    long long frameCount = 0;
    SoundCues soundCues;
};
