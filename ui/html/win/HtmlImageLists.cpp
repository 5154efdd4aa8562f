#include "ui/html/win/HtmlImageLists.h"

#include <mutex>
#include <set>

namespace morvick::html {

namespace {

std::mutex& Guard() {
  static std::mutex m;
  return m;
}

std::set<HIMAGELIST>& Registered() {
  static std::set<HIMAGELIST> lists;
  return lists;
}

}  // namespace

void RegisterHtmlImageList(HIMAGELIST list) {
  if (!list) return;
  std::lock_guard<std::mutex> lock(Guard());
  Registered().insert(list);
}

void UnregisterHtmlImageList(HIMAGELIST list) {
  std::lock_guard<std::mutex> lock(Guard());
  Registered().erase(list);
}

bool IsRegisteredHtmlImageList(HIMAGELIST list) {
  std::lock_guard<std::mutex> lock(Guard());
  return list && Registered().count(list) != 0;
}

}  // namespace morvick::html
