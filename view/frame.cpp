#include "view/kratView.h"

#include "view/frame.h"

#include "doc/kratDoc.h"
#include "view/computerHands.h"
#include "view/gameInputs.h"
#include "view/gameState.h"
#include "view/invariants.h"
#include "view/recordPlayer.h"

#include <GL/gl.h>

#include <QBackingStore>
#include <QOpenGLContext>
#include <QPainter>

#include <utility>

namespace {

// The frame's pixels as the window will show them, top row first.
QImage ReadBackBuffer(int width, int height)
{
    QImage image(width, height, QImage::Format_RGBA8888);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    return image.mirrored().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// One point light fixed in the world above the middle of the field.
void SetLight()
{
    const GLfloat ambient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    const GLfloat diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat position[4] = {50.0f, 50.0f, 50.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 10.0f);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
}

void ApplyCamera(int slot)
{
    glRotatef(static_cast<float>(camPitch[slot]), 1, 0, 0);
    glRotatef(static_cast<float>(camYaw[slot]), 0, 1, 0);
    glRotatef(static_cast<float>(camRoll[slot]), 0, 0, 1);
    glTranslatef(-camX[slot], -camY[slot], -camZ[slot]);
}

void DrawWindAndTerrain()
{
    wind.Draw();
    // A software renderer holds a frame's triangles until its next frame
    // begins; with the lit objects finished first, the terrain's reuse their
    // memory, and a game at rest keeps a third less of it (eight tanks).
    glFinish();
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHTING);
    terrain.Draw();
    glEnd();
}

// The frame is the game's clock: drawing the current tank advances its shell
// one step, a landing is resolved before the other tanks are drawn (so they
// already stand on the new ground), the finished frame is presented, and only
// then does the turn pass: what PassTurn changes shows from the next frame on,
// drawn from the next player's camera.
void CKratView::OnPaint()
{
    framePending = false;
    ++frameCount;
    if (GetDocument()->newGamePending)
        StartNewGame();
    // A record's inputs of this step (aiming that bends the flight) act
    // before the shell takes it, as they did when they were given.
    if (gameInputs.Playing())
        GiveDueRecordedInputs(player->PacedMsIntoTurn());
    if (hRC) {
        makeCurrent(); // the warm-up's context may have been current meanwhile
        DrawFrame();
        glFinish();
        if (captureNext) {
            captureNext = false;
            captured = ReadBackBuffer(width() * devicePixelRatio(), height() * devicePixelRatio());
        }
        hRC->swapBuffers(this);
    } else {
        PlayBlind();
    }
    PassTurn(*this);
    Q_ASSERT_X(BrokenInvariants(*this).isEmpty(), "frame", qPrintable(BrokenInvariants(*this).join('\n')));
    emit frameDrawn();
}

void CKratView::DrawFrame()
{
    if (!unseen) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
        ApplyCamera(currentPlayer);
        SetLight();
    }

    cCzolg& shooter = tanks[currentPlayer];
    const int flight = shooter.Draw(wind, terrain);
    if (flight == 2) {
        soundCues.BeforeBlast();
        ResolveExplosion();
        soundCues.AfterBlast();
    }
    if (flight != 1) // the shell landed or left: the computer learns where
        hands->ShellEnded(flight, shooter.shell.x, shooter.shell.z);
    if (unseen)
        return; // the rest of the frame only draws, and nobody looks
    for (int i = 0; i < playerCount; ++i)
        if (i != currentPlayer)
            tanks[i].Draw(wind, terrain);
    DrawWindAndTerrain();
    soundCues.FrameDrawn();
}

// Without a context the frame is still the game's clock: the same steps in
// the same order (the shell moves, lands and hurts), drawn into no context,
// where every drawing call does nothing; the window shows a plain background.
void CKratView::PlayBlind()
{
    if (QOpenGLContext* other = QOpenGLContext::currentContext())
        other->doneCurrent(); // the steps must not draw into a context not the view's
    DrawFrame();
    PaintBackground();
}

// A view whose own context failed has a GL window and no background store:
// nothing is drawn in it.
void CKratView::PaintBackground()
{
    if (!background)
        return;
    const QRect area(QPoint(0, 0), size());
    if (background->size() != size())
        background->resize(size());
    background->beginPaint(area);
    QPainter painter(background->paintDevice());
    painter.fillRect(area, Qt::black);
    painter.end();
    background->endPaint();
    background->flush(area);
}

QImage CKratView::grabFramebuffer()
{
    if (!hRC || !isExposed())
        return {};
    captureNext = true;
    OnPaint();
    return std::exchange(captured, QImage());
}
