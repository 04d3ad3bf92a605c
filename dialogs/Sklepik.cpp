#include "dialogs/Sklepik.h"

#include "dialogs/decimalText.h"
#include "dialogs/messageBox.h"
#include "dialogs/vetoSpinBox.h"
#include "res/resource.h"
#include "res/stringTable.h"
#include "world/bombKinds.h"
#include "world/cCzolg.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

CSklepik::CSklepik(QWidget* owner)
    : TemplateDialog(IDD_SKLEPIK, owner),
      m_countLarge(QStringLiteral("0")),
      m_countMedium(QStringLiteral("0")),
      m_spinLarge(Spin(IDC_SPIN_LARGE)),
      m_spinMedium(Spin(IDC_SPIN_MEDIUM)),
      m_spinSmall(Spin(IDC_SPIN_SMALL)),
      m_priceLarge(IntToText(BombKindOf(3).price)),
      m_priceSmall(IntToText(BombKindOf(1).price)),
      m_priceMedium(IntToText(BombKindOf(2).price)),
      m_funds(QStringLiteral("0")),
      m_countSmall(QStringLiteral("0"))
{
    const Row small{&m_countSmall, &m_priceSmall, m_spinSmall, IDS_SHOP_NO_MONEY_SMALL, IDS_SHOP_NOTHING_SMALL};
    const Row medium{&m_countMedium, &m_priceMedium, m_spinMedium, IDS_SHOP_NO_MONEY_MEDIUM,
                     IDS_SHOP_NOTHING_MEDIUM};
    const Row large{&m_countLarge, &m_priceLarge, m_spinLarge, IDS_SHOP_NO_MONEY_LARGE, IDS_SHOP_NOTHING_LARGE};
    for (const Row& row : {small, medium, large})
        row.spin->SetStepHandler([this, row](int position, int delta) { return OnDeltaPos(row, position, delta); });

    auto* close = qobject_cast<QPushButton*>(Control(IDC_CLOSE_SHOP));
    connect(close, &QPushButton::clicked, this, [this] { OnOK(); });
    m_spinSmall->installEventFilter(this);
}

int CSklepik::Serve(const cCzolg& tank, int roundsLeft)
{
    m_countSmall = m_countMedium = m_countLarge = QStringLiteral("0");
    m_roundsLeft = IntToText(roundsLeft);
    m_player = IntToText(tank.player + 1);
    m_funds = IntToText(tank.money);
    m_haveSmall = IntToText(tank.stock[1]);
    m_haveMedium = IntToText(tank.stock[2]);
    m_haveLarge = IntToText(tank.stock[3]);
    return DoModal();
}

void CSklepik::WriteFieldsToControls()
{
    m_spinLarge->setValue(TextToInt(m_countLarge));
    m_spinMedium->setValue(TextToInt(m_countMedium));
    m_spinSmall->setValue(TextToInt(m_countSmall));
    Label(IDC_PRICE_LARGE)->setText(m_priceLarge);
    Label(IDC_PRICE_SMALL)->setText(m_priceSmall);
    Label(IDC_PRICE_MEDIUM)->setText(m_priceMedium);
    Label(IDC_FUNDS)->setText(m_funds);
    Label(IDC_HAVE_LARGE)->setText(m_haveLarge);
    Label(IDC_HAVE_SMALL)->setText(m_haveSmall);
    Label(IDC_HAVE_MEDIUM)->setText(m_haveMedium);
    Label(IDC_SHOP_PLAYER)->setText(m_player);
    Label(IDC_SHOP_ROUNDS_LEFT)->setText(m_roundsLeft);
}

void CSklepik::ReadFieldsFromControls()
{
    m_countLarge = IntToText(m_spinLarge->value());
    m_countMedium = IntToText(m_spinMedium->value());
    m_countSmall = IntToText(m_spinSmall->value());
    m_priceLarge = Label(IDC_PRICE_LARGE)->text();
    m_priceSmall = Label(IDC_PRICE_SMALL)->text();
    m_priceMedium = Label(IDC_PRICE_MEDIUM)->text();
    m_funds = Label(IDC_FUNDS)->text();
    m_haveLarge = Label(IDC_HAVE_LARGE)->text();
    m_haveSmall = Label(IDC_HAVE_SMALL)->text();
    m_haveMedium = Label(IDC_HAVE_MEDIUM)->text();
    m_player = Label(IDC_SHOP_PLAYER)->text();
    m_roundsLeft = Label(IDC_SHOP_ROUNDS_LEFT)->text();
}

void CSklepik::OnInitDialog()
{
    m_spinSmall->setFocus();
}

void CSklepik::Refuse(VetoSpinBox* spin, int messageId)
{
    spin->StopRepeating();
    ShowMessage(this, Text(messageId));
}

int CSklepik::OnDeltaPos(const Row& row, int position, int delta)
{
    const int funds = TextToInt(m_funds);
    const int price = TextToInt(*row.price);
    if (delta > 0) {
        if (funds < price) {
            Refuse(row.spin, row.noMoneyMessage);
            return 0;
        }
        m_funds = IntToText(funds - price);
        *row.count = IntToText(TextToInt(*row.count) + 1);
    } else {
        // Only this visit's purchases can be taken back.
        if (position < 1) {
            Refuse(row.spin, row.nothingToSellMessage);
            return 0;
        }
        m_funds = IntToText(funds + price);
        *row.count = IntToText(TextToInt(*row.count) - 1);
    }
    WriteFieldsToControls();
    return delta;
}

void CSklepik::OnKillFocusSmallCount()
{
    if (recheckRunning)
        return;
    recheckRunning = true;
    const int price = TextToInt(m_priceSmall);
    const int oldCount = TextToInt(m_countSmall);
    const int base = TextToInt(m_funds) + oldCount * price;
    ReadFieldsFromControls();
    const int newCount = TextToInt(m_countSmall);
    if (base - newCount * price < 0) {
        ShowMessage(this, Text(IDS_SHOP_SUM_TOO_HIGH));
        m_funds = IntToText(base - oldCount * price);
        m_countSmall = IntToText(oldCount);
    } else {
        m_funds = IntToText(base - newCount * price);
    }
    WriteFieldsToControls();
    recheckRunning = false;
}

bool CSklepik::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_spinSmall && event->type() == QEvent::FocusOut && isVisible())
        OnKillFocusSmallCount();
    return TemplateDialog::eventFilter(watched, event);
}
