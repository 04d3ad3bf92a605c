#pragma once

#include <QDialog>
#include <QHash>

class QComboBox;
class QLabel;
class VetoSpinBox;
struct ControlTemplate;

// A modal dialog laid out from its template in dialog units. Every dialog of
// the game derives from it; the derived class binds its text fields to the
// controls through WriteFieldsToControls and ReadFieldsFromControls.
class TemplateDialog : public QDialog {
    Q_OBJECT

public:
    explicit TemplateDialog(int templateId, QWidget* owner = nullptr);

    QWidget* Control(int id) const { return controls.value(id); }
    VetoSpinBox* Spin(int id) const;
    QLabel* Label(int id) const;
    QComboBox* DropDown(int id) const;

    // Runs the dialog modally: fields into controls, then the event loop.
    // Virtual, so a dialog that sets its fields first does so however it is called.
    virtual int DoModal();
    // True from the start of DoModal until it returns, also while the closed
    // window's loop is still unwinding.
    bool IsRunning() const { return running; }

protected:
    // Field <-> control exchange; the plain dialogs have no fields.
    virtual void WriteFieldsToControls() {}
    virtual void ReadFieldsFromControls() {}
    // Enter and the default button: read the fields back and accept.
    virtual void OnOK();
    // Escape and the close box.
    virtual void OnCancel();
    // Once the window is up: where the focus starts.
    virtual void OnInitDialog() {}

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // One control of the template at its place; a spin joins the number box before it.
    void AddControl(const ControlTemplate& c);
    QWidget* CreateControl(const ControlTemplate& c);
    QWidget* CreateButton(const ControlTemplate& c);
    QWidget* CreateGroupBox(const ControlTemplate& c);
    QWidget* CreateLabel(const ControlTemplate& c);
    QWidget* CreateNumberBox();
    QWidget* CreateIcon(const ControlTemplate& c);
    QWidget* CreateDropDown();

    QHash<int, QWidget*> controls;
    VetoSpinBox* lastNumberBox = nullptr;
    bool running = false;
};

// The font every dialog is laid out and drawn in.
QFont DialogFont();

// Pixels of a dialog-unit rectangle for the given font: x units are a quarter
// of the font's average character width, y units an eighth of a line's height.
QRect DialogUnitsToPixels(const QFont& font, int x, int y, int width, int height);
