// The rows of a multi-row tab layout, as (first, last) tab index pairs.
#pragma once

class CTKPTabManager;

class CTKPTabManagerRows {
public:
    explicit CTKPTabManagerRows(CTKPTabManager* pManager);
    ~CTKPTabManagerRows();

    int GetCount() const { return m_nCount; }
    // A new count gives new rows: the first holds every tab, the others none.
    void SetCount(int nCount);
    void GetRow(int nRow, int& nFirst, int& nLast) const;
    void SetRow(int nRow, int nFirst, int nLast);

private:
    CTKPTabManagerRows(const CTKPTabManagerRows&) = delete;
    CTKPTabManagerRows& operator=(const CTKPTabManagerRows&) = delete;

    struct Row {
        int nFirst;
        int nLast;
    };
    Row* m_pRows;
    int m_nCount;
    CTKPTabManager* m_pManager;
};
