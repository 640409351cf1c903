// The windows of distance-time, parallel lines, rotation, the interpolator and the filters.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include "app/menu_tree.h"
#include "app/trevil.h"
#include "core/ui.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ModalAnswers;

class PlanningGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void DistanceTimeTurnsAZeroSpeedIntoATenth() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    ModalAnswers answers;
    answers
        .Then([](QWidget* dialog) {
          QCOMPARE(Text(dialog, "velocitat"), QString("5"));
          QVERIFY(Child<QRadioButton>(dialog, "Option1")->isChecked());
          Type(dialog, "velocitat", "abc");
          Type(dialog, "vel2", "7.5");
          Click(dialog, "Option2");
          Click(dialog, "Command1");  // "Calculate"
        })
        .Then([](QWidget* dialog) {
          QCOMPARE(Text(dialog, "velocitat"), QString(".1"));  // kept for the next time
          qobject_cast<QDialog*>(dialog)->reject();
        });
    const auto choice = window.ui().DistanceTime();
    QVERIFY(choice);
    QCOMPARE(choice->LineSpeed, 0.1);
    QCOMPARE(choice->TransitSpeed, 7.5);
    QVERIFY(choice->Ed50);
    QVERIFY(!window.ui().DistanceTime());  // closed through its frame
    QVERIFY(answers.unexpected.isEmpty());
  }

  void ParallelAndRotateGiveTheirValuesOrCancel() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    ModalAnswers answers;
    answers
        .Then([](QWidget* dialog) {
          QVERIFY(Child<QRadioButton>(dialog, "Option2")->isChecked());
          QCOMPARE(Child<QLabel>(dialog, "Label4_0")->text(), QString("X"));
          Click(dialog, "Option1");
          QCOMPARE(Child<QLabel>(dialog, "Label4_0")->text(), QString::fromUtf8("\u00baLONGITUDE"));
          QCOMPARE(Child<QLabel>(dialog, "Label4_1")->text(), QString::fromUtf8("\u00baLATITUDE"));
          QCOMPARE(Text(dialog, "Text5"), QString("1000"));
          Type(dialog, "Text5", "250x");
          QCOMPARE(Text(dialog, "Text5"), QString("250"));
          Child<QScrollBar>(dialog, "VScroll1")->setValue(3);
          QCOMPARE(Text(dialog, "paranum"), QString("3"));
          Type(dialog, "xa", "-3.5");
          Type(dialog, "ya", "41");
          Type(dialog, "xb", "-3.5");
          Type(dialog, "yb", "42");
          Click(dialog, "fes");
        })
        .Then([](QWidget* dialog) { Click(dialog, "cancel"); })
        .Then([](QWidget* dialog) {
          QCOMPARE(Text(dialog, "Text1"), QString("0"));
          QVERIFY(Child<QRadioButton>(dialog, "Option1")->isChecked());
          Type(dialog, "Text1", "10");
          Type(dialog, "Text3", "45");
          Click(dialog, "Option2");
          Click(dialog, "fes");
        })
        .Then([](QWidget* dialog) { Click(dialog, "cancel"); });
    const auto parallel = window.ui().Parallel();
    QVERIFY(parallel);
    QVERIFY(parallel->Degrees);
    QCOMPARE(parallel->Xa, std::string("-3.5"));
    QCOMPARE(parallel->Yb, std::string("42"));
    QCOMPARE(parallel->Spacing, 250.0);
    QCOMPARE(parallel->Count, 3);
    QVERIFY(!window.ui().Parallel());
    const auto rotate = window.ui().Rotate();
    QVERIFY(rotate);
    QCOMPARE(rotate->CentreX, 10.0);
    QCOMPARE(rotate->Angle, 45.0);
    QVERIFY(rotate->Ccw);
    QVERIFY(!window.ui().Rotate());
    QVERIFY(answers.unexpected.isEmpty());
  }

  void InterpolatorSliderCalcAndRefusal() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    window.Run(*zolvane::FindMenuItem("utils_11"));
    auto* dialog = window.findChild<QDialog*>("Interpolation");
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(Child<QLabel>(dialog, "Label3")->text(), QString("0 %"));
    QVERIFY(window.menuBar()->isEnabled());  // the main window goes on

    Type(dialog, "X2", "100");
    Type(dialog, "Y2", "50");
    auto* slider = Child<QScrollBar>(dialog, "HScroll1");
    slider->setValue(250);
    QCOMPARE(Text(dialog, "X3"), QString("25"));
    QCOMPARE(Text(dialog, "Y3"), QString("12.5"));
    QCOMPARE(Child<QLabel>(dialog, "Label3")->text(), QString("25%"));
    slider->setValue(15);
    QCOMPARE(Child<QLabel>(dialog, "Label3")->text(), QString("2%"));

    Type(dialog, "Text2", "3");
    Type(dialog, "Text1", "12");
    Click(dialog, "Command2");  // "Calc"
    QCOMPARE(slider->value(), 250);

    QString refusal;
    ModalAnswers answers;
    answers.Then([&refusal](QWidget* box) {
      refusal = qobject_cast<QMessageBox*>(box)->text();
      qobject_cast<QMessageBox*>(box)->accept();
    });
    Type(dialog, "Text1", "0");
    Click(dialog, "Command2");
    QVERIFY(!refusal.isEmpty());
    QCOMPARE(slider->value(), 250);

    Click(dialog, "Command1");  // "done"
    QVERIFY(!dialog->isVisible());
  }

  void FilterFramesAndClipping() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    ModalAnswers answers;
    answers
        .Then([](QWidget* dialog) {
          QVERIFY(Child<QGroupBox>(dialog, "Frame1")->isEnabled());
          QVERIFY(!Child<QGroupBox>(dialog, "Frame2")->isEnabled());
          QCOMPARE(Text(dialog, "xmintext"), QString("-180"));
          Click(dialog, "fil_Z");
          QVERIFY(!Child<QGroupBox>(dialog, "Frame1")->isEnabled());
          QVERIFY(Child<QGroupBox>(dialog, "Frame2")->isEnabled());
          Type(dialog, "zmaxtext", "50");
          Click(dialog, "accio2");
          Click(dialog, "stad");
          Click(dialog, "Command1");
        })
        .Then([](QWidget* dialog) {
          // The clip: an X-Y window to extract, the rest locked.
          QVERIFY(!Child<QGroupBox>(dialog, "Frame3")->isEnabled());
          QVERIFY(!Child<QGroupBox>(dialog, "Frame4")->isEnabled());
          QVERIFY(Child<QGroupBox>(dialog, "Frame1")->isEnabled());
          Type(dialog, "xmaxtext", "10");
          Click(dialog, "Command1");
        })
        .Then([](QWidget* dialog) { Click(dialog, "Command2"); });
    const auto filter = window.ui().Filter(false);
    QVERIFY(filter);
    QVERIFY(filter->ZRange);
    QCOMPARE(filter->ZMax, 50.0);
    QVERIFY(filter->DeleteWindow);
    QVERIFY(filter->CheckStatistics);
    const auto clip = window.ui().Filter(true);
    QVERIFY(clip);
    QVERIFY(!clip->ZRange);
    QVERIFY(!clip->DeleteWindow);
    QCOMPARE(clip->XMax, 10.0);
    QVERIFY(!window.ui().Filter(false));  // Cancel
    QVERIFY(answers.unexpected.isEmpty());
  }
};

QTEST_MAIN(PlanningGuiTest)
#include "planning_gui_test.moc"
