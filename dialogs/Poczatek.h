#pragma once

#include "dialogs/templateDialog.h"

#include <QString>

// The new-game dialog: how many players (2..8) and rounds (1..20). It only
// collects the two numbers; the next game start reads them.
class CPoczatek : public TemplateDialog {
    Q_OBJECT

public:
    VetoSpinBox* m_spinRounds;
    VetoSpinBox* m_spinPlayers;
    QString m_players;
    QString m_rounds;

    explicit CPoczatek(QWidget* owner = nullptr);

    // Every showing starts at 2 players and 1 round.
    int DoModal() override;

protected:
    void WriteFieldsToControls() override;
    void ReadFieldsFromControls() override;
    void OnInitDialog() override;

private:
    int OnDeltaPosPlayers(int position, int delta);
    int OnDeltaPosRounds(int position, int delta);
    int StepWithin(QString& field, int position, int delta, int lowest, int highest);
};
