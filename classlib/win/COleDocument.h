// COleDocument and COleClientItem: a document that holds OLE objects (embedded or linked), and the
// item through which the document reaches one object. Only what menus ask of them: the items of a
// document, the one item a view has selected, an item's kind, and the entry with its object's
// verbs (AfxOleSetEditMenu).
#pragma once

#include "classlib/win/CDocument.h"

#include <ole2.h>

#include <vector>

class CMenu;
class CView;
class COleClientItem;

// What an item holds: a link to an object, an embedded object, or a static picture.
enum OLE_OBJTYPE { OT_UNKNOWN = 0, OT_LINK = 1, OT_EMBEDDED = 2, OT_STATIC = 3 };

class COleDocument : public CDocument {
    DECLARE_DYNCREATE(COleDocument)
public:
    COleDocument();
    ~COleDocument() override;  // deletes the items that are still in it

    void AddItem(COleClientItem* pItem);
    void RemoveItem(COleClientItem* pItem);
    POSITION GetStartPosition() const;
    COleClientItem* GetNextClientItem(POSITION& pos) const;

    // The one item that the view shows selected (CView::IsSelected); null when none or several are.
    virtual COleClientItem* GetPrimarySelectedItem(CView* pView);

protected:
    std::vector<COleClientItem*> m_items;
};

class COleClientItem : public CCmdTarget {
    DECLARE_DYNAMIC(COleClientItem)
public:
    // The item joins the document when one is given.
    explicit COleClientItem(COleDocument* pContainerDoc = NULL);
    ~COleClientItem() override;  // releases the object and leaves the document

    // The item takes the object (one reference of its own) as an item of the kind.
    void Attach(LPOLEOBJECT lpObject, OLE_OBJTYPE nItemType = OT_EMBEDDED);
    OLE_OBJTYPE GetType() const { return m_nItemType; }
    COleDocument* GetDocument() const { return m_pDocument; }
    // The object's name for its kind (USERCLASSTYPE_FULL, _SHORT or _APPNAME); empty without one.
    void GetUserType(USERCLASSTYPE nUserClassType, CString& rString);

    LPOLEOBJECT m_lpObject;

protected:
    COleDocument* m_pDocument;
    OLE_OBJTYPE m_nItemType;

    friend class COleDocument;
};

// Puts the entry for the item's verbs into the menu at the position iMenuItem: with one
// verb a command "verb type &Object", with several a popup "type &Object" of the verbs (commands
// nIDVerbMin + verb number, up to nIDVerbMax), with none or no item a disabled "&Object". A convert
// command follows the verbs when nIDConvert is not 0. The system's OLE dialog library builds the
// entry. FALSE when the item offers no verbs.
BOOL AfxOleSetEditMenu(COleClientItem* pClient, CMenu* pMenu, UINT iMenuItem, UINT nIDVerbMin, UINT nIDVerbMax = 0,
    UINT nIDConvert = 0);
