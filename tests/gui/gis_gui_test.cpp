// The Miramon VEC and Kingdom Suite dialogs: defaults, whole-number boxes, what they keep.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/trevil.h"
#include "core/ui.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ModalAnswers;
using zolvane::testing::WhenShows;

class GisGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void VecLayerStartsFromItsDefaultsEachRun() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    ModalAnswers answers;
    answers
        .Then([](QWidget* dialog) {
          QCOMPARE(dialog->objectName(), QString("Fbna2vec"));
          for (const char* on : {"Option3", "Option9", "Option6", "Option4"}) {
            QVERIFY2(Child<QRadioButton>(dialog, on)->isChecked(), on);
          }
          QCOMPARE(Text(dialog, "Text1"), QString("31"));
          Child<QRadioButton>(dialog, "Option1")->click();
          Child<QRadioButton>(dialog, "Option8")->click();
          Child<QRadioButton>(dialog, "Option5")->click();
          Child<QRadioButton>(dialog, "Option7")->click();
          Child<QLineEdit>(dialog, "Text1")->setText(" 30 ");
          Child<QPushButton>(dialog, "Command1")->click();
        })
        .Then([](QWidget* dialog) {
          QVERIFY(Child<QRadioButton>(dialog, "Option3")->isChecked());
          Child<QRadioButton>(dialog, "Option2")->click();
          Child<QPushButton>(dialog, "Command1")->click();
        })
        .Then([](QWidget* dialog) { Child<QPushButton>(dialog, "Command2")->click(); });
    const auto first = window.ui().VecLayer();
    QVERIFY(first);
    QCOMPARE(first->Identifier, 1);
    QVERIFY(first->Ed50);
    QVERIFY(!first->Degrees);
    QVERIFY(first->South);
    QCOMPARE(first->ZoneText, std::string(" 30 "));
    const auto second = window.ui().VecLayer();
    QVERIFY(second);
    QCOMPARE(second->Identifier, 2);
    QVERIFY(!second->Ed50 && second->Degrees && !second->South);
    QVERIFY(!window.ui().VecLayer());
    QVERIFY(answers.Done());
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
  }

  void KingdomNavigationColumnsHoldWholeNumbers() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    WhenShows("cs2ks", [](QWidget* dialog) {
      QVERIFY(!dialog->isModal());
      QCOMPARE(Text(dialog, "Text1"), QString("1"));
      QCOMPARE(Text(dialog, "Text4"), QString("L-0"));
      auto* shot = Child<QLineEdit>(dialog, "Text1");
      shot->selectAll();
      shot->insert("2.7");  // as pasted
      QCOMPARE(shot->text(), QString("2"));
      auto* x = Child<QLineEdit>(dialog, "Text2");
      x->clear();
      QCOMPARE(x->text(), QString("0"));
      QTest::keyClicks(x, "-3x");
      QCOMPARE(x->text(), QString("3"));
      Child<QLineEdit>(dialog, "Text4")->setText(" L-5 ");
      Child<QPushButton>(dialog, "Command1")->click();
    });
    const auto first = window.ui().KingdomNavigation(false);
    QVERIFY(first);
    QCOMPARE(first->ShotColumn, 2);
    QCOMPARE(first->XColumn, 3);
    QCOMPARE(first->YColumn, 3);
    QCOMPARE(first->LineName, std::string(" L-5 "));

    // Shown again for another try it keeps its texts; a new run starts afresh.
    WhenShows("cs2ks", [](QWidget* dialog) {
      QCOMPARE(Text(dialog, "Text1"), QString("2"));
      Child<QPushButton>(dialog, "Command2")->click();
    });
    QVERIFY(!window.ui().KingdomNavigation(true));
    WhenShows("cs2ks", [](QWidget* dialog) {
      QCOMPARE(Text(dialog, "Text1"), QString("1"));
      qobject_cast<QDialog*>(dialog)->close();
    });
    QVERIFY(!window.ui().KingdomNavigation(false));
  }
};

QTEST_MAIN(GisGuiTest)
#include "gis_gui_test.moc"
