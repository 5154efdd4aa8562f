// The small object graph that the archive fuzzer loads, and the code that stores a sample of it
// (used to make seeds). Include in one source file per program: it defines the classes' records.
//
// Objects may be linked in any shape by a damaged stream (an object can turn up as its own child
// or as the child of two parents, a root or a link can be a collection rather than a node), so
// nobody owns anybody here: the archive that loaded them deletes each one exactly once
// (CSampleLoadArchive). Every node also registers itself, so that a test can look at the graph.
#pragma once

#include <cstdlib>
#include <set>

#include "classlib/core/AfxCore.h"
#include "classlib/core/CArchiveMaps.h"

class CFuzzNode : public CObject {
    DECLARE_SERIAL(CFuzzNode)
public:
    CFuzzNode() { Registry().insert(this); }
    ~CFuzzNode() override { Registry().erase(this); }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_name << m_value << m_pLink;
        } else {
            ar >> m_name >> m_value >> m_pLink;
        }
        m_children.Serialize(ar);
        m_numbers.Serialize(ar);
    }

    static std::set<CFuzzNode*>& Registry()
    {
        static std::set<CFuzzNode*> nodes;
        return nodes;
    }
    static void ReleaseAll()
    {
        while (!Registry().empty())
            delete *Registry().begin();
    }

    CString m_name;
    LONG m_value = 0;
    CObject* m_pLink = NULL;
    CObArray m_children;
    CDWordArray m_numbers;
};
IMPLEMENT_SERIAL(CFuzzNode, CObject, 1)

class CFuzzLeaf : public CFuzzNode {
    DECLARE_SERIAL(CFuzzLeaf)
public:
    void Serialize(CArchive& ar) override
    {
        UINT nSchema = ar.IsLoading() ? ar.GetObjectSchema() : 2;
        CFuzzNode::Serialize(ar);
        if (ar.IsStoring()) {
            ar << m_weight;
        } else {
            ar >> m_weight;
        }
        if (nSchema >= 2)
            m_tags.Serialize(ar);
    }
    double m_weight = 0;
    CStringList m_tags;
};
IMPLEMENT_SERIAL(CFuzzLeaf, CFuzzNode, VERSIONABLE_SCHEMA | 2)

// Reads what StoreArchiveSample writes: an object graph, a string map, a count and a text line.
inline void LoadArchiveSample(CArchive& ar)
{
    CObject* pRoot = NULL;
    ar >> pRoot;
    CMapStringToString map;
    map.Serialize(ar);
    (void)ar.ReadCount();
    CString line;
    ar.ReadString(line);
}

// A loading archive that deletes every object it created, when asked and at the latest when it goes:
// its own map of loaded objects is the one complete record of them, whatever their class and
// wherever a damaged stream left them (an object whose load failed was deleted by the archive
// already and is not in the map).
class CSampleLoadArchive : public CArchive {
public:
    CSampleLoadArchive(CFile* pFile, int nBufSize) : CArchive(pFile, CArchive::load, nBufSize) {}
    ~CSampleLoadArchive() { DeleteLoadedObjects(); }

    void DeleteLoadedObjects()
    {
        if (!m_pMaps)
            return;
        std::set<CObject*> objects;
        for (Maps::Entry& entry : m_pMaps->load) {
            if (!entry.isClass && entry.p != NULL)
                objects.insert(static_cast<CObject*>(const_cast<void*>(entry.p)));
            if (!entry.isClass)
                entry.p = NULL;
        }
        for (CObject* pOb : objects)
            delete pOb;
    }
};

// Loads arbitrary bytes as the archive fuzzer does. Any input must end in a complete load or in a
// CArchiveException or CMemoryException (anything else aborts), and whatever the load made is
// deleted on every way out.
inline void FuzzArchiveSample(const BYTE* data, UINT size)
{
    CMemFile file(const_cast<BYTE*>(data), size);
    CSampleLoadArchive ar(&file, 64);
    try {
        LoadArchiveSample(ar);
    } catch (CException* e) {
        if (!e->IsKindOf(RUNTIME_CLASS(CArchiveException)) && !e->IsKindOf(RUNTIME_CLASS(CMemoryException))) {
            std::abort();
        }
        e->Delete();
    }
    ar.DeleteLoadedObjects();
    ar.Abort();
    // Every node came out of this archive: none may be left.
    if (!CFuzzNode::Registry().empty())
        std::abort();
}

inline void StoreArchiveSample(CArchive& ar)
{
    CFuzzNode root;
    root.m_name = _T("root \u00E9");
    root.m_value = 7;
    root.m_pLink = &root;
    CFuzzLeaf a, b;
    a.m_name = _T("a");
    a.m_weight = 1.5;
    a.m_numbers.Add(5);
    a.m_tags.AddTail(_T("tag"));
    b.m_name = _T("b");
    b.m_pLink = &a;
    root.m_children.Add(&a);
    root.m_children.Add(&b);
    root.m_numbers.Add(0xFFFFFFFF);
    ar << &root;
    CMapStringToString map;
    map[_T("key")] = _T("value");
    map.Serialize(ar);
    ar.WriteCount(70000);
    ar.WriteString(_T("last line\n"));
}
