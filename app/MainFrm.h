#pragma once

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
    void SetView(CKratView* view);
    CKratView* View() const { return view; }

    // Shows item kind in the bomb selector without any notification.
    void SelectBomb(int kind);
    void OnBombSelChange();
    void OnHelpManual();

    QAction* Command(int id) const { return commands.value(id); }
    // Status pane by index, 0 the message pane, left to right.
    QLabel* Pane(int index) const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenu();
    bool CreateToolBar();
    bool CreateStatusBar();
    void UpdatePanes();
    QAction* AddCommand(int id, int textId, const QString& prompt);

    CKratDoc* document;
    CKratView* view = nullptr;
    QHash<int, QAction*> commands;
    QList<QLabel*> panes;
};
