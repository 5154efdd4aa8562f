#include "classlib/win/CWndHandleMap.h"

#include <mutex>
#include <unordered_map>

namespace {

struct PermanentMap {
  std::mutex lock;
  std::unordered_map<HWND, CWnd*> map;
};

PermanentMap& TheMap() {
  static PermanentMap* pMap = new PermanentMap;  // lives to the end of the process
  return *pMap;
}

}  // namespace

namespace CWndHandleMap {

BOOL Add(HWND hWnd, CWnd* pWnd) {
  PermanentMap& m = TheMap();
  std::lock_guard<std::mutex> guard(m.lock);
  return m.map.emplace(hWnd, pWnd).second ? TRUE : FALSE;
}

void Remove(HWND hWnd, CWnd* pWnd) {
  PermanentMap& m = TheMap();
  std::lock_guard<std::mutex> guard(m.lock);
  auto it = m.map.find(hWnd);
  if (it != m.map.end() && it->second == pWnd) m.map.erase(it);
}

CWnd* Lookup(HWND hWnd) {
  if (hWnd == NULL) return NULL;
  PermanentMap& m = TheMap();
  std::lock_guard<std::mutex> guard(m.lock);
  auto it = m.map.find(hWnd);
  return it == m.map.end() ? NULL : it->second;
}

size_t Count() {
  PermanentMap& m = TheMap();
  std::lock_guard<std::mutex> guard(m.lock);
  return m.map.size();
}

}  // namespace CWndHandleMap
