#include "ui/msgbox/win/RichMsgBoxParams.h"

namespace morvick::ui {

RichMsgBoxArea* InitFillEffect(RichMsgBoxArea* a) {
  if (!a) return a;
  a->separator = 0;
  a->separatorAlign = 0;
  a->separatorText = nullptr;
  a->effect = -1;
  a->colour1 = a->colour2 = a->colour3 = GetSysColor(COLOR_BTNFACE);
  return a;
}

RichMsgBoxParams DefaultRichMsgBoxParams() {
  RichMsgBoxParams p = {};
  InitFillEffect(&p.background);
  InitFillEffect(&p.header);
  InitFillEffect(&p.buttons);
  InitFillEffect(&p.details);
  p.buttonAlign = 2;
  p.style = MB_ICONEXCLAMATION;  // 48
  return p;
}

}  // namespace morvick::ui
