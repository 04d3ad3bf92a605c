#include "app/MainFrm.h"

#include "app/bombSelector.h"
#include "app/gameFiles.h"
#include "app/seatChoice.h"
#include "doc/kratDoc.h"
#include "dialogs/messageBox.h"
#include "res/images.h"
#include "res/resource.h"
#include "res/stringTable.h"
#include "view/kratView.h"
#include "view/recordPlayer.h"
#include "world/bombKinds.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

// A command's prompt is its string up to the first "\n".
QString Prompt(int id)
{
    return Text(id).section(QLatin1Char('\n'), 0, 0);
}

// The toolbar slots left to right; 0 is a separator.
const int toolbarSlots[] = {ID_BARREL_LEFT, ID_BARREL_RIGHT, 0, ID_BARREL_UP, ID_BARREL_DOWN, 0,
                            ID_POWER_UP,    ID_POWER_DOWN,   0, ID_FIRE,      0};

// The status panes left to right; 0 is the message pane.
const int paneIds[] = {0,
                       ID_PANE_ENERGY_LABEL, ID_PANE_ENERGY, ID_PANE_POWER_LABEL,  ID_PANE_POWER,
                       ID_PANE_HANGLE_LABEL, ID_PANE_HANGLE, ID_PANE_VANGLE_LABEL, ID_PANE_VANGLE,
                       ID_PANE_STOCK_LABEL,  ID_PANE_STOCK};

} // namespace

CMainFrame::CMainFrame(CKratDoc* doc)
    : m_helpDialog(nullptr), m_wndStatusBar(nullptr), m_wndToolBar(nullptr), m_bombSelector(nullptr),
      document(doc)
{
    // The document's title, " - ", then the frame's own title: both come from
    // the document string "\n- Tarnok 3D", whose first field is empty.
    const QString documentString = Text(IDS_DOC_STRING);
    setWindowTitle(documentString.section(QLatin1Char('\n'), 1, 1) + QStringLiteral(" - ")
                   + documentString.section(QLatin1Char('\n'), 0, 0));
    resize(1024, 768);
}

CMainFrame::~CMainFrame()
{
    document->SetBombSelectorSink(nullptr);
}

int CMainFrame::OnCreate()
{
    CreateActions();
    CreateMenu();
    if (!CreateToolBar()) {
        std::fputs("Failed to create toolbar\n", stderr);
        return -1;
    }
    if (!CreateStatusBar()) {
        std::fputs("Failed to create status bar\n", stderr);
        return -1;
    }
    // Every dialog that closes gives the keys back to the tank.
    qApp->installEventFilter(this);
    // The value panes follow the document whenever the program goes idle.
    connect(QAbstractEventDispatcher::instance(thread()), &QAbstractEventDispatcher::aboutToBlock, this,
            &CMainFrame::UpdatePanes);
    return 0;
}

QAction* CMainFrame::AddCommand(int id, int textId, const QString& prompt)
{
    auto* action = new QAction(textId ? Text(textId) : prompt, this);
    action->setData(id);
    action->setStatusTip(prompt);
    action->setToolTip(QString());
    commands.insert(id, action);
    return action;
}

void CMainFrame::CreateActions()
{
    for (int id : {ID_BARREL_LEFT, ID_BARREL_RIGHT, ID_BARREL_UP, ID_BARREL_DOWN, ID_POWER_UP, ID_POWER_DOWN,
                   ID_FIRE})
        connect(AddCommand(id, 0, Prompt(id)), &QAction::triggered, this, [this, id] {
            if (!view)
                return;
            view->OnCommand(id);
            FocusView();
        });

    QAction* newGame = AddCommand(ID_FILE_NEW, IDS_MENU_NEW, Prompt(ID_FILE_NEW));
    newGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    newGame->setShortcutContext(Qt::WindowShortcut);
    connect(newGame, &QAction::triggered, this, [this] {
        document->ShowNewGameDialog();
        if (view) {
            view->RequestFrame(); // the dialog uncovers the view: its next frame starts the game
            FocusView();
        }
    });

    // Saving, resuming and watching: each with its file dialog.
    connect(AddCommand(ID_FILE_SAVE, IDS_MENU_SAVE, Prompt(ID_FILE_SAVE)), &QAction::triggered, this, [this] {
        if (view)
            SaveGameAs(this, *document, *view);
    });
    connect(AddCommand(ID_FILE_OPEN, IDS_MENU_LOAD, Prompt(ID_FILE_OPEN)), &QAction::triggered, this, [this] {
        if (view)
            OpenGameFile(this, *document, *view, false);
    });
    connect(AddCommand(ID_GAME_REPLAY, IDS_MENU_REPLAY, Prompt(ID_GAME_REPLAY)), &QAction::triggered, this, [this] {
        if (view)
            OpenGameFile(this, *document, *view, true);
    });

    connect(AddCommand(ID_GAME_COMPUTER, IDS_MENU_COMPUTER, Prompt(ID_GAME_COMPUTER)), &QAction::triggered, this,
            &CMainFrame::OnComputerPlayers);
    // The sound switch: the application turns the sound on and off.
    AddCommand(ID_GAME_SOUND, IDS_MENU_SOUND, Prompt(ID_GAME_SOUND))->setCheckable(true);

    connect(AddCommand(ID_APP_EXIT, IDS_MENU_EXIT, Prompt(ID_APP_EXIT)), &QAction::triggered, this,
            &QWidget::close);
    AddCommand(ID_APP_ABOUT, IDS_MENU_ABOUT, Prompt(ID_APP_ABOUT)); // the application answers it
    connect(AddCommand(ID_HELP_MANUAL, IDS_MENU_MANUAL, Prompt(ID_HELP_MANUAL)), &QAction::triggered, this,
            &CMainFrame::OnHelpManual);
}

void CMainFrame::CreateMenu()
{
    QMenu* game = menuBar()->addMenu(Text(IDS_MENU_GAME));
    game->addAction(Command(ID_FILE_NEW));
    game->addSeparator();
    game->addAction(Command(ID_FILE_SAVE));
    game->addAction(Command(ID_FILE_OPEN));
    game->addAction(Command(ID_GAME_REPLAY));
    game->addSeparator();
    game->addAction(Command(ID_GAME_COMPUTER));
    game->addAction(Command(ID_GAME_SOUND));
    game->addSeparator();
    game->addAction(Command(ID_APP_EXIT));
    QMenu* help = menuBar()->addMenu(Text(IDS_MENU_HELP));
    help->addAction(Command(ID_APP_ABOUT));
    help->addAction(Command(ID_HELP_MANUAL));
    // A closed menu gives the keys back to the tank once its command has run.
    for (QMenu* menu : {game, help})
        connect(menu, &QMenu::aboutToHide, this, [this] {
            QMetaObject::invokeMethod(this, [this] { FocusView(); }, Qt::QueuedConnection);
        });
}

bool CMainFrame::CreateToolBar()
{
    const QPixmap strip(QString::fromLatin1(TOOLBAR_BITMAP));
    const int images = static_cast<int>(std::count_if(std::begin(toolbarSlots), std::end(toolbarSlots), [](int id) { return id != 0; }));
    if (strip.size() != QSize(images * TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT))
        return false;

    m_wndToolBar = new QToolBar(Text(IDS_TOOLBAR_TITLE), this);
    m_wndToolBar->setObjectName(QStringLiteral("toolbar"));
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(true);
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_wndToolBar->setIconSize(QSize(TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT));
    m_wndToolBar->setFocusPolicy(Qt::NoFocus);
    m_wndToolBar->installEventFilter(this); // keys on a floating toolbar go to the tank

    int image = 0;
    for (int id : toolbarSlots) {
        if (id == 0) {
            m_wndToolBar->addSeparator();
            continue;
        }
        QPixmap face = strip.copy(TOOLBAR_IMAGE_WIDTH * image++, 0, TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT);
        face.setMask(face.createMaskFromColor(QColor(192, 192, 192))); // the button face shows through
        QAction* action = Command(id);
        action->setIcon(QIcon(face));
        m_wndToolBar->addAction(action);
        QWidget* button = m_wndToolBar->widgetForAction(action);
        button->setFocusPolicy(Qt::NoFocus);
        button->installEventFilter(this); // prompts in the status bar, no tooltips
    }

    m_bombSelector = new BombSelector(m_wndToolBar);
    m_bombSelector->setObjectName(QStringLiteral("bombSelector"));
    m_bombSelector->setProperty("controlId", IDC_BOMB_SELECTOR);
    m_bombSelector->setFixedWidth(BOMB_SELECTOR_WIDTH);
    m_bombSelector->setMaxVisibleItems(8);
    m_bombSelector->setFocusPolicy(Qt::NoFocus); // the keys stay with the tank
    for (int kind = 0; kind < BOMB_KINDS; ++kind) // the item index is the kind
        m_bombSelector->addItem(Text(BombKindOf(kind).nameId));
    m_bombSelector->setCurrentIndex(-1);
    m_wndToolBar->addWidget(m_bombSelector);
    connect(m_bombSelector, &QComboBox::activated, this, [this] { OnBombSelChange(); });

    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    return true;
}

bool CMainFrame::CreateStatusBar()
{
    m_wndStatusBar = new QStatusBar(this);
    m_wndStatusBar->setSizeGripEnabled(true);
    for (int id : paneIds) {
        auto* pane = new QLabel(id == 0 ? Text(AFX_IDS_IDLEMESSAGE) : Text(id), m_wndStatusBar);
        pane->setTextFormat(Qt::PlainText);
        pane->setProperty("paneId", id);
        if (id == 0) {
            m_wndStatusBar->addWidget(pane, 1);
        } else {
            pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(pane->text()) + 2 * pane->frameWidth() + 6);
            m_wndStatusBar->addWidget(pane, 0);
        }
        panes.append(pane);
    }
    setStatusBar(m_wndStatusBar);
    return panes.size() == static_cast<int>(std::size(paneIds));
}

QLabel* CMainFrame::Pane(int index) const
{
    return panes.value(index);
}

void CMainFrame::SetView(CKratView* newView)
{
    // From now on the document's game shows its bomb kinds in the selector.
    document->SetBombSelectorSink([this](int kind) { SelectBomb(kind); });
    view = newView;
    viewContainer = QWidget::createWindowContainer(view, this);
    viewContainer->setObjectName(QStringLiteral("viewContainer"));
    viewContainer->setFocusPolicy(Qt::StrongFocus);
    viewContainer->setMinimumSize(view->minimumSize());
    viewContainer->setMaximumSize(view->SurfaceLimit());
    // Nothing beyond the screen is ever seen, but every pixel of the window
    // costs memory and drawing time.
    if (screen())
        setMaximumSize(screen()->virtualSize());
    setCentralWidget(viewContainer);
    setFocusProxy(viewContainer); // keys go to the tank whenever the window is active
    viewContainer->setFocus();
}

void CMainFrame::FocusView()
{
    // A dialog or pop-up still open keeps the keys; its closing calls again.
    if (!view || QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return;
    activateWindow();
    viewContainer->setFocus(Qt::OtherFocusReason);
    view->requestActivate();
}

// "Ready"; on a computer's turn the word that the computer plays; while a
// record plays, that it does, and at what pace.
QString CMainFrame::IdleMessage() const
{
    if (view && view->IsWatching()) {
        const QString playing = Text(IDS_PLAYBACK_PLAYING).arg(view->Player().Pace());
        const QString bought = view->RecordedPurchases();
        return bought.isEmpty() ? playing : playing + QStringLiteral(" – ") + bought;
    }
    return view && !view->PersonsInputActs() ? Text(IDS_COMPUTER_PLAYS) : Text(AFX_IDS_IDLEMESSAGE);
}

void CMainFrame::UpdatePanes()
{
    if (!promptShown && !panes.isEmpty() && panes[0]->text() != IdleMessage())
        panes[0]->setText(IdleMessage());
    for (QLabel* pane : panes) {
        const int id = pane->property("paneId").toInt();
        const QString text = document->OnUpdatePane(id);
        if (!text.isNull() && pane->text() != text)
            pane->setText(text);
    }
}

void CMainFrame::SelectBomb(int kind)
{
    if (!m_bombSelector)
        return;
    const QSignalBlocker quiet(m_bombSelector);
    m_bombSelector->setCurrentIndex(kind);
}

void CMainFrame::OnBombSelChange()
{
    const int k = m_bombSelector->currentIndex();
    if (k < 0)
        return;
    if (view && !view->PersonsInputActs()) {
        // The computer's bomb stays chosen, and shown.
        SelectBomb(document->GetSelectedWeapon());
        QMetaObject::invokeMethod(this, [this] { FocusView(); }, Qt::QueuedConnection);
        return;
    }
    if (document->tankSnapshot.stock[k] >= 1) {
        ChooseBomb(k);
    } else {
        ShowMessage(this, Text(IDS_WEAPON_REFUSED));
        ChooseBomb(0);
        SelectBomb(0);
    }
    // The list's pop-up is still closing while its choice is announced.
    QMetaObject::invokeMethod(this, [this] { FocusView(); }, Qt::QueuedConnection);
}

// The choice is one of the game's inputs once a view plays the game.
void CMainFrame::ChooseBomb(int kind)
{
    if (view)
        view->Give(BombChoiceInput{kind});
    else
        document->SelectWeapon(kind);
}

void CMainFrame::OnComputerPlayers()
{
    if (computerPlayersDialog.IsRunning())
        return;
    for (int slot = 0; slot < MAX_PLAYERS; ++slot)
        computerPlayersDialog.m_seatChoice[slot] = ChoiceOfSeat(seats[slot]);
    if (computerPlayersDialog.DoModal() != QDialog::Accepted)
        return;
    SeatList chosen;
    SeatsInput input;
    for (int slot = 0; slot < MAX_PLAYERS; ++slot) {
        chosen[slot] = SeatOfChoice(computerPlayersDialog.m_seatChoice[slot]);
        input.choice[slot] = computerPlayersDialog.m_seatChoice[slot];
    }
    SaveSeats(chosen);
    // The seats take over the turn at once. A game being watched plays on
    // from its record: the run's seats wait for the next game.
    if (view && !view->IsWatching())
        view->Give(input);
    else
        UseSeats(chosen);
}

void CMainFrame::OnHelpManual()
{
    if (!m_helpDialog.IsRunning())
        m_helpDialog.DoModal();
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        // Prompts go to the first pane, which says "Ready" when none is shown.
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        promptShown = !tip.isEmpty();
        if (!panes.isEmpty())
            panes[0]->setText(promptShown ? tip : IdleMessage());
        return true;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip)
        return true;
    if (event->type() == QEvent::Hide && qobject_cast<QDialog*>(watched))
        QMetaObject::invokeMethod(this, [this] { FocusView(); }, Qt::QueuedConnection);
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (key && watched == m_wndToolBar && view) {
        QCoreApplication::sendEvent(view, event);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// Closing the window keeps a game in progress, without a question.
void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (view)
        KeepGameInProgress(*document, *view);
    QMainWindow::closeEvent(event);
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (size().boundedTo(maximumSize()) == size())
        return;
    resize(size().boundedTo(maximumSize()));
}

void CMainFrame::keyPressEvent(QKeyEvent* event)
{
    if (view)
        QCoreApplication::sendEvent(view, event);
    else
        QMainWindow::keyPressEvent(event);
}

void CMainFrame::keyReleaseEvent(QKeyEvent* event)
{
    if (view)
        QCoreApplication::sendEvent(view, event);
    else
        QMainWindow::keyReleaseEvent(event);
}
