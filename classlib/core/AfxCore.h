// The portable core of the class library: include this to get all of it.
#pragma once

#include "classlib/core/AfxTypes.h"
#include "classlib/core/CObject.h"
#include "classlib/core/CString.h"
#include "classlib/core/CException.h"
#include "classlib/core/CFile.h"
#include "classlib/core/CMemFile.h"
#include "classlib/core/CArchive.h"
#include "classlib/core/CollectionTraits.h"
#include "classlib/core/CArray.h"
#include "classlib/core/CList.h"
#include "classlib/core/CMap.h"
#include "classlib/core/TypedArrays.h"
#include "classlib/core/TypedLists.h"
#include "classlib/core/TypedMaps.h"
#include "classlib/core/CStdioFile.h"
#include "classlib/core/CTime.h"
