#include "ui/controls/win/OwnerDrawnMenu.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace morvick::ui {

namespace {

const WORD kToolbarResourceType = 241;
const int kMaxTemplateDepth = 16;

WORD ReadWord(const BYTE*& p) {
  WORD value;
  std::memcpy(&value, p, 2);
  p += 2;
  return value;
}

// Reads one level of a menu template into the menu; returns where the level ends. A template cut
// short ends the level where the data ends.
const BYTE* ReadLevel(COwnerDrawnMenu& menu, const BYTE* p, const BYTE* end, int depth,
                      const std::function<COwnerDrawnMenu*()>& newPopup) {
  while (p + 2 <= end) {
    const WORD option = ReadWord(p);
    WORD id = 0;
    if (!(option & MF_POPUP)) {
      if (p + 2 > end) return end;
      id = ReadWord(p);
    }
    CString text;
    while (p + 2 <= end) {
      const wchar_t c = static_cast<wchar_t>(ReadWord(p));
      if (c == 0) break;
      text += c;
    }
    const UINT flags = option & ~(MF_END | MF_POPUP | MF_OWNERDRAW);
    if (option & MF_POPUP) {
      if (depth >= kMaxTemplateDepth) return end;
      COwnerDrawnMenu* sub = newPopup();
      p = ReadLevel(*sub, p, end, depth + 1, newPopup);
      menu.AppendODPopup(text, sub, flags);
    } else if (id == 0 && text.IsEmpty()) {
      menu.AppendODMenu(L"", MF_SEPARATOR, 0);
    } else {
      menu.AppendODMenu(text, flags, id);
    }
    if (option & MF_END) break;
  }
  return p;
}

bool IsCommand(const COwnerDrawnMenu::Item& item, UINT id) {
  return item.subMenu == nullptr && item.id == id && !(item.flags & MF_SEPARATOR);
}

}  // namespace

COwnerDrawnMenu::~COwnerDrawnMenu() { DestroyODMenu(); }

void COwnerDrawnMenu::DestroyODMenu() {
  if (m_hMenu != nullptr) {
    // Popup items are taken out first: their menus belong to their wrappers, which destroy them.
    for (int i = static_cast<int>(GetMenuItemCount()) - 1; i >= 0; --i) {
      if (::GetSubMenu(m_hMenu, i) != nullptr) RemoveMenu(i, MF_BYPOSITION);
    }
    DestroyMenu();
  }
  m_subMenus.clear();
  m_items.clear();
  for (HIMAGELIST list : m_imageLists) ImageList_Destroy(list);
  m_imageLists.clear();
  m_toolbars.clear();
  m_bar = FALSE;
}

BOOL COwnerDrawnMenu::Holds(const COwnerDrawnMenu* menu) const {
  if (menu == this) return TRUE;
  for (const auto& item : m_items) {
    if (item->subMenu != nullptr && item->subMenu->Holds(menu)) return TRUE;
  }
  return FALSE;
}

COwnerDrawnMenu* COwnerDrawnMenu::DropDown() {
  COwnerDrawnMenu* first = m_bar ? SubMenu(0) : nullptr;
  return first != nullptr ? first : this;
}

COwnerDrawnMenu* COwnerDrawnMenu::SubMenu(int position) const {
  if (position < 0 || position >= static_cast<int>(m_items.size())) return nullptr;
  return m_items[position]->subMenu;
}

BOOL COwnerDrawnMenu::AppendODMenu(LPCTSTR text, UINT flags, UINT id, int image) {
  if (m_hMenu == nullptr && !CreatePopupMenu()) return FALSE;
  auto item = std::make_unique<Item>();
  item->text = text != nullptr ? text : L"";
  item->id = id;
  item->flags = flags & ~(MF_POPUP | MF_OWNERDRAW | MF_STRING | MF_BITMAP);
  if (image >= 0 && !m_imageLists.empty()) {
    item->imageList = m_imageLists.back();
    item->image = image;
  }
  Item* raw = item.get();
  m_items.push_back(std::move(item));
  return AppendMenu(raw->flags | MF_OWNERDRAW, id, reinterpret_cast<LPCTSTR>(raw));
}

BOOL COwnerDrawnMenu::AppendODPopup(LPCTSTR text, COwnerDrawnMenu* subMenu, UINT flags) {
  if (subMenu == nullptr || subMenu->m_hMenu == nullptr) return FALSE;
  if (m_hMenu == nullptr && !CreatePopupMenu()) return FALSE;
  auto item = std::make_unique<Item>();
  item->text = text != nullptr ? text : L"";
  item->flags = (flags & ~(MF_OWNERDRAW | MF_STRING | MF_BITMAP)) | MF_POPUP;
  item->subMenu = subMenu;
  Item* raw = item.get();
  m_items.push_back(std::move(item));
  return AppendMenu(raw->flags | MF_OWNERDRAW, reinterpret_cast<UINT_PTR>(subMenu->m_hMenu),
                    reinterpret_cast<LPCTSTR>(raw));
}

BOOL COwnerDrawnMenu::ModifyODMenu(LPCTSTR text, UINT idOrPosition, int image, UINT byFlags) {
  COwnerDrawnMenu* holder = this;
  Item* item = nullptr;
  if (byFlags & MF_BYPOSITION) {
    if (idOrPosition < m_items.size()) item = m_items[idOrPosition].get();
  } else {
    holder = FindMenuOption(idOrPosition);
    item = holder != nullptr ? holder->FindItem(idOrPosition) : nullptr;
  }
  if (item == nullptr) return FALSE;
  if (text != nullptr) item->text = text;
  if (image >= 0) {
    item->image = image;
    if (item->imageList == nullptr && !m_imageLists.empty()) item->imageList = m_imageLists.back();
  }
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_DATA;
  if (!::GetMenuItemInfoW(holder->m_hMenu, idOrPosition, (byFlags & MF_BYPOSITION) != 0, &info)) return FALSE;
  info.fType = (info.fType & ~(MFT_STRING | MFT_BITMAP)) | MFT_OWNERDRAW;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
  return ::SetMenuItemInfoW(holder->m_hMenu, idOrPosition, (byFlags & MF_BYPOSITION) != 0, &info);
}

BOOL COwnerDrawnMenu::LoadMenu(UINT resourceId) {
  HINSTANCE module = AfxGetResourceHandle();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), RT_MENU);
  if (found == nullptr) return FALSE;
  HGLOBAL loaded = LoadResource(module, found);
  const BYTE* data = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  const DWORD size = SizeofResource(module, found);
  if (data == nullptr || size < 4) return FALSE;
  const BYTE* p = data;
  const WORD version = ReadWord(p);
  const WORD offset = ReadWord(p);
  if (version != 0 || 4u + offset > size) return FALSE;  // only the plain template
  if (m_hMenu == nullptr) {
    if (!CreateMenu()) return FALSE;
    m_bar = TRUE;
  }
  ReadLevel(*this, p + offset, data + size, 0, [this]() {
    m_subMenus.push_back(std::make_unique<COwnerDrawnMenu>());
    m_subMenus.back()->CreatePopupMenu();
    return m_subMenus.back().get();
  });
  return TRUE;
}

COwnerDrawnMenu::Item* COwnerDrawnMenu::FindItem(UINT id) {
  for (auto& item : m_items) {
    if (IsCommand(*item, id)) return item.get();
  }
  for (auto& item : m_items) {
    if (item->subMenu != nullptr) {
      if (Item* found = item->subMenu->FindItem(id)) return found;
    }
  }
  return nullptr;
}

COwnerDrawnMenu* COwnerDrawnMenu::FindMenuOption(UINT id) {
  for (auto& item : m_items) {
    if (IsCommand(*item, id)) return this;
    if (item->subMenu != nullptr) {
      if (COwnerDrawnMenu* found = item->subMenu->FindMenuOption(id)) return found;
    }
  }
  return nullptr;
}

COwnerDrawnMenu* COwnerDrawnMenu::FindMenuOfItemData(ULONG_PTR itemData) {
  for (auto& item : m_items) {
    if (reinterpret_cast<ULONG_PTR>(item.get()) == itemData) return this;
    if (item->subMenu != nullptr) {
      if (COwnerDrawnMenu* found = item->subMenu->FindMenuOfItemData(itemData)) return found;
    }
  }
  return nullptr;
}

BOOL COwnerDrawnMenu::LoadToolbar(UINT resourceId) {
  if (std::find(m_toolbars.begin(), m_toolbars.end(), resourceId) != m_toolbars.end()) return TRUE;
  HINSTANCE module = AfxGetResourceHandle();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(kToolbarResourceType));
  if (found == nullptr) return FALSE;
  HGLOBAL loaded = LoadResource(module, found);
  const auto* words = loaded != nullptr ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
  const DWORD size = SizeofResource(module, found);
  // A version word, the button width and height, the button count and one command id a button.
  if (words == nullptr || size < 8 || words[0] != 1) return FALSE;
  const int width = words[1], height = words[2];
  const int count = std::min<int>(words[3], (size - 8) / 2);
  if (width <= 0 || height <= 0) return FALSE;
  HBITMAP strip = static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, 0));
  if (strip == nullptr) return FALSE;
  HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 1);
  if (list == nullptr) {
    DeleteObject(strip);
    return FALSE;
  }
  ImageList_AddMasked(list, strip, RGB(192, 192, 192));
  DeleteObject(strip);
  m_imageLists.push_back(list);
  m_toolbars.push_back(resourceId);
  const int images = ImageList_GetImageCount(list);
  int image = 0;
  for (int i = 0; i < count && image < images; ++i) {
    const UINT id = words[4 + i];
    if (id == 0) continue;  // a separator has no image
    if (Item* item = FindItem(id)) {
      item->imageList = list;
      item->image = image;
    }
    ++image;
  }
  return TRUE;
}

LRESULT COwnerDrawnMenu::FindKeyboardShortcut(UINT character, COwnerDrawnMenu* menu) {
  if (menu == nullptr) return 0;
  const auto key = static_cast<wchar_t>(
      reinterpret_cast<UINT_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(character & 0xFFFF)))));
  for (size_t position = 0; position < menu->m_items.size(); ++position) {
    CString text = menu->m_items[position]->text;
    text.MakeLower();
    for (int i = 0; i + 1 < text.GetLength(); ++i) {
      if (text[i] != L'&') continue;
      if (text[i + 1] == L'&') {  // a literal ampersand
        ++i;
        continue;
      }
      if (text[i + 1] == key) return MAKELRESULT(position, MNC_EXECUTE);
      break;
    }
  }
  return 0;
}

}  // namespace morvick::ui
