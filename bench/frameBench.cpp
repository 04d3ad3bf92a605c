// Frame benchmark: what one frame of the full scene costs in a real GL
// context, against a frame that only clears and presents; the frame rate and
// CPU per frame of the real game window during a flight, against a bare GL
// widget in a window with the same bars that only clears. Prints medians;
// asserts nothing.
#include "app/MainFrm.h"
#include "app/krat.h"
#include "app/kratDoc.h"
#include "view/frame.h"
#include "view/gameState.h"
#include "view/kratView.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QElapsedTimer>
#include <QOpenGLContext>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <ctime>
#include <functional>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Eight tanks, craters, a shell in the air and the strongest wind.
void PrepareScene()
{
    playerCount = 8;
    terrain.Generate();
    PlaceTanks();
    for (int i = 0; i < 8; ++i) {
        tanks[i].ResetForNewGame();
        tanks[i].SetPlayer(i);
        tanks[i].Place(tanks[i].x, tanks[i].y, tanks[i].z);
    }
    tanks[0].BeginTurn();
    tanks[3].alive = 0;
    for (int k = 0; k < 12; ++k)
        tanks[0].shell.DigCrater(10 + 7 * k, 20 + 5 * k, 8, 4, terrain);
    wind.strength = 10;
    wind.direction = 30;
}

void DrawSceneFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyCamera(0);
    SetLight();
    cCzolg& shooter = tanks[0];
    shooter.inFlight = 1; // keep the shell in the air: it is drawn every frame
    shooter.flightStep = 5;
    shooter.launchPower = 0;
    shooter.elevation = 80;
    shooter.power = 100;
    shooter.shell.Launch(0, shooter.x, shooter.y + 30, shooter.z);
    for (int i = 0; i < playerCount; ++i)
        tanks[i].Draw(wind, terrain);
    DrawWindAndTerrain();
}

void MeasureSceneAgainstClearAndPresent()
{
    QSurfaceFormat format;
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapInterval(0);
    QWindow window;
    window.setSurfaceType(QSurface::OpenGLSurface);
    window.setFormat(format);
    window.resize(1024, 768);
    window.show();
    QOpenGLContext context;
    context.setFormat(format);
    context.create();
    context.makeCurrent(&window);

    glViewport(0, 0, 1024, 768);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1024.0 / 768.0, 0.1, 1000000.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glClearColor(0, 0, 0, 0.5f);
    PrepareScene();

    const int frames = 200;
    std::vector<double> scene, clearPresent, whole;
    QElapsedTimer timer;
    for (int i = 0; i < frames + 10; ++i) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
        timer.start();
        DrawSceneFrame();
        glFinish();
        const double drawn = timer.nsecsElapsed() / 1e6;
        context.swapBuffers(&window);
        glFinish();
        const double all = timer.nsecsElapsed() / 1e6;
        if (i >= 10) {
            scene.push_back(drawn);
            whole.push_back(all);
        }
    }
    for (int i = 0; i < frames + 10; ++i) {
        timer.start();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        context.swapBuffers(&window);
        glFinish();
        if (i >= 10)
            clearPresent.push_back(timer.nsecsElapsed() / 1e6);
    }
    // Where the drawing time goes: each part alone, finished before the clock stops.
    auto timePart = [&](const char* name, const std::function<void()>& part) {
        std::vector<double> t;
        for (int i = 0; i < 60; ++i) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glLoadIdentity();
            ApplyCamera(0);
            SetLight();
            glFinish();
            timer.start();
            part();
            glFinish();
            t.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::printf("  %-34s %6.2f ms\n", name, Median(t));
    };
    std::printf("parts of the scene (median of 60):\n");
    timePart("terrain (20394 triangles, unlit)", [] {
        glDisable(GL_LIGHTING);
        terrain.Draw();
        glEnd();
    });
    glViewport(0, 0, 16, 12);
    timePart("terrain in a 16x12 viewport", [] {
        glDisable(GL_LIGHTING);
        terrain.Draw();
        glEnd();
    });
    timePart("eight tanks in a 16x12 viewport", [] {
        for (int i = 0; i < playerCount; ++i)
            tanks[i].Draw(wind, terrain);
    });
    glViewport(0, 0, 1024, 768);
    timePart("one living tank (lit)", [] { tanks[1].Draw(wind, terrain); });
    timePart("eight tanks and the shell (lit)", [] {
        for (int i = 0; i < playerCount; ++i)
            tanks[i].Draw(wind, terrain);
    });
    timePart("wind indicator, strength 10 (lit)", [] { wind.Draw(); });

    const double s = Median(scene), c = Median(clearPresent), w = Median(whole);
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("scene drawing, 1024x768, median of %d: %.2f ms\n", frames, s);
    std::printf("clear and present, 1024x768, median of %d: %.2f ms\n", frames, c);
    std::printf("whole scene frame (drawing and present): %.2f ms\n", w);
    std::printf("scene drawing / clear-and-present frame: %.2f\n", s / c);
    context.doneCurrent();
}

// The real program in a 1280 x 1024 window: frames per second while a shell
// climbs straight up and falls back (about 200 steps).
void MeasureFlightInTheGameWindow()
{
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    answer.start(20);
    theApp.CreateWindows();
    CMainFrame* frame = theApp.MainFrame();
    frame->resize(1280, 1024);
    frame->show();
    CKratView* view = theApp.View();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1500)
        QApplication::processEvents(QEventLoop::AllEvents, 50);

    std::vector<double> rates, cpuPerFrame;
    for (int shot = 0; shot < 3; ++shot) {
        cCzolg& tank = tanks[currentPlayer];
        tank.elevation = 90;
        tank.power = 100;
        const long long before = view->FrameCount();
        const std::clock_t cpuBefore = std::clock();
        QElapsedTimer flight;
        flight.start();
        view->RequestFire();
        while (shotFired || view->IsRoundEndQueued())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        const double seconds = flight.nsecsElapsed() / 1e9;
        cpuPerFrame.push_back(1000.0 * (std::clock() - cpuBefore) / CLOCKS_PER_SEC / (view->FrameCount() - before));
        rates.push_back((view->FrameCount() - before) / seconds);
        tanks[0].energy = tanks[1].energy = 100; // keep the round going
    }
    std::printf("game window %dx%d (view %dx%d), frames per second during a flight: %.1f (median of %zu flights)\n",
                frame->width(), frame->height(), view->width(), view->height(), Median(rates), rates.size());
    std::printf("  CPU per flight frame, all threads: %.2f ms\n", Median(cpuPerFrame));
    theApp.ExitInstance();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    InitResources();
    MeasureSceneAgainstClearAndPresent();
    MeasureFlightInTheGameWindow();
    return 0;
}
