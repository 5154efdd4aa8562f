// Items of a found-entry list grouped by the key of their parent folder, in list order. Built once
// per save or sum, it lets a walk of a folder tree take each folder's subfolders and files directly
// instead of searching the whole list for every folder.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

template <class Item>
class ByParent {
public:
    void Add(uint32_t parent, Item item) { m_children[parent].push_back(item); }

    const std::vector<Item>& Of(uint32_t parent) const
    {
        static const std::vector<Item> none;
        auto it = m_children.find(parent);
        return it == m_children.end() ? none : it->second;
    }

private:
    std::unordered_map<uint32_t, std::vector<Item>> m_children;
};

// The records of a list that `keep` passes, by the key `parentOf` gives them.
template <class Record, class ParentOf, class Keep>
ByParent<const Record*> GroupByParent(const Record* head, ParentOf parentOf, Keep keep)
{
    ByParent<const Record*> grouped;
    for (const Record* r = head; r; r = r->next) {
        if (keep(r))
            grouped.Add(parentOf(r), r);
    }
    return grouped;
}
