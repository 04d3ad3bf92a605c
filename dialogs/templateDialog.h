#pragma once

#include <QDialog>
#include <QHash>

class QLabel;
class VetoSpinBox;

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

    // Runs the dialog modally: fields into controls, then the event loop.
    int DoModal();
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
    QHash<int, QWidget*> controls;
    bool running = false;
};

// Pixels of a dialog-unit rectangle for the given font: x units are a quarter
// of the font's average character width, y units an eighth of its height.
QRect DialogUnitsToPixels(const QFont& font, int x, int y, int width, int height);
