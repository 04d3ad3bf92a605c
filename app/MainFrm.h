#pragma once

#include "dialogs/ComputerPlayers.h"
#include "dialogs/Pomoc.h"

#include <QHash>
#include <QMainWindow>

class CKratDoc;
class CKratView;
class QAction;
class QComboBox;
class QLabel;
class QStatusBar;
class QToolBar;

// The one top-level window: menu, Ctrl+N, the dockable toolbar with the bomb
// selector, the status bar, and the 3D view as its client area.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    CPomoc m_helpDialog;
    QStatusBar* m_wndStatusBar;
    QToolBar* m_wndToolBar;
    QComboBox* m_bombSelector;

    explicit CMainFrame(CKratDoc* document);
    ~CMainFrame() override;

    // Builds menu, toolbar, bomb selector and status bar; -1 if a bar failed.
    int OnCreate();
    // Shows the view's native window as the client area, within the size
    // the view can draw.
    void SetView(CKratView* view);
    CKratView* View() const { return view; }
    // The widget that holds the view's window in the frame's layout.
    QWidget* ViewContainer() const { return viewContainer; }
    // After a toolbar action, a bomb choice, a menu or a dialog: the main
    // window is active again and the keys go to the tank.
    void FocusView();

    // Shows item kind in the bomb selector without any notification.
    void SelectBomb(int kind);
    void OnBombSelChange();
    void OnHelpManual();
    // "&Gracze komputerowi...": the seats' dialog; OK makes its choice the
    // run's, remembers it for the next start and gives the turn to its seat.
    void OnComputerPlayers();
    CComputerPlayers& ComputerPlayersDialog() { return computerPlayersDialog; }

    QAction* Command(int id) const { return commands.value(id); }
    // Status pane by index, 0 the message pane, left to right.
    QLabel* Pane(int index) const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Keys that reach the main window instead of the view (the platform may
    // never give an embedded window the focus) are the tank's all the same.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // A window made larger than the screen (by another program, or without a
    // window manager to honour the size limit) is brought back within it.
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenu();
    bool CreateToolBar();
    bool CreateStatusBar();
    void UpdatePanes();
    void ChooseBomb(int kind);
    // What the first pane says when no prompt is shown.
    QString IdleMessage() const;
    QAction* AddCommand(int id, int textId, const QString& prompt);

    CKratDoc* document;
    CKratView* view = nullptr;
    QWidget* viewContainer = nullptr;
    QHash<int, QAction*> commands;
    QList<QLabel*> panes;
    CComputerPlayers computerPlayersDialog;
    bool promptShown = false;
};
