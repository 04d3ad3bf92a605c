// Frame benchmark: what one frame of the full scene costs in a real GL
// context, part by part; then, at 1024x768 and 1280x1024, the frame rate and
// CPU per frame of the real game window during a flight, against the floor
// (a native GL window of the same binding with the same bars that only
// clears) and the scene drawn alone off-screen; the flight with the sound
// switched off and on, and what the sound's calls of one frame cost alone.
// Prints medians; asserts nothing.
#include "app/MainFrm.h"
#include "app/krat.h"
#include "audio/gameSound.h"
#include "doc/kratDoc.h"
#include "view/frame.h"
#include "view/glSurface.h"
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
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <ctime>
#include <functional>
#include <cstdio>
#include <cstdlib>
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

struct Rate {
    double fps = 0, cpuMs = 0;
};

double CpuMsSince(std::clock_t start, long long frames)
{
    return 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC / double(std::max(frames, 1LL));
}

void Settle(int ms)
{
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// The real program, eight players, in a window of the given size: frames per
// second and process CPU time (all threads) per frame while a shell climbs
// straight up and falls back (about 200 steps); medians of three flights.
Rate MeasureFlightInTheGameWindow(QSize size, QSize* viewSize, bool withSound)
{
    theApp.Sound()->SetEnabled(withSound);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    answer.start(20);
    theApp.CreateWindows();
    CMainFrame* frame = theApp.MainFrame();
    frame->resize(size);
    frame->show();
    CKratView* view = theApp.View();
    theApp.Document()->newGameDialog.m_players = QStringLiteral("8");
    theApp.Document()->newGamePending = 1;
    view->RequestFrame();
    Settle(1500);

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
        cpuPerFrame.push_back(CpuMsSince(cpuBefore, view->FrameCount() - before));
        rates.push_back((view->FrameCount() - before) / seconds);
        for (int i = 0; i < playerCount; ++i)
            tanks[i].energy = 100; // keep the round going
    }
    *viewSize = view->size();
    theApp.ExitInstance();
    return {Median(rates), Median(cpuPerFrame)};
}

// The floor: a native GL window of the game's binding (its own context, the
// game's format, frames asked for by the same merged low-priority event) that
// only clears and presents, in a main window with the same bars.
class ClearOnlyWindow : public QWindow {
public:
    long long frames = 0;

    ClearOnlyWindow()
    {
        setSurfaceType(QSurface::OpenGLSurface);
        setFormat(GameSurfaceFormat());
    }

protected:
    void exposeEvent(QExposeEvent*) override
    {
        if (isExposed())
            Request();
    }

    bool event(QEvent* event) override
    {
        if (event->type() != frameEvent)
            return QWindow::event(event);
        posted = false;
        if (!isExposed())
            return true;
        if (!context.isValid()) {
            context.setFormat(GameSurfaceFormat());
            context.create();
        }
        context.makeCurrent(this);
        glViewport(0, 0, width() * devicePixelRatio(), height() * devicePixelRatio());
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
        context.swapBuffers(this);
        ++frames;
        Request();
        return true;
    }

private:
    void Request()
    {
        if (posted)
            return;
        posted = true;
        QCoreApplication::postEvent(this, new QEvent(frameEvent), Qt::LowEventPriority);
    }

    const QEvent::Type frameEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
    QOpenGLContext context;
    bool posted = false;
};

struct FloorWindow {
    QMainWindow window;
    ClearOnlyWindow* gl = new ClearOnlyWindow;

    explicit FloorWindow(QSize size)
    {
        window.menuBar()->addMenu(QStringLiteral("&Gra"));
        window.addToolBar(QStringLiteral("bar"))->addAction(QStringLiteral("+"));
        window.statusBar()->showMessage(QStringLiteral("Ready"));
        window.setCentralWidget(QWidget::createWindowContainer(gl, &window));
        window.resize(size);
        window.show();
    }
};

Rate MeasureFloor(QSize size)
{
    FloorWindow floor(size);
    Settle(1000);
    const long long before = floor.gl->frames;
    const std::clock_t cpuBefore = std::clock();
    QElapsedTimer run;
    run.start();
    while (run.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    const long long frames = floor.gl->frames - before;
    return {frames / (run.nsecsElapsed() / 1e9), CpuMsSince(cpuBefore, frames)};
}

// The game's scene alone, as the frame draws it, into an off-screen target of
// the view's size: process CPU time per frame, finished each time.
double MeasureSceneOffscreen(QSize size)
{
    QOffscreenSurface surface;
    QOpenGLContext context;
    if (!MakeOffscreenContext(surface, context))
        return 0;
    double cpu = 0;
    {
        QOpenGLFramebufferObject target(size, QOpenGLFramebufferObject::CombinedDepthStencil);
        target.bind();
        InitGlState();
        SetProjection(size.width(), size.height());
        PrepareScene();
        for (int i = 0; i < 10; ++i)
            DrawSceneFrame();
        glFinish();
        const int frames = 100;
        const std::clock_t start = std::clock();
        for (int i = 0; i < frames; ++i) {
            DrawSceneFrame();
            glFinish();
        }
        cpu = CpuMsSince(start, frames);
        target.release();
    }
    context.doneCurrent();
    return cpu;
}

void CompareGameWithFloorAndScene(QSize size)
{
    QSize viewSize;
    const Rate game = MeasureFlightInTheGameWindow(size, &viewSize, false);
    const Rate heard = MeasureFlightInTheGameWindow(size, &viewSize, true);
    const Rate floor = MeasureFloor(size);
    const double scene = MeasureSceneOffscreen(viewSize);
    std::printf("window %dx%d (view %dx%d):\n", size.width(), size.height(), viewSize.width(), viewSize.height());
    std::printf("  game window, flight, 8 players:   %6.1f fps, %6.2f ms CPU a frame\n", game.fps, game.cpuMs);
    std::printf("  the same with the sound on:        %6.1f fps, %6.2f ms CPU a frame (mixer thread included)\n",
                heard.fps, heard.cpuMs);
    std::printf("  floor (native window, clear only): %6.1f fps, %6.2f ms CPU a frame\n", floor.fps, floor.cpuMs);
    std::printf("  scene alone, off-screen:           %14.2f ms CPU a frame\n", scene);
    std::printf("  game / (scene + floor):            %14.2f\n", game.cpuMs / (scene + floor.cpuMs));
}

// What the frame asks of the sound while a shell flies: the listener at the
// camera and the whistle moved to the shell; microseconds of the calling
// thread a frame, the mixer's own thread not counted.
void MeasureSoundCallsOfAFrame()
{
    QElapsedTimer making;
    making.start();
    size_t samples = 0;
    for (int e = 0; e < EFFECT_COUNT; ++e)
        samples += SynthesiseEffect(static_cast<Effect>(e)).size();
    std::printf("making the effects at start-up: %.1f ms for %.1f s of sound\n", making.nsecsElapsed() / 1e6,
                double(samples) / EFFECT_RATE);
    GameSound& sound = *theApp.Sound();
    sound.SetEnabled(true);
    if (!sound.IsAudible()) {
        std::printf("sound calls of a frame: no sound device\n");
        return;
    }
    const int frames = 20000;
    timespec start, end;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    for (int i = 0; i < frames; ++i) {
        sound.PlaceListener(CameraListener(60, i % 360, 0, 50, 70, 87));
        sound.FlightAt(float(i % 100), 30, 50);
    }
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    sound.StopAll();
    const double us = ((end.tv_sec - start.tv_sec) * 1e9 + (end.tv_nsec - start.tv_nsec)) / 1e3 / frames;
    std::printf("sound calls of a flight frame (listener, whistle): %.2f us CPU\n", us);
}

// The bare floor window for a while, so that bench/figures can read its memory.
void ShowFloorFor(int seconds)
{
    FloorWindow floor(QSize(1024, 768));
    Settle(seconds * 1000);
}

} // namespace

int main(int argc, char* argv[])
{
    // The sound is mixed as for a real device and the result let go: the
    // figures then hold on a machine without a sound card too. Set
    // ALSOFT_DRIVERS to measure the machine's own device instead.
    setenv("ALSOFT_DRIVERS", "null", 0);
    QApplication application(argc, argv);
    InitResources();
    if (argc == 3 && qstrcmp(argv[1], "--floor-window") == 0) {
        ShowFloorFor(std::atoi(argv[2]));
        return 0;
    }
    MeasureSoundCallsOfAFrame();
    MeasureSceneAgainstClearAndPresent();
    CompareGameWithFloorAndScene(QSize(1024, 768));
    CompareGameWithFloorAndScene(QSize(1280, 1024));
    return 0;
}
