#include "platform/qt/ComboBoxView.h"

#include <QCompleter>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QStringListModel>

#include "platform/qt/ControlBinding.h"

namespace qtui {

ComboBoxView::ComboBoxView(forms::ComboBox& model, QWidget* parent) : QComboBox(parent), model_(model) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  // A completer that knows no words: nothing is completed while typing, and its case
  // sensitivity makes Enter match list items exactly.
  auto* completer = new QCompleter(new QStringListModel(this), this);
  completer->setCaseSensitivity(Qt::CaseSensitive);
  setCompleter(completer);
  BindCommon(model, this);
  FillList();
  Watch(model.Text, this, [](ComboBoxView* view) { view->ShowText(); });
  model.onListChanged = [guard = QPointer<ComboBoxView>(this)] {
    if (guard) guard->FillList();
  };
  connect(this, &QComboBox::editTextChanged, this, [this](const QString& text) { model_.Text = text.toStdString(); });
}

void ComboBoxView::FillList() {
  {
    const QSignalBlocker quiet(this);
    clear();
    for (const std::string& item : model_.List()) addItem(QString::fromStdString(item));
  }
  ShowText();
}

void ComboBoxView::ShowText() {
  const QString text = QString::fromStdString(model_.Text.get());
  const QSignalBlocker quiet(this);
  setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
  if (currentText() != text) setEditText(text);
}

}  // namespace qtui
