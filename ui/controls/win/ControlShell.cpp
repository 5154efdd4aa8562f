#include "ui/controls/win/ControlShell.h"

#include <mmsystem.h>

namespace morvick::ui {

ControlShellHooks& CurrentControlShellHooks() {
  static ControlShellHooks hooks;
  return hooks;
}

BOOL PlayControlSound(LPCWSTR name, HMODULE module, DWORD flags) {
  if (name == nullptr || (!(flags & SND_ALIAS_ID) && *name == L'\0')) return FALSE;
  ControlShellHooks& hooks = CurrentControlShellHooks();
  if (hooks.playSound == nullptr) hooks.playSound = PlaySoundW;
  return hooks.playSound(name, module, flags);
}

}  // namespace morvick::ui
