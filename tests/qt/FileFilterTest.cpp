// The open-file dialog's filter in Qt's form.
#include <QTest>

#include "QtTestRegistry.h"
#include "platform/qt/FileFilter.h"

namespace qtui {

class FileFilterTest : public QObject {
  Q_OBJECT

 private slots:
  void convertsDescriptionAndPatternPairs() {
    QCOMPARE(ToQtNameFilters("FEEDBACK.TXT (Submmit) |FEEDBACK.TXT|"),
             QStringList{QStringLiteral("FEEDBACK.TXT (Submmit) (FEEDBACK.TXT)")});
    // "*.*" means every file, also one without an extension.
    QCOMPARE(ToQtNameFilters("All files (*.*) |*.*|"), QStringList{QStringLiteral("All files (*.*) (*)")});
    QCOMPARE(ToQtNameFilters("Text (*.txt;*.dat)|*.txt;*.dat|All|*.*"),
             (QStringList{QStringLiteral("Text (*.txt;*.dat) (*.txt *.dat)"), QStringLiteral("All (*)")}));
  }

  void emptyOrIncompleteFilters() {
    QCOMPARE(ToQtNameFilters(""), QStringList());
    QCOMPARE(ToQtNameFilters("Anything|"), QStringList{QStringLiteral("Anything (*)")});
  }
};

QTUI_TEST_CLASS(FileFilterTest)

}  // namespace qtui

#include "FileFilterTest.moc"
