#pragma once

#include "dialogs/templateDialog.h"

// Who plays each of the eight seats: a person, or the computer at one of four
// levels. Each row's choice is an item index: 0 a person, 1..4 the computer
// from "łatwy" to "mistrz". OK takes the rows; Escape, "Anuluj" and the close
// box leave the choices as they were.
class CComputerPlayers : public TemplateDialog {
    Q_OBJECT

public:
    static constexpr int SEATS = 8;
    static constexpr int CHOICES = 5;
    int m_seatChoice[SEATS];

    explicit CComputerPlayers(QWidget* owner = nullptr);

    QComboBox* Choice(int seat) const;

protected:
    void WriteFieldsToControls() override;
    void ReadFieldsFromControls() override;
    void OnInitDialog() override;
};
