// The dialogs, the message box and the bomb list of the real tarnok3d binary
// as a player sees them on the X display: read off screenshots, driven by
// xdotool. Each look is also kept as a picture in the test's "look" folder.
#include "desktop.h"
#include "screen.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>

using namespace Desktop;

namespace {

const QString computerPlayersTitle = QStringLiteral("^Gracze komputerowi$");

bool IsInk(QColor c) { return c.lightness() < 128; }
bool IsFrameGrey(QColor c) { return std::abs(c.red() - 171) <= 8 && c.red() == c.green() && c.green() == c.blue(); }
bool IsListWhite(QColor c) { return c.red() == 255 && c.green() == 255 && c.blue() == 255; }
bool IsHighlight(QColor c) { return c.blue() > c.red() + 60 && c.blue() > 150; }

// The columns that hold ink in the given rows: (leftmost, rightmost), or (-1, -1).
QPair<int, int> InkColumns(const QImage& shot, QRect area)
{
    int left = -1, right = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (IsInk(shot.pixelColor(x, y))) {
                left = left < 0 ? x : std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

// A template's rectangle in dialog units on the screen, the units read off the
// dialog's own size in units.
QRect UnitsOnScreen(QRect dialog, QSize dialogUnits, QRect units)
{
    const double ux = double(dialog.width()) / dialogUnits.width(), uy = double(dialog.height()) / dialogUnits.height();
    return QRect(dialog.left() + qRound(units.left() * ux), dialog.top() + qRound(units.top() * uy),
                 qRound(units.width() * ux), qRound(units.height() * uy));
}

// The ink of each line of a text block, the block's lines 8 units apart: one
// line of text is 8 dialog units high. Only each line's middle rows count, so
// accents and descenders of the neighbours do not.
QList<QPair<int, int>> InkOfLines(const QImage& shot, QRect dialog, QSize dialogUnits, QRect block, int lines)
{
    QList<QPair<int, int>> ink;
    for (int i = 0; i < lines; ++i) {
        const QRect line = UnitsOnScreen(dialog, dialogUnits, QRect(block.left(), block.top() + 8 * i, block.width(), 8));
        ink << InkColumns(shot, line.adjusted(0, line.height() * 3 / 8, 0, -line.height() * 3 / 8));
    }
    return ink;
}

// The window's client area on the screen, also under a window manager that
// frames it (xwininfo's absolute corner is the client's own).
QRect ClientArea(const QString& windowId)
{
    const QString info = Run(QStringLiteral("xwininfo"), {"-id", windowId});
    auto field = [&](const char* name) {
        const QRegularExpression line(QStringLiteral("%1:\\s*(-?\\d+)").arg(QLatin1String(name)));
        return line.match(info).captured(1).toInt();
    };
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"));
}

int Width(QPair<int, int> ink) { return ink.first < 0 ? 0 : ink.second - ink.first + 1; }

// The run of frame grey in row y as long as the selector's edge (150 pixels
// less the round corners): its first column, or -1.
int EdgeRun(const QImage& shot, QRect window, int y)
{
    int runStart = -1;
    for (int x = window.left(); x <= window.right(); ++x) {
        if (IsFrameGrey(shot.pixelColor(x, y))) {
            if (runStart < 0)
                runStart = x;
            continue;
        }
        if (runStart >= 0 && x - runStart >= 130 && x - runStart <= 160)
            return runStart;
        runStart = -1;
    }
    return -1;
}

// The bomb selector's box in the toolbar: between the first two such edges.
QRect SelectorBox(const QImage& shot, QRect window)
{
    for (int top = window.top(); top < window.top() + 100; ++top) {
        const int left = EdgeRun(shot, window, top);
        if (left < 0)
            continue;
        for (int bottom = top + 8; bottom < top + 60; ++bottom)
            if (EdgeRun(shot, window, bottom) == left)
                return QRect(QPoint(left - 2, top), QPoint(left + 149, bottom));
        return QRect();
    }
    return QRect();
}

} // namespace

class DialogLookTest : public QObject {
    Q_OBJECT

    HeldDisplay held; // before the game starts, so that the display cannot reset under it
    QProcess game;
    QRect main; // the main window on the screen
    QDir look{QStringLiteral(TARNOK_LOOK_DIR)};

    QString Window(const QString& title)
    {
        const QStringList ids = Windows(title);
        return ids.isEmpty() ? QString() : ids.first();
    }

    // The window once it is up and painted: its place and a screenshot.
    // Painted once most of it is the dialog's grey face, its text shows, and
    // two screenshots in a row agree on it: a new window may show what lies
    // beneath it (the light sky of the game's view) until the game has drawn
    // into it, and a slow machine may be caught halfway through the drawing.
    QImage ShotOf(const QString& title, QRect& where)
    {
        if (!WaitForWindow(title))
            return QImage();
        QImage shot, previous;
        QRect previousWhere;
        const bool painted = QTest::qWaitFor([&] {
            where = ClientArea(Window(title));
            shot = Screenshot();
            const QImage face = shot.copy(where);
            const bool settled = where == previousWhere && face == previous;
            previous = face;
            previousWhere = where;
            return settled && !where.isEmpty()
                && Screen::Count(shot, where, Screen::IsDialogFace) > where.width() * where.height() / 2
                && InkColumns(shot, where).first >= 0;
        }, stateTimeoutMs);
        return painted ? shot : QImage();
    }

    void Keep(const QImage& shot, QRect area, const QString& name)
    {
        shot.copy(area).save(look.filePath(name + QStringLiteral(".png")));
    }

    void Click(QPoint at, int button = 1)
    {
        // No --sync: xdotool would wait for a pointer already there to move,
        // until its time ran out. The X server keeps the move before the click.
        Run(QStringLiteral("xdotool"), {"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
                                        QString::number(button)});
    }

    // The highlighted row of the open list below the box: its top, or -1.
    static int HighlightTop(const QImage& shot, QRect box)
    {
        for (int y = box.bottom() - 1; y < box.bottom() + 100; ++y)
            if (Screen::Count(shot, QRect(box.left(), y, box.width(), 1), IsHighlight) > box.width() / 2)
                return y;
        return -1;
    }

    // The list takes the keyboard a moment after it shows; until then a key
    // goes to the main window, where End and Escape do nothing. So each is
    // sent again while its effect does not show.
    bool HighlightAtTheEnd(QRect box)
    {
        const int first = HighlightTop(Screenshot(), box);
        if (first < 0)
            return false;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < stateTimeoutMs) {
            Keys({"End"});
            if (QTest::qWaitFor([&] { return HighlightTop(Screenshot(), box) > first + 4; }, 5000))
                return true;
        }
        return false;
    }

    bool ClosedByEscape(QRect below)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < stateTimeoutMs) {
            Keys({"Escape"});
            if (QTest::qWaitFor([&] { return Screen::Count(Screenshot(), below, IsListWhite) < below.width() * 5; }, 5000))
                return true;
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "needs an X display (xvfb-run)");
        QVERIFY2(Windows(mainTitle).isEmpty(), "another game is already on the display");
        QVERIFY(look.mkpath(QStringLiteral(".")));
        game.start(QStringLiteral(TARNOK3D_BINARY), {});
        QVERIFY(game.waitForStarted());
    }

    void theNewGameDialogIsShown()
    {
        QRect dialog;
        const QImage shot = ShotOf(newGameTitle, dialog);
        QVERIFY(!shot.isNull());
        Keep(shot, dialog, QStringLiteral("newGame"));
        // "Ilu graczy?? (maksymalnie 8)" ends inside its group box (7, 7, 104 wide).
        const QRect title = UnitsOnScreen(dialog, {186, 98}, QRect(7, 4, 104, 6));
        QVERIFY(InkColumns(shot, title).second < title.right() - 2);
        QVERIFY(Dismiss(newGameTitle, "Return"));
        QVERIFY(WaitForWindow(mainTitle));
        main = ClientArea(Window(mainTitle));
        QVERIFY2(main.width() > 300 && main.height() > 300, "the main window is gone or too small");
    }

    // The first block's five lines, "R - reset widoku" last and short, each in
    // its own line: the long line about the right button does not wrap.
    void theHelpShowsEveryLineOfTheMouseControls()
    {
        QVERIFY(OpenFromMenu({"alt+p", "p"}, helpTitle));
        QRect dialog;
        const QImage shot = ShotOf(helpTitle, dialog);
        QVERIFY(!shot.isNull());
        Keep(shot, dialog, QStringLiteral("help"));
        const auto lines = InkOfLines(shot, dialog, {186, 165}, QRect(13, 19, 153, 45), 5);
        const QRect block = UnitsOnScreen(dialog, {186, 165}, QRect(13, 19, 153, 45));
        QString widths;
        for (const auto& line : lines)
            widths += QString::number(Width(line)) + ' ';
        QVERIFY2(std::all_of(lines.begin(), lines.end(), [](auto line) { return line.first >= 0; }), qPrintable(widths));
        QVERIFY2(Width(lines[2]) <= block.width(), qPrintable(widths));
        QVERIFY2(Width(lines[3]) > Width(lines[2]) * 7 / 10, qPrintable(widths));     // "Oba klawisze myszy - ..."
        QVERIFY2(Width(lines[4]) < Width(lines[2]) / 2, qPrintable(widths));         // "R - reset widoku"
        QVERIFY(Dismiss(helpTitle, "Escape"));
    }

    // The one-line notice ends before its box does.
    void theAboutNoticeIsShownWhole()
    {
        QVERIFY(OpenFromMenu({"alt+p", "o"}, aboutTitle));
        QRect dialog;
        const QImage shot = ShotOf(aboutTitle, dialog);
        QVERIFY(!shot.isNull());
        Keep(shot, dialog, QStringLiteral("about"));
        const QRect notice = UnitsOnScreen(dialog, {217, 84}, QRect(40, 69, 119, 8));
        const auto ink = InkColumns(shot, notice);
        QVERIFY(ink.first >= 0);
        QVERIFY2(ink.second < notice.right() - 3, qPrintable(QStringLiteral("%1 of %2").arg(ink.second).arg(notice.right())));
        QVERIFY(Dismiss(aboutTitle, "Escape"));
    }

    // Menu "Gra", "Gracze komputerowi...": the last row's label ends inside
    // its box, and Escape closes the dialog.
    void theComputerPlayersDialogIsShownWhole()
    {
        QVERIFY(OpenFromMenu({"alt+g", "g"}, computerPlayersTitle));
        QRect dialog;
        const QImage shot = ShotOf(computerPlayersTitle, dialog);
        QVERIFY(!shot.isNull());
        Keep(shot, dialog, QStringLiteral("computerPlayers"));
        const QRect label = UnitsOnScreen(dialog, {150, 177}, QRect(7, 136, 34, 8));
        const auto ink = InkColumns(shot, label);
        QVERIFY(ink.first >= 0);
        QVERIFY2(ink.second < label.right() - 1, qPrintable(QStringLiteral("%1 of %2").arg(ink.second).arg(label.right())));
        QVERIFY(Dismiss(computerPlayersTitle, "Escape"));
    }

    // The wheel first, then a click: once the list is up, every wheel notch
    // before it has been handled, and none chose a kind or opened a refusal.
    void aWheelChangesNothingAndTheListDropsBelowTheBox()
    {
        const QImage before = Screenshot();
        const QRect box = SelectorBox(before, main);
        QVERIFY2(box.width() >= 130, "the bomb selector was not found in the toolbar");
        for (int notch = 0; notch < 3; ++notch)
            Click(box.center(), 5);
        Click(box.center(), 4);
        Click(box.center());
        const QRect below(box.left(), box.bottom() + 2, box.width(), 60);
        QImage open;
        QVERIFY(QTest::qWaitFor([&] {
            open = Screenshot();
            return !Windows(messageTitle).isEmpty() || Screen::Count(open, below, IsListWhite) > below.width() * 10;
        }, stateTimeoutMs));
        QVERIFY2(Windows(messageTitle).isEmpty(), "the wheel brought up a refusal");
        Keep(open, main.united(below), QStringLiteral("mainWithList"));
        // The chosen kind, still "Bomba zwykła", is highlighted in the list's
        // first row, which starts below the box instead of over it.
        int highlighted = -1;
        for (int y = std::max(box.top() - 100, main.top()); y < box.bottom() + 60 && highlighted < 0; ++y)
            if (Screen::Count(open, QRect(box.left(), y, box.width(), 1), IsHighlight) > box.width() / 2)
                highlighted = y;
        QVERIFY2(highlighted >= box.bottom() - 1, qPrintable(QStringLiteral("highlight at %1, box %2..%3").arg(highlighted).arg(box.top()).arg(box.bottom())));
        QVERIFY2(highlighted < box.bottom() + box.height(), qPrintable(QStringLiteral("highlight at %1, box %2..%3").arg(highlighted).arg(box.top()).arg(box.bottom())));
        QVERIFY2(ClosedByEscape(below), "the bomb list stays open after Escape");
    }

    // Picking "Bomba duża" with none in stock: the refusal, its text at the margin.
    void aRefusalBoxHasNoIconAndNoIndent()
    {
        const QRect box = SelectorBox(Screenshot(), main);
        QVERIFY(box.width() >= 130);
        Click(box.center());
        const QRect below(box.left(), box.bottom() + 2, box.width(), 60);
        QVERIFY(QTest::qWaitFor([&] { return Screen::Count(Screenshot(), below, IsListWhite) > below.width() * 10; }, stateTimeoutMs));
        // End (the last kind, "Bomba duża") until the highlight shows it
        // there, so that Return goes to the list and nowhere else.
        QVERIFY2(HighlightAtTheEnd(box), "End did not move the highlight down the list");
        Keys({"Return"});
        QRect message;
        const QImage shot = ShotOf(messageTitle, message);
        QVERIFY(!shot.isNull());
        Keep(shot, message, QStringLiteral("refusal"));
        const auto ink = InkColumns(shot, QRect(message.left(), message.top(), message.width(), message.height() / 2));
        QVERIFY2(ink.first >= 0 && ink.first - message.left() < 20, qPrintable(QString::number(ink.first - message.left())));
        QVERIFY(Dismiss(messageTitle, "Return"));
    }

    // A failed check leaves no window open for the next test.
    void cleanup()
    {
        for (const QString& title : {helpTitle, aboutTitle, messageTitle, computerPlayersTitle}) {
            if (Windows(title).isEmpty())
                continue;
            Focus(Window(title));
            Keys({"Escape"});
            WaitForNoWindow(title);
        }
        Keys({"Escape"}); // closes a list left open; the game itself ignores the key
    }

    void cleanupTestCase()
    {
        if (game.state() != QProcess::NotRunning) {
            game.kill();
            game.waitForFinished();
        }
    }
};

QTEST_MAIN(DialogLookTest)
#include "tst_dialogLook.moc"
