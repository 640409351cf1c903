// The option dialogs: their codes, their consistency rules and what they remember.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include "app/trevil.h"
#include "core/ui.h"
#include "dialogs/input_options_dialog.h"
#include "dialogs/output_options_dialog.h"
#include "dialogs/single_coordinate_dialog.h"
#include "dialogs/translate_dialog.h"
#include "dialogs/zone_dialog.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ModalAnswers;

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void OutputOptionsGivesOrderPlusDelimiterAndRemembersIt() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    ModalAnswers answers;
    answers
        .Then([&](QWidget* dialog) {
          QVERIFY(Child<QRadioButton>(dialog, "xyz")->isChecked());
          QVERIFY(Child<QRadioButton>(dialog, "Option1")->isChecked());
          Child<QRadioButton>(dialog, "YX")->click();  // "Y X"
          Child<QRadioButton>(dialog, "Option2")->click();
          Child<QCheckBox>(dialog, "distances")->click();
          Child<QPushButton>(dialog, "Command1")->click();
        })
        .Then([](QWidget* dialog) { Child<QPushButton>(dialog, "Command1")->click(); })
        .Reject();
    const auto first = window.ui().OutputOptions();
    QVERIFY(first);
    QCOMPARE(first->OutputFormatCode, 24);
    QVERIFY(first->Distances);
    const auto second = window.ui().OutputOptions();
    QVERIFY(second);
    QCOMPARE(second->OutputFormatCode, 24);
    QVERIFY(second->Distances);
    QVERIFY(!window.ui().OutputOptions());  // closed through its frame
    QVERIFY(answers.unexpected.isEmpty());
  }

  void OutputOptionsCodes() {
    zolvane::OutputOptionsDialog dialog;
    QCOMPARE(dialog.OutputFormatCode(), 11);
    const char* const orders[] = {"xyz", "yxz", "XY", "YX"};
    const char* const delimiters[] = {"Option1", "Option2", "Option3"};
    for (int d = 0; d < 3; ++d) {
      for (int o = 0; o < 4; ++o) {
        Child<QRadioButton>(&dialog, orders[o])->click();
        Child<QRadioButton>(&dialog, delimiters[d])->click();
        QCOMPARE(dialog.OutputFormatCode(), 10 * (d + 1) + o + 1);
      }
    }
  }

  void InputOptionsCodesAndStatistics() {
    zolvane::InputOptionsDialog dialog;
    QCOMPARE(dialog.InputFormatCode(), 11);
    QVERIFY(!dialog.CheckStatistics());
    const char* const delimiters[] = {"Option1", "Option2", "Option3"};
    const char* const orders[] = {"xyz", "yxz", "XY", "YX"};
    for (int d = 0; d < 3; ++d) {
      for (int o = 0; o < 4; ++o) {
        Child<QRadioButton>(&dialog, delimiters[d])->click();
        Child<QRadioButton>(&dialog, orders[o])->click();
        QCOMPARE(dialog.InputFormatCode(), 10 * (d + 1) + o + 1);
      }
    }
    Child<QCheckBox>(&dialog, "stad")->click();
    QVERIFY(dialog.CheckStatistics());
  }

  void ZoneKeepsZoneMeridianAndRangeTogether() {
    zolvane::ZoneDialog dialog;
    dialog.show();
    QCOMPARE(Text(&dialog, "fustext"), QString("1"));
    QCOMPARE(Text(&dialog, "cmtext"), QString("-177"));
    QCOMPARE(Text(&dialog, "Text1_0"), QString::fromUtf8("180\u00baW"));
    QCOMPARE(Text(&dialog, "Text1_1"), QString::fromUtf8("174\u00baW"));

    // A typed meridian snaps to its zone's.
    Type(&dialog, "cmtext", "-1");
    QCOMPARE(Text(&dialog, "fustext"), QString("30"));
    QCOMPARE(Text(&dialog, "cmtext"), QString("-3"));
    QCOMPARE(Text(&dialog, "Text1_0"), QString::fromUtf8("6\u00baW"));
    QCOMPARE(Text(&dialog, "Text1_1"), QString::fromUtf8("0\u00baW"));
    QCOMPARE(dialog.UtmZone(), 30);
    QCOMPARE(dialog.CentralMeridian(), -3);

    auto* scroll = Child<QScrollBar>(&dialog, "VScroll1");
    QCOMPARE(scroll->minimum(), 1);
    QCOMPARE(scroll->maximum(), 60);
    QCOMPARE(scroll->value(), 30);  // follows the typed zone
    scroll->setValue(60);
    QCOMPARE(Text(&dialog, "fustext"), QString("60"));
    QCOMPARE(Text(&dialog, "cmtext"), QString("177"));
    QCOMPARE(Text(&dialog, "Text1_0"), QString::fromUtf8("174\u00baE"));
    QCOMPARE(Text(&dialog, "Text1_1"), QString::fromUtf8("180\u00baE"));

    Enter(&dialog, "fustext", "31");
    QCOMPARE(Text(&dialog, "cmtext"), QString("3"));
    QCOMPARE(Text(&dialog, "Text1_0"), QString::fromUtf8("0\u00baE"));
    QCOMPARE(Text(&dialog, "Text1_1"), QString::fromUtf8("6\u00baE"));
    QCOMPARE(scroll->value(), 31);

    // A meridian typed inside the zone shown snaps back to the zone's on leaving.
    for (const char* typed : {"5", "1"}) {
      Enter(&dialog, "cmtext", typed);
      QCOMPARE(Text(&dialog, "fustext"), QString("31"));
      QCOMPARE(Text(&dialog, "cmtext"), QString("3"));
      QCOMPARE(dialog.CentralMeridian(), 3);
    }

    // Nothing follows a value that reads as 0.
    Type(&dialog, "fustext", "x");
    QCOMPARE(Text(&dialog, "cmtext"), QString("3"));
  }

  void ZonesUtmStoresTheConfirmedZone() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    bool modal = false;
    ModalAnswers answers;
    const auto chooseZone = [&modal](int zone) {
      return [&modal, zone](QWidget* dialog) {
        modal = dialog->objectName() == "fusform";
        Child<QScrollBar>(dialog, "VScroll1")->setValue(zone);
        Child<QPushButton>(dialog, "fuscm")->click();
      };
    };
    answers.Then(chooseZone(31)).Then([](QWidget* dialog) {
      // Shown again with the last zone chosen.
      QCOMPARE(Text(dialog, "fustext"), QString("31"));
      qobject_cast<QDialog*>(dialog)->reject();
    });
    window.findChild<QAction*>("utils_6")->trigger();
    QVERIFY(modal);
    QCOMPARE(state.UtmZone, 31);
    QCOMPARE(state.CentralMeridian, 3);
    state.UtmZone = 7;
    window.findChild<QAction*>("utils_6")->trigger();
    QCOMPARE(state.UtmZone, 7);  // closed without O.K.
    QVERIFY(answers.Done());
  }

  void TranslateUnitsDirectionAndChoice() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    ModalAnswers answers;
    answers.Then([](QWidget* dialog) {
      auto* km = Child<QCheckBox>(dialog, "Check1");
      auto* nm = Child<QCheckBox>(dialog, "Check2");
      auto* unit = Child<QLabel>(dialog, "Label1");
      QCOMPARE(unit->text(), QString("Km"));
      nm->click();
      QCOMPARE(unit->text(), QString("NM"));
      QVERIFY(!km->isChecked());
      km->click();
      QCOMPARE(unit->text(), QString("Km"));
      QVERIFY(!nm->isChecked());
      nm->click();
      Child<QScrollBar>(dialog, "VScroll1")->setValue(360);
      QCOMPARE(Text(dialog, "teta"), QString("360"));
      Child<QScrollBar>(dialog, "VScroll1")->setValue(90);
      Type(dialog, "distancia", "2.5");
      Child<QPushButton>(dialog, "traslatecom")->click();
    });
    answers.Then([](QWidget* dialog) {
      Child<QCheckBox>(dialog, "Check2")->click();  // neither ticked now
      Child<QPushButton>(dialog, "traslatecom")->click();
    });
    const auto choice = window.ui().Translate();
    QVERIFY(choice);
    QCOMPARE(choice->Distance, 2.5);
    QVERIFY(!choice->Kilometres);
    QCOMPARE(choice->Angle, 90.0);
    const auto again = window.ui().Translate();
    QVERIFY(again);
    QCOMPARE(again->Distance, 2.5);  // remembered
    QVERIFY(!again->Kilometres);
  }

  void CalculatorConvertsBothWaysWithoutBlocking() {
    zolvane::RunState state;
    state.UtmZone = 12;
    zolvane::Trevil window(state);
    window.show();
    window.findChild<QAction*>("utils_5")->trigger();
    auto* calculator = window.findChild<QDialog*>("Singlecoord");
    QVERIFY(calculator);
    QVERIFY(calculator->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(Text(calculator, "Text1_4"), QString("00.00"));
    QCOMPARE(Text(calculator, "Text1_3"), QString("000.00"));
    QCOMPARE(Text(calculator, "huso"), QString("0"));
    auto* toUtm = Child<QToolButton>(calculator, "G2U");
    auto* toGeo = Child<QToolButton>(calculator, "U2G");

    Enter(calculator, "Text1_4", "41");
    Enter(calculator, "Text1_3", "2");
    toUtm->click();
    QCOMPARE(Text(calculator, "huso"), QString("31"));
    QCOMPARE(Text(calculator, "Text1_0"), QString("415897"));
    QCOMPARE(Text(calculator, "Text1_1"), QString("4539238"));
    QCOMPARE(state.UtmZone, 0);
    QCOMPARE(state.CentralMeridian, 0);
    QCOMPARE(state.SemiMajorAxis, 6378137.0);
    QCOMPARE(state.SemiMinorAxis, 6356752.314);

    toGeo->click();
    QCOMPARE(Text(calculator, "Text1_3"), QString("001.9999898"));
    QCOMPARE(Text(calculator, "Text1_4"), QString("40.9999946"));
    QCOMPARE(state.UtmZone, 0);

    Enter(calculator, "Text1_3", "-180");
    toUtm->click();
    QCOMPARE(Text(calculator, "huso"), QString("1"));
    Enter(calculator, "Text1_3", "180");
    toUtm->click();
    QCOMPARE(Text(calculator, "huso"), QString("61"));
    Enter(calculator, "Text1_4", "-33");
    Enter(calculator, "Text1_3", "18");
    toUtm->click();
    QCOMPARE(Text(calculator, "huso"), QString("34"));
    QVERIFY(Text(calculator, "Text1_1").toDouble() > 10000000);
    {
      // A latitude beyond 90 degrees converts nothing and says so.
      ModalAnswers answers;
      QString seen;
      answers.Message(QMessageBox::Ok, &seen);
      Enter(calculator, "Text1_4", "95");
      toUtm->click();
      QVERIFY(answers.Done());
      QCOMPARE(seen, QString("Single Coordinate Transform|Latitude beyond 90 degrees north or "
                             "south: 95"));
      QVERIFY(Text(calculator, "Text1_1").toDouble() > 10000000);
      Enter(calculator, "Text1_4", "-33");
    }

    Child<QRadioButton>(calculator, "Option2")->click();
    toUtm->click();
    QCOMPARE(state.SemiMajorAxis, 6378388.0);
    QCOMPARE(state.SemiMinorAxis, 6356911.946);

    // A box shows its value by the number rule once left.
    Enter(calculator, "Text1_0", "41,5");
    QCOMPARE(Text(calculator, "Text1_0"), QString("41"));
    Enter(calculator, "Text1_1", "abc");
    QCOMPARE(Text(calculator, "Text1_1"), QString("0"));

    // The main window stays usable meanwhile; close discards the calculator.
    QVERIFY(window.menuBar()->isEnabled());
    Child<QPushButton>(calculator, "Command1")->click();
    QTRY_VERIFY(!window.findChild<QDialog*>("Singlecoord"));
    window.findChild<QAction*>("utils_5")->trigger();
    calculator = window.findChild<QDialog*>("Singlecoord");
    QVERIFY(calculator);
    QCOMPARE(Text(calculator, "Text1_4"), QString("00.00"));
    QVERIFY(Child<QRadioButton>(calculator, "Option1")->isChecked());
    // Leaving a box rewrites it also when nothing was typed.
    Child<QLineEdit>(calculator, "Text1_4")->setFocus();
    Leave(calculator, "Text1_4");
    QCOMPARE(Text(calculator, "Text1_4"), QString("0"));
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
