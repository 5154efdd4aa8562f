#include "toolkit/commandbars/OfficeToolTipWindow.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/ToolTipManager.h"

void CTKPOfficeToolTipWindow::DrawBackground(CDC* pDC, Tool* /*pTool*/, CRect rect)
{
    COLORREF clrBorder;
    switch (GetColorManager()->GetCurrentColorScheme()) {
    case 1:
        clrBorder = RGB(0, 0, 128);
        break;
    case 2:
        clrBorder = RGB(63, 93, 56);
        break;
    case 3:
        clrBorder = RGB(75, 75, 111);
        break;
    default: {
        const COLORREF clrBack = m_pManager != NULL ? m_pManager->GetBackColor() : ::GetSysColor(COLOR_INFOBK);
        CTKPDrawingHelper::GradientFill(pDC, &rect, clrBack, RGB(255, 255, 255), FALSE);
        pDC->Draw3dRect(&rect, RGB(0, 0, 0), RGB(0, 0, 0));
        return;
    }
    }
    CTKPDrawingHelper::GradientFill(pDC, &rect, RGB(255, 213, 151), RGB(255, 242, 200), FALSE);
    pDC->Draw3dRect(&rect, clrBorder, clrBorder);
}
