// The view of a tab control: a row of tabs with the captions of the model's tabs, over one
// page widget per tab. The tab in front follows the model's Tab, and the operator's choice of
// a tab is written to it. The controls standing on a page are children of PageWidget(i),
// placed relative to the page. The model must outlive the view.
#pragma once

#include <QTabWidget>

#include "platform/forms/TabsAndGrid.h"

namespace qtui {

class TabView : public QTabWidget {
  Q_OBJECT

 public:
  TabView(forms::TabControl& model, QWidget* parent);

  QWidget* PageWidget(int index) const { return widget(index); }
};

}  // namespace qtui
