// The transect dialog of Didger.dxf > Real World 3D DXF, alone and from the menu.
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/trevil.h"
#include "core/ui.h"
#include "dialogs/xy2dxf_dialog.h"
#include "modal_answers.h"

using zolvane::testing::ModalAnswers;

namespace {

QLineEdit* Box(QWidget* dialog, const char* name) {
  auto* box = dialog->findChild<QLineEdit*>(name);
  if (!box) qFatal("no %s", name);
  return box;
}

void LoseFocus(QLineEdit* box) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(box, &out);
}

}  // namespace

class Xy2dxfGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void PositionBoxesShowTheirNumberOnLeaving() {
    zolvane::Xy2dxfDialog dialog;
    QCOMPARE(dialog.windowTitle(), QString("2D > 3D DXF"));
    QCOMPARE(dialog.findChild<QPushButton*>("Command1")->text(), QString("Convert"));
    const struct {
      const char* box;
      QString typed, shown;
    } cases[] = {
        {"Text1", "12abc", "12"}, {"Text2", "", "0"},        {"Text3", "-3.50", "-3.5"},
        {"Text4", "007", "7"},    {"Text5", "1e3x", "1e3x"}, {"Text6", " Line 2 ", " Line 2 "},
    };
    // Texts set without typing, so not marked as edited: rewritten all the same.
    for (const auto& c : cases) {
      Box(&dialog, c.box)->setText(c.typed);
      LoseFocus(Box(&dialog, c.box));
      QCOMPARE(Box(&dialog, c.box)->text(), c.shown);
    }
    const zolvane::Xy2dxfChoice choice = dialog.Choice();
    QCOMPARE(QString::fromStdString(choice.EndX), QString("-3.5"));
    QCOMPARE(QString::fromStdString(choice.Factor), QString("1e3x"));
    QCOMPARE(QString::fromStdString(choice.Profile), QString(" Line 2 "));
  }

  void ConvertFromTheMenuKeepsTheValues() {
    QTemporaryDir dir;
    const QString input = dir.filePath("profile.dxf");
    const QString output = dir.filePath("real.dxf");
    {
      QFile dxf(input);
      QVERIFY(dxf.open(QIODevice::WriteOnly));
      dxf.write(
          "0\nSECTION\n2\nENTITIES\n0\nSOLID\n8\n0\n62\n1\n10\n100\n20\n0\n11\n350\n21\n-100\n"
          "12\n600\n22\n-50\n13\n600\n23\n-50\n0\nENDSEC\n0\nEOF\n");
    }
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    QString xMin, xMax;
    ModalAnswers answers;
    answers.File(input).File(output).Then([&](QWidget* dialog) {
      QCOMPARE(dialog->objectName(), QString("xy2dxf"));
      xMin = window.findChild<QLabel*>("Label4_4")->text();
      xMax = window.findChild<QLabel*>("Label4_2")->text();
      Box(dialog, "Text3")->setText("1000");
      dialog->findChild<QPushButton*>("Command1")->click();
    });
    window.findChild<QAction*>("xy2xyz")->trigger();
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QCOMPARE(xMin, QString("100"));
    QCOMPARE(xMax, QString("600"));
    QCOMPARE(window.findChild<QLabel*>("status")->text(), QString(" Real World 3D dxf ready "));
    QFile written(output);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().contains("11\r\n 500 \r\n21\r\n 0 \r\n 31 \r\n-.1 \r\n"));

    // The next run finds the dialog as it was left; closing it writes nothing.
    QVERIFY(QFile::remove(output));
    QString endX;
    answers.File(input).File(output).Then([&](QWidget* dialog) {
      endX = Box(dialog, "Text3")->text();
      qobject_cast<QDialog*>(dialog)->reject();
    });
    window.findChild<QAction*>("xy2xyz")->trigger();
    QCOMPARE(endX, QString("1000"));
    QVERIFY(!QFile::exists(output));
  }
};

QTEST_MAIN(Xy2dxfGuiTest)
#include "xy2dxf_gui_test.moc"
