#include "view/kratView.h"

#include "doc/kratDoc.h"
#include "dialogs/decimalText.h"
#include "res/resource.h"
#include "res/stringTable.h"
#include "view/computerHands.h"
#include "view/gameState.h"
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

CKratView::CKratView(CKratDoc* doc, QWidget* hostWindow)
    : roundEndBusy(0), mouseButtons(0), lastMouseY(0), lastMouseX(0), hRC(nullptr), pixelFormat(0), document(doc),
      host(hostWindow)
{
    glUsable = CanCreateGlContext();
    maxViewport = MaxViewportSize();
    if (glUsable) {
        setSurfaceType(QSurface::OpenGLSurface);
        setFormat(GameSurfaceFormat());
    } else {
        ReportNoGl();
        setSurfaceType(QSurface::RasterSurface);
        background = new QBackingStore(this);
    }
    setMinimumSize(QSize(64, 48));

    hands = std::make_unique<ComputerHands>(*document, [this](int id) { RunCommand(id); }, [this] {
        return GetDocument()->newGamePending || roundEndBusy || roundEndQueued;
    });
    windTimer.setObjectName(QStringLiteral("windTimer"));
    windTimer.setInterval(1000);
    connect(&windTimer, &QTimer::timeout, this, [this] { OnTimer(ID_TIMER_WIND); });
}

CKratView::~CKratView()
{
    windTimer.stop();
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
    roundsLeft = TextToInt(doc->newGameDialog.m_rounds);
    playerCount = TextToInt(doc->newGameDialog.m_players);
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
    const Seat& seat = seats[currentPlayer];
    if (seat.PlaysByItself())
        hands->Play(seat.level);
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
    return seats[currentPlayer].TakesPersonsInput();
}

void CKratView::RequestFrame()
{
    framePending = true;
    if (framePosted)
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
