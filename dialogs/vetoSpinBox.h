#pragma once

#include <QSpinBox>

#include <functional>

// A number box the user cannot type into, with arrows. Every step is exactly
// one, also while an arrow or key is held, and before each step the dialog's
// handler may veto it: it gets the current position and the proposed step
// (+1 or -1) and returns the step to take (0 vetoes).
class VetoSpinBox : public QSpinBox {
    Q_OBJECT

public:
    using StepHandler = std::function<int(int position, int delta)>;

    explicit VetoSpinBox(QWidget* parent = nullptr);

    void SetStepHandler(StepHandler handler) { stepHandler = std::move(handler); }
    // Ends a held arrow's repetition, so that a refusal's message box does not
    // come back again and again once it is answered.
    void StopRepeating();

    void stepBy(int steps) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    StepHandler stepHandler;
};
