#include "view/kratView.h"

#include "app/kratDoc.h"
#include "dialogs/decimalText.h"
#include "res/resource.h"
#include "view/gameState.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QOpenGLContext>
#include <QSurfaceFormat>

CKratView::CKratView(CKratDoc* doc, QWidget* parent)
    : QOpenGLWidget(parent), roundEndBusy(0), mouseButtons(0), lastMouseY(0), lastMouseX(0), hRC(nullptr),
      pixelFormat(0), document(doc)
{
    // Double-buffered RGBA with depth and an 8-bit stencil, swapped in step
    // with the display where the platform allows it.
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setSwapInterval(1);
    setFormat(format);

    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // the last pointer position follows every move
    setMinimumSize(64, 48);

    windTimer.setObjectName(QStringLiteral("windTimer"));
    windTimer.setInterval(1000);
    connect(&windTimer, &QTimer::timeout, this, [this] { OnTimer(ID_TIMER_WIND); });
}

CKratView::~CKratView()
{
    windTimer.stop();
    hRC = nullptr;
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
}

void CKratView::RequestFrame()
{
    framePending = true;
    update();
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

void CKratView::initializeGL()
{
    hRC = context();
    pixelFormat = 1;

    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    windTimer.start();
}

void CKratView::resizeGL(int width, int height)
{
    OnSize(width, height);
}

void CKratView::OnSize(int width, int height)
{
    const qreal scale = devicePixelRatioF();
    glViewport(0, 0, static_cast<GLsizei>(width * scale), static_cast<GLsizei>(height * scale));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = height == 0 ? static_cast<double>(width) : static_cast<double>(width) / height;
    gluPerspective(45.0, aspect, static_cast<double>(0.1f), 1000000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
