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
#include "dialogs/profile_dxf_dialog.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ModalAnswers;

class ProfileDxfGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void PositionBoxesShowTheirNumberOnLeaving() {
    zolvane::ProfileDxfDialog dialog;
    const struct {
      const char* box;
      QString typed, shown;
    } cases[] = {
        {"Text1", "12abc", "12"}, {"Text2", "", "0"},        {"Text3", "-3.50", "-3.5"},
        {"Text4", "007", "7"},    {"Text5", "1e3x", "1e3x"}, {"Text6", " Line 2 ", " Line 2 "},
    };
    // Texts set without typing, so not marked as edited: rewritten all the same.
    for (const auto& c : cases) {
      Child<QLineEdit>(&dialog, c.box)->setText(c.typed);
      Leave(&dialog, c.box);
      QCOMPARE(Text(&dialog, c.box), c.shown);
    }
    const zolvane::ProfileDxfChoice choice = dialog.Choice();
    QCOMPARE(QString::fromStdString(choice.EndX), QString("-3.5"));
    QCOMPARE(QString::fromStdString(choice.Factor), QString("1e3x"));
    QCOMPARE(QString::fromStdString(choice.Profile), QString(" Line 2 "));
  }

  void ConvertFromTheMenuKeepsTheValues() {
    QTemporaryDir dir;
    const QString input = dir.filePath("profile.dxf");
    const QString output = dir.filePath("real.dxf");
    WriteFile(input,
              "0\nSECTION\n2\nENTITIES\n0\nSOLID\n8\n0\n62\n1\n10\n100\n20\n0\n11\n350\n21\n-100\n"
              "12\n600\n22\n-50\n13\n600\n23\n-50\n0\nENDSEC\n0\nEOF\n");
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    QString xMin, xMax;
    ModalAnswers answers;
    answers.File(input).File(output).Then([&](QWidget* dialog) {
      QCOMPARE(dialog->objectName(), QString("xy2dxf"));
      xMin = Label(window, "Label4_4");
      xMax = Label(window, "Label4_2");
      Child<QLineEdit>(dialog, "Text3")->setText("1000");
      Click(dialog, "Command1");
    });
    window.findChild<QAction*>("xy2xyz")->trigger();
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QCOMPARE(xMin, QString("100"));
    QCOMPARE(xMax, QString("600"));
    QCOMPARE(Label(window, "status"), QString(" Real World 3D dxf ready "));
    QVERIFY(ReadFile(output).contains("11\r\n 500 \r\n21\r\n 0 \r\n 31 \r\n-.1 \r\n"));

    // The next run finds the dialog as it was left; closing it writes nothing.
    QVERIFY(QFile::remove(output));
    QString endX;
    answers.File(input).File(output).Then([&](QWidget* dialog) {
      endX = Text(dialog, "Text3");
      qobject_cast<QDialog*>(dialog)->reject();
    });
    window.findChild<QAction*>("xy2xyz")->trigger();
    QCOMPARE(endX, QString("1000"));
    QVERIFY(!QFile::exists(output));
  }
};

QTEST_MAIN(ProfileDxfGuiTest)
#include "profile_dxf_gui_test.moc"
