// Models of the two controls that hold other content: a tab control with its pages, and a
// read-only grid of rows shown as text.
//
// Like the other control models they draw nothing; the window layer binds a view to them.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/Controls.h"

namespace forms {

// A row of tabs over one page per tab. A control stands on a page by taking the page as its
// container; its position is then relative to the page, the area under the row of tabs.
class TabControl : public Control {
 public:
  TabControl(std::string name, Rect position, std::vector<std::string> captions) : Control(std::move(name), position) {
    for (std::size_t i = 0; i < captions.size(); ++i) {
      auto page = std::make_unique<Frame>(Name() + ".Page" + std::to_string(i), Rect{0, 0, position.width, position.height});
      page->SetContainer(this);
      page->Caption = captions[i];
      pages_.push_back(std::move(page));
    }
  }

  int TabCount() const { return static_cast<int>(pages_.size()); }
  // The caption of tab index (from 0); throws std::out_of_range for a tab that does not exist.
  const std::string& TabCaption(int index) const { return pages_.at(static_cast<std::size_t>(index))->Caption.get(); }
  // The page of tab index, to give to SetContainer of the controls standing on it.
  const Control& Page(int index) const { return *pages_.at(static_cast<std::size_t>(index)); }

  // The tab in front, from 0. The operator's choice of a tab writes it too.
  Property<int> Tab{0};

 private:
  std::vector<std::unique_ptr<Frame>> pages_;
};

// One row of a grid: a value per column; an absent value (Null) shows as an empty cell.
using GridRow = std::vector<std::optional<std::string>>;

// The rows a grid shows, handed out one at a time as the grid draws them, so that a source may
// stand for far more rows than it keeps in memory.
class GridRows {
 public:
  virtual ~GridRows() = default;
  // The number of rows. A source that reads its rows from a store may learn on a read that the
  // store holds fewer (rows deleted there); the count then drops, and a view takes the new
  // count once it has drawn.
  virtual std::size_t Count() const = 0;
  // Row `index`; an index at or past Count() gives an empty row. Never throws: a row the
  // source cannot read shows as empty cells.
  virtual GridRow Row(std::size_t index) = 0;
  // How many rows the source has taken from its store so far (a fixed set: all of them).
  virtual std::size_t RowsRead() const = 0;
};

// Rows held whole in memory.
class FixedGridRows : public GridRows {
 public:
  explicit FixedGridRows(std::vector<GridRow> rows = {}) : rows_(std::move(rows)) {}
  std::size_t Count() const override { return rows_.size(); }
  GridRow Row(std::size_t index) override { return index < rows_.size() ? rows_[index] : GridRow{}; }
  std::size_t RowsRead() const override { return rows_.size(); }

 private:
  std::vector<GridRow> rows_;
};

// What a grid shows: a caption above the columns, the column captions, and the rows (none
// while `rows` is empty). Two GridData are the same when they share the same rows object.
struct GridData {
  std::string caption;
  std::vector<std::string> columns;
  std::shared_ptr<GridRows> rows;
  std::size_t RowCount() const { return rows ? rows->Count() : 0; }
  friend bool operator==(const GridData&, const GridData&) = default;
};

// How a grid shows one of its columns. A column is never narrower than its caption.
struct GridColumnLook {
  // The width in twips; 0 makes the column as wide as its caption.
  int width = 0;
  // The column takes, in place of `width`, the room that the columns before it leave in the
  // grid's visible area, so that it ends at the area's right edge.
  bool fillsView = false;
  // A text longer than the column shows its end, its start cut off; otherwise its start.
  bool showsEnd = false;
  friend bool operator==(const GridColumnLook&, const GridColumnLook&) = default;
};

// A read-only grid. Assigning Data redraws the grid only when something in it changed.
class Grid : public Control {
 public:
  using Control::Control;
  Property<GridData> Data;
  // The looks of the columns, in column order; a column past the end has the default look.
  Property<std::vector<GridColumnLook>> ColumnLooks;
};

}  // namespace forms
