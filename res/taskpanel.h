// Resource ids of the task panel's pictures (drawn by art/make-taskpanel-art.sh): the round expand
// buttons of group captions, recoloured by the panel to the caption text.
#pragma once

#define IDB_TKP_EXPAND_NORMAL 9197   // normal groups, 19 x 19 on a magenta key
#define IDB_TKP_EXPAND_SPECIAL 9198  // special groups
