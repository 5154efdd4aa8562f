#include "toolkit/tabs/TabAppearance.h"

#include "toolkit/tabs/TabAppearanceBox.h"
#include "toolkit/tabs/TabAppearanceClassic.h"
#include "toolkit/tabs/TabAppearanceFlat.h"
#include "toolkit/tabs/TabAppearanceSlanted.h"
#include "toolkit/tabs/TabAppearanceStacked.h"

CTKPTabAppearance* CTKPTabAppearance::Create(int nAppearance)
{
    switch (nAppearance) {
    case 1:
        return new CTKPTabAppearanceClassicSelected;
    case 2:
        return new CTKPTabAppearanceRounded;
    case 3:
        return new CTKPTabAppearanceSlanted;
    case 4:
        return new CTKPTabAppearanceFaces;
    case 5:
        return new CTKPTabAppearanceSeparated;
    case 6:
        return new CTKPTabAppearanceBox;
    case 7:
        return new CTKPTabAppearanceSloped;
    case 8:
        return new CTKPTabAppearanceStacked;
    case 9:
        return new CTKPTabAppearanceTrapezoid;
    default:
        return new CTKPTabAppearanceClassic;
    }
}
