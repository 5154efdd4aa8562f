// The process-wide colour manager: the toolkit's colour table filled from the system colours, the
// visual-style colour scheme of the desktop and the border colour of the visual style.
#pragma once

#include "toolkit/common/ColorTable.h"

#include <windows.h>

class CTKPColorManager : public CTKPColorTable
{
public:
  CTKPColorManager();

  // Recomputes every colour: scheme detection, display depth, system colours, derived colours,
  // scheme colours and gradients, and the visual style's border colour (index 57).
  void RefreshColors();
  // RefreshColors on the global instance when more than 500 ms passed since the last recorded one;
  // a refresh is recorded only while the thread has a main window.
  static void RefreshColorsThrottled();

  // 0 none, 1 blue, 2 olive, 3 silver, from the visual style's file and colour names.
  static int DetectColorScheme();

  // Test switches: the clock of the throttle, and forgetting its last refresh.
  typedef DWORD (*TickSource)();
  static void SetTickSource(TickSource source);
  static void ResetThrottle();
};

// The process-wide instance, made (and refreshed) on first use.
CTKPColorManager* GetColorManager();
// The current colour scheme of the process-wide instance.
int GetSystemColorScheme();
