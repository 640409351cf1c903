// The extraction dialog and the extraction run from the menu bar of the real window.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/trevil.h"
#include "core/ui.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ModalAnswers;

namespace {

// Closes a message box with OK, noting its text and title.
ModalAnswers::Answer Acknowledge(QString& text, QString& title) {
  return [&text, &title](QWidget* widget) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (!box) return qobject_cast<QDialog*>(widget)->reject();
    text = box->text();
    title = box->windowTitle();
    box->button(QMessageBox::Ok)->click();
  };
}

}  // namespace

class XyzcGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void DialogDefaultsRulesAndMemory() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    QString title;
    bool defaults = false, framesOffWithBna = false, framesBackOn = false;
    QString frequency;
    ModalAnswers answers;
    answers
        .Then([&](QWidget* dialog) {
          title = dialog->windowTitle();
          defaults = Child<QCheckBox>(dialog, "Check1")->isChecked() &&
                     !Child<QCheckBox>(dialog, "Check2")->isChecked() &&
                     !Child<QCheckBox>(dialog, "Bnasi")->isChecked() &&
                     Child<QLineEdit>(dialog, "Freq")->text() == "1" &&
                     Child<QLineEdit>(dialog, "Text1_2")->text() == "0" &&
                     Child<QLabel>(dialog, "Label3_0")->text() == "max. Columns: 20";
          Child<QCheckBox>(dialog, "Bnasi")->click();
          framesOffWithBna = !Child<QGroupBox>(dialog, "Frame4")->isEnabled() &&
                             !Child<QGroupBox>(dialog, "frame2")->isEnabled();
          Child<QCheckBox>(dialog, "Bnasi")->click();
          framesBackOn = Child<QGroupBox>(dialog, "Frame4")->isEnabled() &&
                         Child<QGroupBox>(dialog, "frame2")->isEnabled();
          // Pasted at once, the text becomes the whole number it reads as.
          Child<QLineEdit>(dialog, "Freq")->setText("2.7x");
          frequency = Child<QLineEdit>(dialog, "Freq")->text();
          Type(dialog, "Text1_0", "2");
          Type(dialog, "Text1_1", "1");
          Child<QCheckBox>(dialog, "Check2")->click();
          Child<QPushButton>(dialog, "Command1")->click();
        })
        .Then([](QWidget* dialog) { Child<QPushButton>(dialog, "Command1")->click(); })
        .Then([](QWidget* dialog) { Child<QPushButton>(dialog, "Command2")->click(); });
    const auto first = window.ui().Xyzc();
    QCOMPARE(title, QString(" Zolvane - Extract"));
    QVERIFY(defaults);
    QVERIFY(framesOffWithBna);
    QVERIFY(framesBackOn);
    QCOMPARE(frequency, QString("2"));
    QVERIFY(first);
    QVERIFY(first->Columns && first->Lines && !first->Bna);
    QCOMPARE(first->Frequency, 2);
    QCOMPARE(first->XColumn, 2.0);
    QCOMPARE(first->YColumn, 1.0);

    const auto again = window.ui().Xyzc();  // remembered
    QVERIFY(again);
    QCOMPARE(again->Frequency, 2);
    QCOMPARE(again->XColumn, 2.0);
    QVERIFY(!window.ui().Xyzc());  // Cancel
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
  }

  void ExtractionFromTheMenuAppends() {
    QTemporaryDir dir;
    const QString input = dir.filePath("in.dat");
    const QString output = dir.filePath("out.dat");
    {
      QFile in(input), out(output);
      QVERIFY(in.open(QIODevice::WriteOnly) && out.open(QIODevice::WriteOnly));
      in.write("10.5,20.25,abc\n1,2,3\n");
      out.write("old\r\n");
    }
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    QString text, title;
    ModalAnswers answers;
    answers
        .Then([](QWidget* dialog) {
          QCOMPARE(dialog->objectName(), QString("xyzc"));
          Type(dialog, "Text1_0", "2");
          Type(dialog, "Text1_1", "1");
          Type(dialog, "Text1_2", "3");
          Child<QPushButton>(dialog, "Command1")->click();
        })
        .File(input)
        .File(output)
        .Then(Acknowledge(text, title));
    window.findChild<QAction*>("excols_0")->trigger();
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QVERIFY(answers.Done());
    QCOMPARE(text, QString(" Finished "));
    QCOMPARE(title, QString(" EXTRACT "));
    QFile written(output);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("old\r\n20.25,10.5,\"abc\"\r\n2,1,\"3\"\r\n"));
  }
};

QTEST_MAIN(XyzcGuiTest)
#include "xyzc_gui_test.moc"
