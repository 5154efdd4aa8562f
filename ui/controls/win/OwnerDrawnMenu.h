#pragma once
// A menu whose items are owner-drawn with small images beside their texts, in a classic look
// (raised image frames, the system's menu colours) or a flat look (an image column, blended
// highlight colours). Items come from a menu resource, images from toolbar resources.

#include <memory>
#include <vector>

#include "classlib/win/AfxWin.h"

#include <commctrl.h>
#include "ui/controls/win/MenuLook.h"

namespace morvick::ui {

class COwnerDrawnMenu : public CMenu {
 public:
  // One item; its address is the item data of the owner-drawn menu item.
  struct Item {
    CString text;  // the part after a tab is the accelerator
    UINT id = 0;
    UINT flags = 0;  // MF_* as the item was added
    HIMAGELIST imageList = nullptr;
    int image = -1;  // -1: no image
    COwnerDrawnMenu* subMenu = nullptr;
  };

  COwnerDrawnMenu() = default;
  ~COwnerDrawnMenu() override;

  // Builds the menu from a menu resource, every item owner-drawn. FALSE when the resource or the
  // menu cannot be had.
  BOOL LoadMenu(UINT resourceId);
  // Appends an item; `image` indexes the image list of the toolbar loaded last (-1: none).
  BOOL AppendODMenu(LPCTSTR text, UINT flags, UINT id, int image = -1);
  // Appends a popup item for a sub-menu that the caller keeps alive as long as this menu.
  BOOL AppendODPopup(LPCTSTR text, COwnerDrawnMenu* subMenu, UINT flags = 0);
  // Changes the text (when not null) and the image (when not -1) of the item with the command id,
  // or at the position with MF_BYPOSITION, and marks it owner-drawn again.
  BOOL ModifyODMenu(LPCTSTR text, UINT idOrPosition, int image = -1, UINT byFlags = MF_BYCOMMAND);
  // Gives the items the images of the toolbar resource's buttons with the same command ids. The
  // resource is a toolbar record (type 241) and a bitmap of the same id whose light grey is
  // transparent.
  BOOL LoadToolbar(UINT resourceId);
  // The menu (this one or a sub-menu) that holds the command id, or nullptr.
  COwnerDrawnMenu* FindMenuOption(UINT id);
  // The menu (this one or a sub-menu) whose item has this item data, or nullptr.
  COwnerDrawnMenu* FindMenuOfItemData(ULONG_PTR itemData);
  // TRUE when menu is this menu or one of its sub-menus.
  BOOL Holds(const COwnerDrawnMenu* menu) const;
  // What a button drops down: the first popup of a menu bar, else the menu itself.
  COwnerDrawnMenu* DropDown();
  // The answer to WM_MENUCHAR: MNC_EXECUTE with the position of the item whose mnemonic is the
  // character (in either case), 0 when none has it.
  static LRESULT FindKeyboardShortcut(UINT character, COwnerDrawnMenu* menu);
  // Destroys the menu with its records, the sub-menus it created and its image lists.
  void DestroyODMenu();

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

  const std::vector<std::unique_ptr<Item>>& Items() const { return m_items; }
  COwnerDrawnMenu* SubMenu(int position) const;

 private:
  Item* FindItem(UINT id);
  void DrawClassic(HDC dc, const RECT& r, const Item& item, UINT state, BOOL radio);
  void DrawFlat(HDC dc, const RECT& r, const Item& item, UINT state, BOOL radio);
  void DrawLabel(HDC dc, const RECT& r, const Item& item, COLORREF colour);
  void DrawImage(HDC dc, const RECT& cell, const Item& item, UINT state, BOOL radio, COLORREF background);

  std::vector<std::unique_ptr<Item>> m_items;
  std::vector<std::unique_ptr<COwnerDrawnMenu>> m_subMenus;
  std::vector<HIMAGELIST> m_imageLists;
  std::vector<UINT> m_toolbars;
  BOOL m_bar = FALSE;  // made by LoadMenu: a menu bar whose items are popups
};

}  // namespace morvick::ui
