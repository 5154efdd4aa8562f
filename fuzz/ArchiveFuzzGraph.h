// The small object graph that the archive fuzzer loads, and the code that stores a sample of it
// (used to make seeds). Include in one source file per program: it defines the classes' records.
//
// Objects may be linked in any shape by a damaged stream (an object can turn up as its own child
// or as the child of two parents), so nobody owns anybody here: every node registers itself, and
// ReleaseAll deletes each one exactly once.
#pragma once

#include <set>

#include "classlib/core/AfxCore.h"

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
