#include "platform/qt/TabView.h"

#include "platform/qt/ControlBinding.h"
#include "platform/qt/Conversions.h"

namespace qtui {

TabView::TabView(forms::TabControl& model, QWidget* parent) : QTabWidget(parent) {
  BindCommon(model, this);
  for (int i = 0; i < model.TabCount(); ++i) {
    auto* page = new QWidget(this);
    page->setObjectName(QString::fromStdString(model.Page(i).Name()));
    addTab(page, ToQString(model.TabCaption(i)));
  }
  setCurrentIndex(model.Tab);
  Watch(model.Tab, this, [&model](TabView* view) { view->setCurrentIndex(model.Tab); });
  connect(this, &QTabWidget::currentChanged, this, [&model](int index) {
    if (index >= 0) model.Tab = index;
  });
}

}  // namespace qtui
