// The swath, layback and IGRF date dialogs.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/trevil.h"
#include "core/ui.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ModalAnswers;

class GeophysicsGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void SwathDefaultsChoicesAndCancel() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    ModalAnswers answers;
    answers
        .Then([](QWidget* dialog) {
          QVERIFY(Child<QRadioButton>(dialog, "uni_d")->isChecked());
          QVERIFY(Child<QRadioButton>(dialog, "Meto_coef")->isChecked());
          QCOMPARE(Child<QLineEdit>(dialog, "Value_const")->text(), QString("1"));
          Child<QPushButton>(dialog, "shapo_go")->click();
        })
        .Then([](QWidget* dialog) {
          Child<QRadioButton>(dialog, "uni_m")->click();
          Child<QRadioButton>(dialog, "meto_const")->click();
          Type(dialog, "Value_const", "50");
          Child<QPushButton>(dialog, "shapo_go")->click();
        })
        .Then([](QWidget* dialog) { Child<QPushButton>(dialog, "Command1")->click(); });
    const auto first = window.ui().Swath();
    QVERIFY(first && first->coefficient && first->degrees && first->value == 1);
    const auto second = window.ui().Swath();
    QVERIFY(second && !second->coefficient && !second->degrees && second->value == 50);
    QVERIFY(!window.ui().Swath());
    QVERIFY(answers.Done());
  }

  void LaybackKeepsItsValuesUntilCancelled() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    QString maximum;
    ModalAnswers answers;
    answers
        .Then([](QWidget* dialog) {
          QVERIFY(Child<QRadioButton>(dialog, "layfile")->isChecked());
          QCOMPARE(Child<QLineEdit>(dialog, "laymaxim")->text(), QString("10000"));
          Child<QRadioButton>(dialog, "constante")->click();
          Type(dialog, "constlay", "100");
          Type(dialog, "laymaxim", "500");
          Child<QPushButton>(dialog, "golay")->click();
        })
        .Then([&maximum](QWidget* dialog) {
          maximum = Child<QLineEdit>(dialog, "laymaxim")->text();
          Child<QPushButton>(dialog, "Command2")->click();
        })
        .Then([&maximum](QWidget* dialog) {
          maximum = Child<QLineEdit>(dialog, "laymaxim")->text();
          Child<QPushButton>(dialog, "golay")->click();
        });
    const auto first = window.ui().Layback();
    QVERIFY(first && first->constant && first->layback == 100 && first->maximumStep == 500);
    QVERIFY(!window.ui().Layback());
    QCOMPARE(maximum, QString("500"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto fresh = window.ui().Layback();  // Cancel unloaded it
    QCOMPARE(maximum, QString("10000"));
    QVERIFY(fresh && !fresh->constant);
  }

  void IgrfDateBoxesHoldWholeNumbers() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    ModalAnswers answers;
    answers.Then([](QWidget* dialog) {
      QCOMPARE(Child<QLineEdit>(dialog, "anny")->text(), QString("2005"));
      Type(dialog, "anny", "2009.7");
      QCOMPARE(Child<QLineEdit>(dialog, "anny")->text(), QString("20097"));
      Type(dialog, "anny", "2008.");
      QCOMPARE(Child<QLineEdit>(dialog, "anny")->text(), QString("2008"));
      Type(dialog, "Mes", "x");
      QCOMPARE(Child<QLineEdit>(dialog, "Mes")->text(), QString("0"));
      Type(dialog, "Mes", "6");
      Child<QPushButton>(dialog, "Command1")->click();
    });
    const auto date = window.ui().SurveyDate();
    QVERIFY(date);
    QCOMPARE(date->year, 2008.0);
    QCOMPARE(date->month, 6.0);
  }
};

QTEST_MAIN(GeophysicsGuiTest)
#include "geophysics_gui_test.moc"
