// The extraction dialog: its defaults, its rules and what it remembers.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/trevil.h"
#include "core/ui.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ModalAnswers;

class ColumnExtractionGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void DialogDefaultsRulesAndMemory() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    bool defaults = false, framesOffWithBna = false, framesBackOn = false;
    QString frequency;
    ModalAnswers answers;
    answers
        .Then([&](QWidget* dialog) {
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
    const auto first = window.ui().ColumnExtraction();
    QVERIFY(defaults);
    QVERIFY(framesOffWithBna);
    QVERIFY(framesBackOn);
    QCOMPARE(frequency, QString("2"));
    QVERIFY(first);
    QVERIFY(first->Columns && first->Lines && !first->Bna);
    QCOMPARE(first->Frequency, 2);
    QCOMPARE(first->XColumn, 2.0);
    QCOMPARE(first->YColumn, 1.0);

    const auto again = window.ui().ColumnExtraction();  // remembered
    QVERIFY(again);
    QCOMPARE(again->Frequency, 2);
    QCOMPARE(again->XColumn, 2.0);
    QVERIFY(!window.ui().ColumnExtraction());  // Cancel
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
  }
};

QTEST_MAIN(ColumnExtractionGuiTest)
#include "column_extraction_gui_test.moc"
