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

// What a grid shows: a caption above the columns, the column captions, and the rows, each a
// value per column; an absent value (Null) shows as an empty cell.
struct GridData {
  std::string caption;
  std::vector<std::string> columns;
  std::vector<std::vector<std::optional<std::string>>> rows;
  friend bool operator==(const GridData&, const GridData&) = default;
};

// A read-only grid. Assigning Data redraws the grid only when something in it changed, so a
// refresh that reads the same rows again costs no repaint.
class Grid : public Control {
 public:
  using Control::Control;
  Property<GridData> Data;
};

}  // namespace forms
