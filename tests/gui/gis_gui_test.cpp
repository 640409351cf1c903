// The Miramon VEC and Kingdom Suite dialogs, and their commands run from the menu bar.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "app/trevil.h"
#include "core/ui.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ModalAnswers;

namespace {

// Answers the Kingdom Suite dialog, which is not modal, once it shows.
void WhenKingdomShows(std::function<void(QWidget*)> answer) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == "cs2ks" && widget->isVisible()) {
        poll->stop();
        poll->deleteLater();
        QVERIFY(!widget->isModal());
        answer(widget);
        return;
      }
    }
  });
  poll->start();
}

void Write(const QString& path, const QByteArray& text) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
}

QByteArray Read(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll();
}

}  // namespace

class GisGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void Fbna2vecStartsFromItsDefaultsEachRun() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    ModalAnswers answers;
    answers
        .Then([](QWidget* dialog) {
          QCOMPARE(dialog->objectName(), QString("Fbna2vec"));
          QCOMPARE(dialog->windowTitle(), QString("bna > vec"));
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
    const auto first = window.ui().Fbna2vec();
    QVERIFY(first);
    QCOMPARE(first->Identifier, 1);
    QVERIFY(first->Ed50);
    QVERIFY(!first->Degrees);
    QVERIFY(first->South);
    QCOMPARE(first->ZoneText, std::string(" 30 "));
    const auto second = window.ui().Fbna2vec();
    QVERIFY(second);
    QCOMPARE(second->Identifier, 2);
    QVERIFY(!second->Ed50 && second->Degrees && !second->South);
    QVERIFY(!window.ui().Fbna2vec());
    QVERIFY(answers.Done());
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
  }

  void Cs2ksColumnsHoldWholeNumbers() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    WhenKingdomShows([](QWidget* dialog) {
      QCOMPARE(dialog->windowTitle(), QString("CSV => KS Navigation"));
      QCOMPARE(Text(dialog, "Text1"), QString("1"));
      QCOMPARE(Text(dialog, "Text4"), QString("L-0"));
      QCOMPARE(Child<QLabel>(dialog, "Label3")->text(),
               QString("CSV file must be a file with 3 columns separated by comma. "));
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
    const auto first = window.ui().Cs2ks(false);
    QVERIFY(first);
    QCOMPARE(first->ShotColumn, 2);
    QCOMPARE(first->XColumn, 3);
    QCOMPARE(first->YColumn, 3);
    QCOMPARE(first->LineName, std::string(" L-5 "));

    // Shown again for another try it keeps its texts; a new run starts afresh.
    WhenKingdomShows([](QWidget* dialog) {
      QCOMPARE(Text(dialog, "Text1"), QString("2"));
      Child<QPushButton>(dialog, "Command2")->click();
    });
    QVERIFY(!window.ui().Cs2ks(true));
    WhenKingdomShows([](QWidget* dialog) {
      QCOMPARE(Text(dialog, "Text1"), QString("1"));
      qobject_cast<QDialog*>(dialog)->close();
    });
    QVERIFY(!window.ui().Cs2ks(false));
  }

  void VecAndKingdomFromTheMenu() {
    QTemporaryDir dir;
    const QString bna = dir.filePath("in.bna");
    const QString vec = dir.filePath("out.vec");
    Write(bna, "\"A\",\"7\",-2\r\n2.5,41.25\r\n3,41\r\n");
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();

    ModalAnswers answers;
    answers.File(bna).File(vec).Then([](QWidget* dialog) {
      QCOMPARE(dialog->objectName(), QString("Fbna2vec"));
      Child<QPushButton>(dialog, "Command1")->click();
    });
    window.findChild<QAction*>("fil2fil_15")->trigger();
    QVERIFY(answers.Done());
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QCOMPARE(Child<QLabel>(&window, "status")->text(), QString("VEC Created"));
    QCOMPARE(Read(vec), QByteArray("A_7 2\r\n2.5 41.25\r\n3 41\r\n0 0\r\n\r\n"));
    QVERIFY(Read(dir.filePath("out.dvc")).contains("ref. system : lat/long-WGS84\r\n"));

    const QString back = dir.filePath("back.bna");
    answers.File(vec).File(back);
    window.findChild<QAction*>("fil2fil_18")->trigger();
    QVERIFY(answers.Done());
    QCOMPARE(Child<QLabel>(&window, "status")->text(), QString("BNA Created"));
    QCOMPARE(Read(back), QByteArray("A_7 ,line,-2 \r\n2.5,41.25\r\n3,41\r\n"));

    const QString csv = dir.filePath("nav.csv");
    const QString dat = dir.filePath("nav.dat");
    Write(csv, "101,523456.7,4712345.25\r\n");
    answers.File(csv).File(dat);
    WhenKingdomShows([](QWidget* dialog) { Child<QPushButton>(dialog, "Command1")->click(); });
    window.findChild<QAction*>("cs2ks")->trigger();
    QVERIFY(answers.Done());
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QCOMPARE(Child<QLabel>(&window, "status")->text(), QString("DAT file created"));
    QCOMPARE(Read(dat), QByteArray("00101.000    523456.700   4712345.250   L-0\r\n"));
  }
};

QTEST_MAIN(GisGuiTest)
#include "gis_gui_test.moc"
