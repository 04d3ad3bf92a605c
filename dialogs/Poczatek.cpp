#include "dialogs/Poczatek.h"

#include "dialogs/decimalText.h"
#include "dialogs/vetoSpinBox.h"
#include "res/resource.h"

CPoczatek::CPoczatek(QWidget* owner) : TemplateDialog(IDD_POCZATEK, owner)
{
    m_spinRounds = Spin(IDC_SPIN_ROUNDS);
    m_spinPlayers = Spin(IDC_SPIN_PLAYERS);
    m_spinPlayers->SetStepHandler([this](int position, int delta) { return OnDeltaPosPlayers(position, delta); });
    m_spinRounds->SetStepHandler([this](int position, int delta) { return OnDeltaPosRounds(position, delta); });
}

int CPoczatek::DoModal()
{
    m_players = QStringLiteral("2");
    m_rounds = QStringLiteral("1");
    return TemplateDialog::DoModal();
}

void CPoczatek::WriteFieldsToControls()
{
    m_spinPlayers->setValue(TextToInt(m_players));
    m_spinRounds->setValue(TextToInt(m_rounds));
}

void CPoczatek::ReadFieldsFromControls()
{
    m_players = IntToText(m_spinPlayers->value());
    m_rounds = IntToText(m_spinRounds->value());
}

void CPoczatek::OnInitDialog()
{
    m_spinPlayers->setFocus();
}

int CPoczatek::StepWithin(QString& field, int position, int delta, int lowest, int highest)
{
    if ((delta > 0 && position >= highest) || (delta < 0 && position <= lowest))
        return 0; // vetoed silently
    WriteFieldsToControls();
    field = IntToText(TextToInt(field) + delta);
    return delta;
}

int CPoczatek::OnDeltaPosPlayers(int position, int delta)
{
    return StepWithin(m_players, position, delta, 2, 8);
}

int CPoczatek::OnDeltaPosRounds(int position, int delta)
{
    return StepWithin(m_rounds, position, delta, 1, 20);
}
