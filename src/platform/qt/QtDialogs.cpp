#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/forms/Window.h"
#include "platform/qt/Conversions.h"
#include "platform/qt/FileFilter.h"
#include "platform/qt/HelpWindow.h"
#include "platform/qt/QtWindowView.h"

namespace qtui {

namespace {
constexpr int kAbort = 3;
constexpr int kRetry = 4;
constexpr int kIgnore = 5;

struct ButtonSet {
  std::vector<std::pair<QMessageBox::StandardButton, int>> buttons;  // Qt button, answer code
  int escapeAnswer;
};

// Takes away, while a box is open, the key presses that the keyboard repeats for a held key. A
// box is answered only by a key pressed while it is open: an Enter held down from before it
// appeared (or left down by a tool that sent its release to a window already gone) would
// otherwise press the default button at the first repeat, and the box would close before the
// operator ever saw it. A repeat is a press marked as one, or a press that comes with the same
// time stamp as the release of the same key just before it (the form a repeat takes when the
// window system's release and press reach the program apart).
class RepeatedKeysIgnored : public QObject {
 public:
  explicit RepeatedKeysIgnored(QWidget& box) : box_(box) { QCoreApplication::instance()->installEventFilter(this); }
  ~RepeatedKeysIgnored() override { QCoreApplication::instance()->removeEventFilter(this); }
  RepeatedKeysIgnored(const RepeatedKeysIgnored&) = delete;
  RepeatedKeysIgnored& operator=(const RepeatedKeysIgnored&) = delete;

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    const auto* widget = qobject_cast<const QWidget*>(target);
    if (widget == nullptr || (widget != &box_ && !box_.isAncestorOf(widget))) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (event->type() == QEvent::KeyRelease) {
      lastRelease_ = {key->key(), key->timestamp()};
      return false;
    }
    // Events made by the program itself carry no time (0) and are never taken for a repeat.
    return key->isAutoRepeat() || (key->timestamp() != 0 && lastRelease_.key == key->key() &&
                                   lastRelease_.timestamp == key->timestamp());
  }

 private:
  struct Release {
    int key = 0;
    quint64 timestamp = 0;
  };
  QWidget& box_;
  Release lastRelease_;
};

ButtonSet ButtonsOf(int style) {
  using B = QMessageBox;
  switch (style & 7) {
    case 1: return {{{B::Ok, forms::vbOK}, {B::Cancel, forms::vbCancel}}, forms::vbCancel};
    case 2: return {{{B::Abort, kAbort}, {B::Retry, kRetry}, {B::Ignore, kIgnore}}, kAbort};
    case 3: return {{{B::Yes, forms::vbYes}, {B::No, forms::vbNo}, {B::Cancel, forms::vbCancel}}, forms::vbCancel};
    case forms::vbYesNo: return {{{B::Yes, forms::vbYes}, {B::No, forms::vbNo}}, forms::vbNo};
    case 5: return {{{B::Retry, kRetry}, {B::Cancel, forms::vbCancel}}, forms::vbCancel};
    default: return {{{B::Ok, forms::vbOK}}, forms::vbOK};
  }
}

QMessageBox::Icon IconOf(int style) {
  switch (style & 0x70) {
    case forms::vbCritical: return QMessageBox::Critical;
    case forms::vbQuestion: return QMessageBox::Question;
    case 48: return QMessageBox::Warning;
    case forms::vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}
}  // namespace

QtDialogs::QtDialogs() = default;

QtDialogs::~QtDialogs() = default;

int QtDialogs::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
  const QString caption = title.empty() ? QCoreApplication::applicationName() : ToQString(title);
  QMessageBox box(IconOf(buttons), caption, ToQString(prompt), QMessageBox::NoButton, QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  const ButtonSet set = ButtonsOf(buttons);
  std::vector<std::pair<QAbstractButton*, int>> answers;
  for (const auto& [standard, answer] : set.buttons) answers.emplace_back(box.addButton(standard), answer);
  // 256 and 512 make the second or the third button the default one.
  std::size_t defaultIndex = (buttons & 512) ? 2 : (buttons & 256) ? 1 : 0;
  if (defaultIndex >= answers.size()) defaultIndex = 0;
  box.setDefaultButton(static_cast<QPushButton*>(answers[defaultIndex].first));
  const RepeatedKeysIgnored heldKeys(box);
  box.exec();
  for (const auto& [button, answer] : answers) {
    if (box.clickedButton() == button) return answer;
  }
  return set.escapeAnswer;
}

void QtDialogs::ShowOpen(forms::CommonDialog& dialog) {
  QFileDialog chooser(QApplication::activeWindow(), ToQString(dialog.DialogTitle));
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  // The file-type box shows each entry by its description alone, as the filter gives it.
  chooser.setOption(QFileDialog::HideNameFilterDetails);
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  chooser.setFileMode(QFileDialog::AnyFile);
  chooser.setFilter(chooser.filter() & ~QDir::CaseSensitive);
  const QStringList filters = ToQtNameFilters(dialog.Filter);
  if (!filters.isEmpty()) chooser.setNameFilters(filters);
  if (!dialog.FileName.empty()) {
    const QFileInfo previous(QString::fromStdString(dialog.FileName));
    if (previous.isDir()) {
      chooser.setDirectory(previous.absoluteFilePath());
    } else {
      chooser.setDirectory(previous.absolutePath());
      chooser.selectFile(previous.fileName());
    }
  }
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
    dialog.FileName.clear();
    return;
  }
  dialog.FileName = chooser.selectedFiles().constFirst().toStdString();
}

void QtDialogs::ShowModal(forms::Window& window) {
  QtWindowView* view = QtWindowView::Find(window);
  if (view == nullptr) throw std::logic_error("no window view for " + window.Name());
  // Qt takes a window's modality when it is shown.
  if (view->isVisible()) window.Hide();
  view->setWindowModality(Qt::ApplicationModal);
  window.modal = true;
  QEventLoop nested;
  const auto connection = QObject::connect(view, &QtWindowView::Hidden, &nested, &QEventLoop::quit);
  window.Show();
  if (window.Loaded() && window.Visible) nested.exec();
  QObject::disconnect(connection);
  window.modal = false;
  if (!view->isVisible()) view->setWindowModality(Qt::NonModal);
}

void QtDialogs::ShowHelp(const std::string& helpFile, const forms::Window* beside) {
  if (!help_) help_ = std::make_unique<HelpWindow>();
  QString path = QString::fromStdString(helpFile);
  // A path built with "\" between folder and file names is taken with "/" when only that exists.
  if (!QFileInfo::exists(path) && path.contains(QLatin1Char('\\'))) {
    const QString slashed = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QFileInfo::exists(slashed)) path = slashed;
  }
  help_->ShowFile(path, beside != nullptr ? QtWindowView::Find(*beside) : nullptr);
}

void QtDialogs::QuitHelp(const std::string&) {
  if (help_) help_->close();
}

HelpWindow* QtDialogs::OpenHelpWindow() const { return help_ && help_->isVisible() ? help_.get() : nullptr; }

}  // namespace qtui
