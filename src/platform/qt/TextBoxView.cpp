#include "platform/qt/TextBoxView.h"

#include <QPointer>

#include "platform/qt/ControlBinding.h"
#include "platform/qt/Conversions.h"

namespace qtui {

TextBoxView::TextBoxView(forms::TextBox& model, QWidget* parent) : QLineEdit(parent) {
  BindCommon(model, this);
  setText(QString::fromStdString(model.Text.get()));
  // Setting the same text again would move the cursor to the end; only a different text is set.
  Watch(model.Text, this, [&model](TextBoxView* view) {
    const QString text = QString::fromStdString(model.Text.get());
    if (view->text() != text) view->setText(text);
  });
  connect(this, &QLineEdit::textChanged, this, [&model](const QString& text) { model.Text = text.toStdString(); });
  model.onFocus = [guard = QPointer<TextBoxView>(this)] {
    if (guard) guard->setFocus(Qt::OtherFocusReason);
  };
}

}  // namespace qtui
