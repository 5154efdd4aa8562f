// The class library's OLE data transfer: data sources and data objects, drop targets and shared
// memory files.
#pragma once

#include "classlib/win/COleDataObject.h"
#include "classlib/win/COleDataSource.h"
#include "classlib/win/COleDropTarget.h"
#include "classlib/win/CSharedFile.h"
