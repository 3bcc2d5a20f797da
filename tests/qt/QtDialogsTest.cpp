// Message boxes, the open-file dialog, modal windows and help. A box is answered from a
// single-shot timer that finds it as the active modal widget, as the operator would.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "QtTestRegistry.h"
#include "platform/qt/HelpWindow.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtWindowView.h"

namespace qtui {

namespace {
constexpr int kWaitMs = 5000;

// Runs action on the modal widget of type T as soon as one is open.
template <class T>
void WhenModalOpens(std::function<void(T*)> action) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
    if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      action(modal);
    }
  });
  poll->start();
}

void WriteFile(const QString& path, const QByteArray& text) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
}

QStringList ListedNames(QFileDialog* dialog) {
  QStringList names;
  auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
  if (list == nullptr || list->model() == nullptr) return names;
  const QModelIndex root = list->rootIndex();
  for (int row = 0; row < list->model()->rowCount(root); ++row) names << list->model()->index(row, 0, root).data().toString();
  return names;
}
}  // namespace

class QtDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void questionBoxAnswersYesOrNo() {
    QtDialogs dialogs;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    WhenModalOpens<QMessageBox>([&](QMessageBox* box) {
      text = box->text();
      title = box->windowTitle();
      icon = box->icon();
      buttons = static_cast<int>(box->buttons().size());
      box->button(QMessageBox::Yes)->click();
    });
    QCOMPARE(dialogs.MsgBox("Are you sure you want to delete the log?", 36, "Corvello '98 Server"), forms::vbYes);
    QCOMPARE(text, QStringLiteral("Are you sure you want to delete the log?"));
    QCOMPARE(title, QStringLiteral("Corvello '98 Server"));
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(buttons, 2);
    WhenModalOpens<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    QCOMPARE(dialogs.MsgBox("Shut down?", 36, "Corvello '98"), forms::vbNo);
  }

  void criticalAndInformationBoxesHaveOneOkButton() {
    QtDialogs dialogs;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    bool onlyOk = false;
    const auto answer = [&](QMessageBox* box) {
      icon = box->icon();
      text = box->text();
      onlyOk = box->buttons().size() == 1 && box->button(QMessageBox::Ok) != nullptr;
      box->button(QMessageBox::Ok)->click();
    };
    WhenModalOpens<QMessageBox>(answer);
    QCOMPARE(dialogs.MsgBox("Please stop the server first", 16, "Corvello '98"), forms::vbOK);
    QCOMPARE(icon, QMessageBox::Critical);
    QVERIFY(onlyOk);
    WhenModalOpens<QMessageBox>(answer);
    QCOMPARE(dialogs.MsgBox("Corvello '98 Enterprise Edition\n\nline <3>", 64, "Information"), forms::vbOK);
    QCOMPARE(icon, QMessageBox::Information);
    QCOMPARE(text, QStringLiteral("Corvello '98 Enterprise Edition\n\nline <3>"));
    QVERIFY(onlyOk);
  }

  // Enter held down from before the box appeared repeats into it, as a press marked as a repeat
  // or as a release and a press of one time stamp; only a fresh press answers.
  void aRepeatedKeyDoesNotAnswerABox() {
    QtDialogs dialogs;
    bool openAfterRepeats = false;
    WhenModalOpens<QMessageBox>([&](QMessageBox* box) {
      QWidget* button = box->defaultButton();
      QKeyEvent marked(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
      QApplication::sendEvent(button, &marked);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
      release.setTimestamp(4711);
      press.setTimestamp(4711);
      QApplication::sendEvent(button, &release);
      QApplication::sendEvent(button, &press);
      openAfterRepeats = box->isVisible();
      QTest::keyClick(button, Qt::Key_Return);
    });
    QCOMPARE(dialogs.MsgBox("Modem configuration has been saved", 64, "Setup configuration was saved"), forms::vbOK);
    QVERIFY(openAfterRepeats);
  }

  void modalWindowReturnsWhenUnloadedWhileTimersRun() {
    QtEventLoop loop;
    QtDialogs dialogs;
    forms::Window setup("frmSetup", 3000, 3000);
    QtWindowView view(setup);
    forms::Timer engine(loop, "Timer1", 20, true);
    int ticksWhileModal = 0;
    bool wasModal = false;
    engine.OnTimer = [&] {
      if (!setup.Visible) return;
      wasModal = QApplication::activeModalWidget() == &view && setup.modal;
      if (++ticksWhileModal == 3) setup.Unload();
    };
    dialogs.ShowModal(setup);
    QVERIFY(wasModal);
    QCOMPARE(ticksWhileModal, 3);
    QVERIFY(!setup.Loaded());
    QVERIFY(!view.isVisible());
    QCOMPARE(view.windowModality(), Qt::NonModal);
    QVERIFY(!setup.modal);
  }

  void modalWindowClosedByItsCloseBoxReturnsToo() {
    QtDialogs dialogs;
    forms::Window setup("frmSetup", 3000, 3000);
    QtWindowView view(setup);
    QTimer::singleShot(20, &view, [&] { view.close(); });
    dialogs.ShowModal(setup);
    QVERIFY(!setup.Loaded());
  }

  void openDialogCancelledGivesAnEmptyName() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    WriteFile(folder.filePath("FEEDBACK.TXT"), "x");
    QtDialogs dialogs;
    forms::CommonDialog dialog{"Where the messages are submitted?", "FEEDBACK.TXT (Submmit) |FEEDBACK.TXT|",
                               folder.filePath("FEEDBACK.TXT").toStdString()};
    QString title;
    QStringList filters;
    QStringList shownTypes;
    QString directory;
    WhenModalOpens<QFileDialog>([&](QFileDialog* chooser) {
      title = chooser->windowTitle();
      filters = chooser->nameFilters();
      if (auto* types = chooser->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
        for (int i = 0; i < types->count(); ++i) shownTypes << types->itemText(i);
      }
      directory = chooser->directory().absolutePath();
      chooser->reject();
    });
    dialogs.ShowOpen(dialog);
    QCOMPARE(title, QStringLiteral("Where the messages are submitted?"));
    QCOMPARE(filters, QStringList{QStringLiteral("FEEDBACK.TXT (Submmit) (FEEDBACK.TXT)")});
    // The operator sees the entry's description, not the pattern added for Qt.
    QCOMPARE(shownTypes, QStringList{QStringLiteral("FEEDBACK.TXT (Submmit)")});
    QCOMPARE(directory, QDir(folder.path()).absolutePath());
    QCOMPARE(dialog.FileName, std::string());
  }

  void openDialogMatchesTheFileNameInAnyCaseAndGivesTheChosenPath() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    WriteFile(folder.filePath("feedback.txt"), "x");
    WriteFile(folder.filePath("other.txt"), "x");
    QtDialogs dialogs;
    forms::CommonDialog dialog{"Where the messages are submitted?", "FEEDBACK.TXT (Submmit) |FEEDBACK.TXT|",
                               folder.filePath("gone.txt").toStdString()};
    QStringList listed;
    QString startName;
    WhenModalOpens<QFileDialog>([&](QFileDialog* chooser) {
      (void)QTest::qWaitFor([&] { return !ListedNames(chooser).isEmpty(); }, kWaitMs);
      listed = ListedNames(chooser);
      // The operator types the name over the one the dialog started with.
      if (auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        startName = name->text();
        name->setText(QStringLiteral("feedback.txt"));
      }
      static_cast<QDialog*>(chooser)->accept();
    });
    dialogs.ShowOpen(dialog);
    QCOMPARE(startName, QStringLiteral("gone.txt"));
    QCOMPARE(listed, QStringList{QStringLiteral("feedback.txt")});
    QCOMPARE(QString::fromStdString(dialog.FileName), folder.filePath("feedback.txt"));
  }

  void helpShowsTheFileAndQuitClosesIt() {
    QTemporaryDir folder;
    WriteFile(folder.filePath("SERVER1.HLP"), "Starting the server\n<Start> begins a cycle.");
    WriteFile(folder.filePath("page.htm"), "<h1>Setup</h1><p>Modem settings</p>");
    QtDialogs dialogs;
    QCOMPARE(dialogs.OpenHelpWindow(), nullptr);
    dialogs.QuitHelp("SERVER1.HLP");  // nothing open: nothing happens
    dialogs.ShowHelp(folder.filePath("SERVER1.HLP").toStdString(), nullptr);
    HelpWindow* help = dialogs.OpenHelpWindow();
    QVERIFY(help != nullptr);
    QCOMPARE(help->windowTitle(), QStringLiteral("Help"));
    QCOMPARE(help->Browser()->toPlainText(), QStringLiteral("Starting the server\n<Start> begins a cycle."));
    dialogs.ShowHelp(folder.filePath("page.htm").toStdString(), nullptr);
    QCOMPARE(help->Browser()->toPlainText(), QStringLiteral("Setup\nModem settings"));
    dialogs.ShowHelp((folder.path() + QStringLiteral("\\SERVER1.HLP")).toStdString(), nullptr);
    QVERIFY(help->Browser()->toPlainText().startsWith(QStringLiteral("Starting the server")));
    dialogs.ShowHelp(folder.filePath("missing.hlp").toStdString(), nullptr);
    QVERIFY(help->Browser()->toPlainText().contains(QStringLiteral("could not be opened")));
    dialogs.QuitHelp("SERVER1.HLP");
    QCOMPARE(dialogs.OpenHelpWindow(), nullptr);
  }

  // Beside the window where the screen has room, right before left; centred on it where it
  // has none; never past the screen's available area.
  void helpTakesItsPlaceBesideTheWindow() {
    const QSize help(560, 480);
    const QRect wide(0, 0, 1920, 1080);
    QCOMPARE(PlaceBeside(QRect(720, 313, 480, 454), help, wide), QPoint(1200, 313));
    QCOMPARE(PlaceBeside(QRect(720, 900, 480, 454), help, wide), QPoint(1200, 600));
    QCOMPARE(PlaceBeside(QRect(1300, 100, 480, 454), help, wide), QPoint(740, 100));
    const QRect small(0, 30, 800, 600);
    QCOMPARE(PlaceBeside(QRect(160, 103, 480, 454), help, small), QPoint(120, 90));
    QCOMPARE(PlaceBeside(QRect(300, 300, 480, 454), help, small), QPoint(240, 150));
  }
};

QTUI_TEST_CLASS(QtDialogsTest)

}  // namespace qtui

#include "QtDialogsTest.moc"
