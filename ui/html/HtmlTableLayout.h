#pragma once
// Lays out a table block: rows and cells with spans, padding, spacing, borders and fills.

#include <functional>
#include <string>
#include <vector>

#include "ui/html/HtmlDisplayList.h"
#include "ui/html/HtmlLayoutContext.h"

namespace morvick::html {

class HtmlTableLayout {
 public:
  static constexpr int kMaxRows = 500;
  static constexpr int kMaxColumns = 100;

  HtmlTableLayout(HtmlLayoutContext& ctx, int availableWidth);

  // Lays out the table text[begin, end) ("<table ...> ... </table>") from (0, 0).
  HtmlSize Layout(size_t begin, size_t end, std::vector<HtmlDrawItem>* out);

 private:
  struct CellSource {
    std::wstring attributes;
    size_t begin = 0;
    size_t end = 0;
    int placed = -1;  // index into cells_, -1 when it found no slot
  };
  struct RowSource {
    std::wstring attributes;
    std::vector<CellSource> cells;
  };
  struct Cell {
    int row = 0;
    int col = 0;
    int rowSpan = 1;
    int colSpan = 1;
    HtmlStyle style;
    HtmlSize content;
    int inset = 0;
  };

  void Parse(size_t begin, size_t end);
  void Place();
  // Runs visit for every placed cell with the style of its row and cell in force.
  void ForEachCell(const std::function<void(Cell&, const CellSource&)>& visit);
  void ApplyBoxAttributes(const std::wstring& attributes, bool isCell);
  static void Grow(std::vector<int>* sizes, int first, int count, int gap, int need);

  HtmlLayoutContext& ctx_;
  HtmlStyleState& state_;
  int available_;
  std::wstring tableAttributes_;
  std::vector<RowSource> rows_;
  std::vector<Cell> cells_;
  int columns_ = 0;
};

}  // namespace morvick::html
