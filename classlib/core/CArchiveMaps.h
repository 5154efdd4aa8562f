// The object maps of CArchive (internal to the archive's own source files).
#pragma once

#include <unordered_map>
#include <vector>

#include "classlib/core/CArchive.h"

struct CArchive::Maps {
  // Storing: every class and object already written, with its index in the stream.
  std::unordered_map<const void*, UINT> store;
  // Loading: index -> class or object; index 0 is the null entry.
  struct Entry {
    const void* p;
    bool isClass;
  };
  std::vector<Entry> load;
  // Loading: the stored schema of versionable classes whose stored schema differs from theirs.
  std::unordered_map<const CRuntimeClass*, UINT> schemas;
};
