#include "preview/html/HtmlBox.h"

void CHtmlBox::Offset(int dx, int dy)
{
    for (auto& child : children) {
        child->x += dx;
        child->y += dy;
        child->Offset(dx, dy);
    }
}
