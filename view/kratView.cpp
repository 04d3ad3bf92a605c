#include "view/kratView.h"

#include "doc/kratDoc.h"
#include "dialogs/decimalText.h"
#include "res/resource.h"
#include "res/stringTable.h"
#include "dialogs/messageBox.h"
#include "record/recordFile.h"
#include "view/computerHands.h"
#include "view/gameInputs.h"
#include "view/gameSnapshots.h"
#include "view/gameState.h"
#include "view/recordPlayer.h"
#include "view/seats.h"

#include "view/glSurface.h"

#include <GL/gl.h>

#include <QBackingStore>
#include <QCoreApplication>
#include <QOpenGLContext>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace {

// A frame request waiting in the event queue. Requests merge into one, and
// it is posted at low priority, so input and timers queued before it are
// served first, but without the platform's delay before an update.
const QEvent::Type FrameRequest = static_cast<QEvent::Type>(QEvent::registerEventType());

// Said once, on standard error: the game goes on without its picture.
void ReportNoGl()
{
    std::fprintf(stderr, "%s\n", LoadStringUtf8(IDS_NO_OPENGL));
}

} // namespace

CKratView::CKratView(CKratDoc* doc, QWidget* hostWindow, Showing showing)
    : roundEndBusy(0), mouseButtons(0), lastMouseY(0), lastMouseX(0), hRC(nullptr), pixelFormat(0), document(doc),
      host(hostWindow), unseen(showing == Showing::Unseen)
{
    glUsable = !unseen && CanCreateGlContext();
    maxViewport = unseen ? QSize() : MaxViewportSize();
    if (unseen) {
        setSurfaceType(QSurface::RasterSurface); // never shown, never drawn
    } else if (glUsable) {
        setSurfaceType(QSurface::OpenGLSurface);
        setFormat(GameSurfaceFormat());
    } else {
        ReportNoGl();
        setSurfaceType(QSurface::RasterSurface);
        background = new QBackingStore(this);
    }
    setMinimumSize(QSize(64, 48));

    hands = std::make_unique<ComputerHands>(
        *document, [this](int id) { RunCommand(id); }, [this](int kind) { Give(BombChoiceInput{kind}); },
        [this] { return GetDocument()->newGamePending || roundEndBusy || roundEndQueued; });
    player = std::make_unique<RecordPlayer>([this](qint64 pacedMs) { GiveDueRecordedInputs(pacedMs); });
    gameInputs.Attach([this](const InputBody& input) { ApplyInput(input); },
                      [this] { return GameDigest(*GetDocument()); }, FlightStepNow);
    gameInputs.onDiverged = [this](int turn) { OnRecordDiverged(turn); };
    gameInputs.onScriptDone = [this] { OnRecordPlayedOut(); };
    windTimer.setObjectName(QStringLiteral("windTimer"));
    windTimer.setInterval(1000);
    connect(&windTimer, &QTimer::timeout, this, [this] { OnTimer(ID_TIMER_WIND); });
}

CKratView::~CKratView()
{
    windTimer.stop();
    gameInputs.StopPlayback();
    gameInputs.Attach(nullptr, nullptr, nullptr);
    gameInputs.onDiverged = nullptr;
    gameInputs.onScriptDone = nullptr;
    player.reset();
    hands.reset();
    if (hRC && QOpenGLContext::currentContext() == hRC)
        hRC->doneCurrent();
    delete hRC;
    hRC = nullptr;
    delete background;
}

int CKratView::OnCreate()
{
    roundEndBusy = 0;
    StartNewGame();
    return 0;
}

void CKratView::StartNewGame()
{
    CKratDoc* doc = GetDocument();
    doc->newGamePending = 0;
    hands->Stop(); // nothing of the old game's turn acts on the new one
    hands->Forget();
    for (int i = 0; i < playerCount; ++i)
        tanks[i].EndTurn();
    // The numbers come from the new-game dialog, or from the record played.
    const NewGameInput asked{TextToInt(doc->newGameDialog.m_players), TextToInt(doc->newGameDialog.m_rounds),
                             wind.direction, wind.strength};
    const NewGameInput game = gameInputs.BeginGame(asked);
    roundsLeft = game.rounds;
    playerCount = game.players;
    wind.direction = game.windDirection;
    wind.strength = game.windStrength;
    SeatsInput seatsNow;
    for (int slot = 0; slot < MAX_PLAYERS; ++slot)
        seatsNow.choice[slot] = ChoiceOfSeat(seats[slot]);
    gameInputs.GameSeats(seatsNow);
    if (gameInputs.Playing() && !unseen)
        player->Start(); // an unseen view's playback gives its inputs unpaced
    else
        player->Stop();
    for (int i = 0; i < playerCount; ++i)
        tanks[i].ResetForNewGame();
    currentPlayer = 0;
    tanks[0].BeginTurn();

    for (int j = 0; j < MAX_PLAYERS; ++j) {
        doc->SetWeaponPlayer(j);
        doc->SelectWeapon(0);
    }
    doc->SetWeaponPlayer(0);
    doc->SyncWeaponCombo(0);

    const cCzolg& tank = tanks[currentPlayer];
    doc->UpdateFromTank(tank);
    doc->SetShownHorizAngle(tank.heading);
    doc->SetShownVertAngle(tank.elevation);
    doc->SetShownPower(tank.power);
    doc->SetShownStock(tank.GetSelectedStock());

    for (int slot = 0; slot < MAX_PLAYERS; ++slot)
        ResetCamera(slot);
    SetupRound();
    OnTurnBegins();
}

void CKratView::OnTurnBegins()
{
    gameInputs.TurnBegins();
    if (gameInputs.Turn() != purchasesTurn)
        purchases.clear();
    player->TurnBegan();
    ContinueTurn();
}

void CKratView::ContinueTurn()
{
    const Seat& seat = seats[currentPlayer];
    const bool turnOpen = shotFired == 0 && tanks[currentPlayer].hasFired == 0;
    if (seat.PlaysByItself() && turnOpen && !gameInputs.Playing())
        hands->Play(seat.level); // from where the barrel stands
    else
        hands->Stop();
}

void CKratView::OnSeatsChanged()
{
    const bool turnOpen = shotFired == 0 && tanks[currentPlayer].hasFired == 0 && !GetDocument()->newGamePending
                          && roundEndBusy == 0 && !roundEndQueued;
    if (!turnOpen)
        return; // the next turn asks the seat anew
    const Seat& seat = seats[currentPlayer];
    if (!seat.PlaysByItself())
        hands->Stop();
    else if (!hands->IsPlaying() || hands->Level() != seat.level)
        hands->Play(seat.level);
}

bool CKratView::PersonsInputActs() const
{
    return !gameInputs.Playing() && seats[currentPlayer].TakesPersonsInput();
}

bool CKratView::GameInProgress() const
{
    return gameInputs.GameRuns() && !gameInputs.Playing() && !GetDocument()->newGamePending;
}

bool CKratView::IsWatching() const
{
    return gameInputs.Playing();
}

void CKratView::WatchRecord(const GameRecord& record)
{
    hands->Stop();
    gameInputs.StartPlayback(record.stream, record.finished);
    roundEndQueued = false; // a round end on its way belonged to the game before
    GetDocument()->newGamePending = 1; // the next frame begins the record's game
    RequestFrame();
}

void CKratView::ResumeRecord(const GameRecord& record)
{
    hands->Stop();
    hands->Forget();
    CKratDoc* doc = GetDocument();
    doc->newGamePending = 0;
    roundEndQueued = false;
    roundEndBusy = 0;
    RestoreSnapshot(record.end, *doc);
    gameInputs.Resume(record.stream, record.end.turn, record.end.msIntoTurn);
    player->Stop();
    doc->SyncWeaponCombo(doc->GetSelectedWeapon());
    ContinueTurn();
    RequestFrame(); // a flight goes on from its step; a finished shot passes its turn
}

void CKratView::NoteRecordedPurchase(int slot, int small, int medium, int large)
{
    const int nextTurn = gameInputs.Turn() + 1;
    if (purchasesTurn != nextTurn)
        purchases.clear();
    purchasesTurn = nextTurn;
    purchases += (purchases.isEmpty() ? QString() : QStringLiteral("; "))
                 + Text(IDS_PLAYBACK_SHOP).arg(slot + 1).arg(small).arg(medium).arg(large);
}

void CKratView::GiveDueRecordedInputs(qint64 pacedMs)
{
    bool given = false;
    while (gameInputs.GiveDueInput(FlightStepNow(), pacedMs, unseen))
        given = true;
    if (given)
        RequestFrame();
}

// The record and the game went apart: never shown as if it were right. The
// message waits for the event loop (this may be inside a frame), and a new
// game follows as after any game's end.
void CKratView::OnRecordDiverged(int turn)
{
    player->Stop();
    hands->Stop();
    if (unseen)
        return;
    QMetaObject::invokeMethod(this, [this, turn] {
        ShowMessage(window(), Text(IDS_RECORD_DIVERGED).arg(turn + 1));
        GetDocument()->ShowNewGameDialog();
        RequestFrame();
    }, Qt::QueuedConnection);
}

// An unfinished game's record has been watched to its end: the game is the
// players' again from here.
void CKratView::OnRecordPlayedOut()
{
    player->Stop();
    if (unseen)
        return; // an unseen replay ends with its record
    ContinueTurn();
    RequestFrame();
}

bool CKratView::PlayFrame()
{
    if (!framePending && !GetDocument()->newGamePending)
        return false;
    OnPaint();
    return true;
}

bool CKratView::RunRoundEndNow()
{
    if (!roundEndQueued)
        return false;
    RunQueuedRoundEnd();
    return true;
}

void CKratView::RequestFrame()
{
    framePending = true;
    if (framePosted || unseen)
        return;
    framePosted = true;
    QCoreApplication::postEvent(this, new QEvent(FrameRequest), Qt::LowEventPriority);
}

bool CKratView::event(QEvent* event)
{
    if (event->type() != FrameRequest)
        return QWindow::event(event);
    framePosted = false;
    if (framePending && isExposed())
        OnPaint();
    return true;
}

// Every uncovering draws a frame, as the platform's paint message does; a
// hidden view keeps its request until it is shown again.
void CKratView::exposeEvent(QExposeEvent*)
{
    if (!isExposed())
        return;
    if (glUsable && !hRC) {
        if (pixelFormat == 0)
            SetupPixelFormat();
        if (!CreateGLContext())
            glUsable = false; // blind from here on, the wind still drifting
    }
    OnPaint();
}

void CKratView::resizeEvent(QResizeEvent*)
{
    if (background)
        background->resize(size());
    if (hRC)
        ApplySize();
}

void CKratView::QueueRoundEnd()
{
    if (roundEndQueued)
        return;
    roundEndQueued = true;
    QMetaObject::invokeMethod(this, [this] { RunQueuedRoundEnd(); }, Qt::QueuedConnection);
}

void CKratView::RunQueuedRoundEnd()
{
    if (!roundEndQueued)
        return; // run already, or the game it belonged to was replaced
    roundEndQueued = false;
    EndRound(*this);
    RequestFrame();
}

// The window stands as a surface of the game's format: from here on the wind
// drifts, whether or not a context can draw on it.
void CKratView::SetupPixelFormat()
{
    pixelFormat = 1;
    windTimer.start();
}

bool CKratView::CreateGLContext()
{
    hRC = new QOpenGLContext;
    hRC->setFormat(GameSurfaceFormat());
    if (GlFailsOnRequest(GlStep::Context) || !hRC->create() || !hRC->makeCurrent(this)) {
        delete hRC;
        hRC = nullptr;
        ReportNoGl();
        return false;
    }
    InitGlState();
    ApplySize();
    return true;
}

bool CKratView::makeCurrent()
{
    return hRC && (QOpenGLContext::currentContext() == hRC || hRC->makeCurrent(this));
}

void CKratView::doneCurrent()
{
    if (hRC)
        hRC->doneCurrent();
}

QSize CKratView::SurfaceLimit() const
{
    QSize limit = screen() ? screen()->virtualSize() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (maxViewport.isValid() && !maxViewport.isEmpty())
        limit = limit.boundedTo(maxViewport / devicePixelRatio());
    return limit.expandedTo(minimumSize());
}

void CKratView::ApplySize()
{
    OnSize(width(), height());
}

// The viewport is given in device pixels, and never beyond what the driver draws.
void CKratView::OnSize(int width, int height)
{
    if (!makeCurrent())
        return;
    const qreal scale = devicePixelRatio();
    int w = static_cast<int>(width * scale);
    int h = static_cast<int>(height * scale);
    if (!maxViewport.isEmpty()) {
        w = std::min(w, maxViewport.width());
        h = std::min(h, maxViewport.height());
    }
    SetProjection(w, h);
    glDrawBuffer(GL_BACK);
}
