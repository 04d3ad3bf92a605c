#pragma once

#include "dialogs/templateDialog.h"

#include <QString>

class cCzolg;

// The shop between rounds: one visit per player. Everything is kept as decimal
// texts; the shop never touches the tank, the round end applies the texts a
// visit leaves behind. During a visit funds + counts x prices always equal the
// money the player brought, and no count drops below 0.
class CSklepik : public TemplateDialog {
    Q_OBJECT

public:
    QString m_countLarge;
    QString m_countMedium;
    VetoSpinBox* m_spinLarge;
    VetoSpinBox* m_spinMedium;
    VetoSpinBox* m_spinSmall;
    QString m_priceLarge;
    QString m_priceSmall;
    QString m_priceMedium;
    QString m_funds;
    QString m_haveLarge;
    QString m_countSmall;
    QString m_haveSmall;
    QString m_haveMedium;
    QString m_player;
    QString m_roundsLeft;

    explicit CSklepik(QWidget* owner = nullptr);

    // Loads the visit from the tank and the rounds left, then runs the dialog.
    virtual int Serve(const cCzolg& tank, int roundsLeft);

protected:
    void WriteFieldsToControls() override;
    void ReadFieldsFromControls() override;
    void OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        QString* count;
        const QString* price;
        VetoSpinBox* spin;
        int noMoneyMessage;
        int nothingToSellMessage;
    };
    int OnDeltaPos(const Row& row, int position, int delta);
    void OnKillFocusSmallCount();
    void Refuse(VetoSpinBox* spin, int messageId);

    bool recheckRunning = false;
};
