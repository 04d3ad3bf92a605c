#pragma once

#include "dialogs/Sklepik.h"

#include <QOpenGLWidget>
#include <QTimer>

class CKratDoc;
class QOpenGLContext;

// The 3D view: the GL surface, the frame (which is also the game's clock: each
// frame advances a flying shell by one step), the mouse camera, and the
// commands, keys and wind timer that act on the current tank.
class CKratView : public QOpenGLWidget {
    Q_OBJECT

public:
    int roundEndBusy;  // 1 while the round end runs the shop visits
    int mouseButtons;  // 0 none, 1 left, 2 right, 3 both
    int lastMouseY;
    int lastMouseX;
    CSklepik shop;
    QOpenGLContext* hRC;
    int pixelFormat;   // 1 once the surface has its format, 0 before

    explicit CKratView(CKratDoc* document, QWidget* parent = nullptr);
    ~CKratView() override;

    CKratDoc* GetDocument() const { return document; }

    // View creation: clears the round-end guard and starts the first game.
    int OnCreate();
    void StartNewGame();

    // A deferred frame; requests merge until it is drawn.
    void RequestFrame();
    bool IsFramePending() const { return framePending; }
    // Runs the round end from the event loop once the current frame is done.
    void QueueRoundEnd();
    bool IsRoundEndQueued() const { return roundEndQueued; }

    // Tank commands (toolbar) and the fire request shared with Space.
    // OnCommand routes a command id (ID_BARREL_LEFT...) to its handler.
    void OnCommand(int id);
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

    // Frames drawn so far (benchmarks and tests count them).
    long long FrameCount() const { return frameCount; }

signals:
    // Every frame, after the turn logic ran: the game state is settled here.
    void frameDrawn();

protected:
    void initializeGL() override; // the surface is ready: GL state, wind timer
    void resizeGL(int width, int height) override;
    void paintGL() override; // one frame
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void RunQueuedRoundEnd();
    // Aim the current tank, show the value in the status bar, ask for a frame.
    void TurnBarrel(int delta);
    void RaiseBarrel(int delta);
    void ChangePower(int delta);

    CKratDoc* document;
    QTimer windTimer{this}; // a child named "windTimer", so tests can hold the wind still
    bool framePending = false;
    bool roundEndQueued = false;
    long long frameCount = 0;
};
