#include "view/computerShop.h"

#include "ai/shopping.h"
#include "dialogs/Sklepik.h"
#include "dialogs/decimalText.h"
#include "world/cCzolg.h"

void ShopByItself(cCzolg& tank, BrainLevel level, int roundsLeft, const CSklepik& shop)
{
    const ShopPrices prices{TextToInt(shop.m_priceSmall), TextToInt(shop.m_priceMedium), TextToInt(shop.m_priceLarge)};
    const Purchase bought = ChoosePurchase(level, tank.money, tank.stock, roundsLeft, prices);
    tank.money -= CostOf(bought, prices);
    for (int kind = 1; kind < 4; ++kind)
        tank.stock[kind] += bought.count[kind];
}
