#include "dialogs/ComputerPlayers.h"

#include "res/resource.h"
#include "res/stringTable.h"

#include <QComboBox>
#include <QPushButton>

namespace {

const int choiceTexts[CComputerPlayers::CHOICES] = {IDS_SEAT_PERSON, IDS_SEAT_EASY, IDS_SEAT_MEDIUM, IDS_SEAT_HARD,
                                                   IDS_SEAT_MASTER};

} // namespace

CComputerPlayers::CComputerPlayers(QWidget* owner) : TemplateDialog(IDD_COMPUTER_PLAYERS, owner), m_seatChoice{}
{
    for (int seat = 0; seat < SEATS; ++seat)
        for (int id : choiceTexts)
            Choice(seat)->addItem(Text(id));
    auto* cancel = qobject_cast<QPushButton*>(Control(IDCANCEL));
    connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

QComboBox* CComputerPlayers::Choice(int seat) const
{
    return DropDown(IDC_SEAT_CHOICE_FIRST + seat);
}

void CComputerPlayers::WriteFieldsToControls()
{
    for (int seat = 0; seat < SEATS; ++seat)
        Choice(seat)->setCurrentIndex(m_seatChoice[seat] >= 0 && m_seatChoice[seat] < CHOICES ? m_seatChoice[seat] : 0);
}

void CComputerPlayers::ReadFieldsFromControls()
{
    for (int seat = 0; seat < SEATS; ++seat)
        m_seatChoice[seat] = Choice(seat)->currentIndex();
}

void CComputerPlayers::OnInitDialog()
{
    Choice(0)->setFocus();
}
