#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <deque>
#include <functional>

class QWidget;

// Answers the modal windows a test makes the game open, as a user would: each
// modal window that is shown takes the next step, run from inside its own
// event loop. A window shown with no step left is closed with Escape and
// recorded as unexpected.
class ModalScript : public QObject {
public:
    using Step = std::function<void(QWidget* modal)>;

    ModalScript();
    ~ModalScript() override;

    void Then(Step step) { steps.push_back(std::move(step)); }
    // What to do with a modal window when no step is left (default: Escape, counted as unexpected).
    void Otherwise(Step step) { fallback = std::move(step); }
    bool Done() const { return steps.empty(); }
    int Pending() const { return static_cast<int>(steps.size()); }
    // Titles of the modal windows seen, in order, and their texts for message boxes.
    QStringList seenTitles;
    QStringList seenTexts;
    int unexpected = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Act(QPointer<QWidget> modal);
    std::deque<Step> steps;
    Step fallback;
};

// Steps for common answers.
void PressKey(QWidget* widget, int key);
// The text of a QMessageBox (empty for other windows).
QString MessageText(QWidget* modal);
