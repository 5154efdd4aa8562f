// Umbrella header of the drawing layer: geometry, GDI objects, device contexts, image lists, menus.
#pragma once

#include "classlib/win/Geometry.h"
#include "classlib/win/CGdiObject.h"
#include "classlib/win/CPen.h"
#include "classlib/win/CBrush.h"
#include "classlib/win/CFont.h"
#include "classlib/win/CBitmap.h"
#include "classlib/win/CRgn.h"
#include "classlib/win/CPalette.h"
#include "classlib/win/CDC.h"
#include "classlib/win/WindowDCs.h"
#include "classlib/win/CImageList.h"
#include "classlib/win/CMenu.h"
#include "classlib/win/GdiHandleTable.h"
