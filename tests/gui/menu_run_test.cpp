// Commands run from the menu bar of the real window, their dialogs answered as a user would.
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "app/menu_tree.h"
#include "app/trevil.h"
#include "core/ui.h"
#include "modal_answers.h"

using zolvane::testing::ModalAnswers;

namespace {

QString LabelText(const QWidget& window, const char* name) {
  return window.findChild<QLabel*>(name)->text();
}

zolvane::Trevil* MainWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<zolvane::Trevil*>(widget)) return window;
  }
  return nullptr;
}

// What a command saw of the window while it ran.
struct Seen {
  bool menuBarEnabled = true;
  bool stopEnabled = false;
};
Seen seen;

void Look(zolvane::Trevil& window) {
  seen.menuBarEnabled = window.menuBar()->isEnabled();
  seen.stopEnabled = window.findChild<QPushButton*>("stop")->isEnabled();
}

// A pass that reports progress until it is asked to stop; the stop comes from `ask`.
template <void (*Ask)(zolvane::Trevil&)>
void PassUntilStopped(int, zolvane::RunState&, zolvane::Ui& ui) {
  zolvane::Trevil& window = *MainWindow();
  Look(window);
  QTimer::singleShot(0, &window, [&window] { Ask(window); });
  for (std::uint64_t done = 0; done < 100'000'000; ++done) {
    if (!ui.Progress(done, 100'000'000)) return ui.SetStatus("Stopped");
  }
}

void ClickStop(zolvane::Trevil& window) {
  window.findChild<QPushButton*>("stop")->click();
}
void PressEscape(zolvane::Trevil& window) {
  QTest::keyClick(&window, Qt::Key_Escape);
}

// Tries to start a second command while this one runs.
void StartsAnother(int, zolvane::RunState&, zolvane::Ui& ui) {
  ui.SetStatus("first");
  const zolvane::MenuItem* about = zolvane::FindMenuItem("about_0");
  MainWindow()->Run(*about);  // no message box may appear
  Look(*MainWindow());
}

// One progress report, its answer in the status line.
void ReportOnce(int, zolvane::RunState&, zolvane::Ui& ui) {
  ui.SetStatus(ui.Progress(1, 2) ? "going on" : "stopped");
}

zolvane::MenuItem TestItem(zolvane::CommandFn command) {
  return {1, "test", -1, "test", zolvane::MenuKind::Command, zolvane::MenuRule::Plain, command};
}

}  // namespace

class MenuRunTest : public QObject {
  Q_OBJECT

 private slots:
  void BnaToXyzFromTheMenu() {
    QTemporaryDir dir;
    const QString input = dir.filePath("lines.bna");
    const QString output = dir.filePath("lines.dat");
    {
      QFile bna(input);
      QVERIFY(bna.open(QIODevice::WriteOnly));
      bna.write(
          "\"-25\",\"first\",2\r\n2.5,41.3\r\n2.75,41.25\r\n\"-30\",\"second\",-2\r\n"
          "3,40\r\n3.5,40.5\r\n");
    }
    zolvane::RunState state;
    state.Stats.ZMax = 7;
    state.OutputFormatCode = 34;  // left by an earlier command
    zolvane::Trevil window(state);
    window.show();

    QStringList inputFilters, outputFilters;
    QString inputFilter, outputFilter;
    ModalAnswers answers;
    const auto file = [](const QString& path, QStringList& filters, QString& selected) {
      return [&, path](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        QVERIFY(dialog);
        Look(*MainWindow());
        filters = dialog->nameFilters();
        selected = dialog->selectedNameFilter();
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
      };
    };
    answers.Then(file(input, inputFilters, inputFilter))
        .Then(file(output, outputFilters, outputFilter))
        .Then([](QWidget* dialog) {
          QCOMPARE(dialog->objectName(), QString("xyzo"));
          dialog->findChild<QRadioButton*>("Option2")->click();
          dialog->findChild<QPushButton*>("Command1")->click();
        });

    // The way a user goes: Transform, its submenu, the item.
    auto* transform = window.findChild<QMenu*>("transformar");
    transform->popup(QPoint(0, 0));
    window.findChild<QMenu*>("fil2fil_1")->popup(QPoint(0, 0));
    window.findChild<QMenu*>("fil2fil_1")->hide();
    transform->hide();
    window.findChild<QAction*>("bnaxyz_1")->trigger();

    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QVERIFY(answers.Done());
    QVERIFY(!seen.menuBarEnabled);
    QVERIFY(seen.stopEnabled);
    QCOMPARE(inputFilters, QStringList({"All files (*)", "BNA (*.bna)", "GEBCO (*.asc)",
                                        "XYZ (*.dat)", "Geosail (*.obj)"}));
    QCOMPARE(inputFilter, QString("BNA (*.bna)"));
    QCOMPARE(outputFilter, QString("XYZ (*.dat)"));

    QCOMPARE(LabelText(window, "status"), QString(" Finished  BNA > XYZ "));
    QFile written(output);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("2.5 41.3 \"-25\"\r\n2.75 41.25 \"-25\"\r\n"
                                           "3 40 \"-30\"\r\n3.5 40.5 \"-30\"\r\n"));
    QCOMPARE(LabelText(window, "Label1_0"), input);
    QCOMPARE(LabelText(window, "Label1_1"), output);
    QCOMPARE(LabelText(window, "Label4_2"), QString("3.5"));   // X Max
    QCOMPARE(LabelText(window, "Label4_4"), QString("2.5"));   // X min
    QCOMPARE(LabelText(window, "Label4_3"), QString("41.3"));  // Y Max
    QCOMPARE(LabelText(window, "Label4_5"), QString("40"));    // Y min
    QCOMPARE(LabelText(window, "Label4_6"), QString("7"));     // Z as it was
    QVERIFY(window.menuBar()->isEnabled());
    QVERIFY(!window.findChild<QPushButton*>("stop")->isEnabled());
  }

  // Utilities > Geo > Utm > xyz, then Utm > Geo > xyz back, through the real dialogs.
  void GeoToUtmAndBackFromTheMenu() {
    QTemporaryDir dir;
    const QString lonLat = dir.filePath("lonlat.xyz");
    const QString utm = dir.filePath("utm.dat");
    const QString back = dir.filePath("back.dat");
    {
      QFile xyz(lonLat);
      QVERIFY(xyz.open(QIODevice::WriteOnly));
      xyz.write("2 41 100\r\n");
    }
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();

    QString question;
    const auto keepWgs84 = [&question](QWidget* widget) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      QVERIFY(box);
      question = box->text();
      QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
      box->button(QMessageBox::No)->click();
    };
    const auto inputLayout = [](const char* delimiter) {
      return [delimiter](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QString("xyzi"));
        dialog->findChild<QRadioButton*>(delimiter)->click();
        dialog->findChild<QPushButton*>("Command1")->click();
      };
    };
    const auto commaXyz = [](QWidget* dialog) {
      QCOMPARE(dialog->objectName(), QString("xyzo"));
      dialog->findChild<QRadioButton*>("Option1")->click();
      dialog->findChild<QPushButton*>("Command1")->click();
    };
    std::vector<int> zonesOffered;
    const auto zone = [&zonesOffered](int scrollTo) {
      return [&zonesOffered, scrollTo](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), QString("fusform"));
        auto* scroll = dialog->findChild<QScrollBar*>("VScroll1");
        zonesOffered.push_back(scroll->value());
        if (scrollTo > 0) scroll->setValue(scrollTo);
        dialog->findChild<QPushButton*>("fuscm")->click();
      };
    };

    ModalAnswers answers;
    answers.Then(keepWgs84)
        .File(lonLat)
        .Then(inputLayout("Option2"))
        .File(utm)
        .Then(commaXyz)
        .Then(zone(31));
    window.findChild<QAction*>("G2U_1")->trigger();
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QVERIFY(answers.Done());
    QCOMPARE(question, QString("Default is WGS84, change to ED50?"));
    QCOMPARE(LabelText(window, "status"), QString(" Finished  XYZ > XYZ "));
    QFile projected(utm);
    QVERIFY(projected.open(QIODevice::ReadOnly));
    QCOMPARE(projected.readAll(), QByteArray("415897,4539238,100\r\n"));
    QCOMPARE(state.UtmZone, 0);  // Geo > Utm asks again next time

    // The zone dialog shows the zone chosen last; confirming it is enough.
    answers.Then(keepWgs84)
        .File(utm)
        .Then(inputLayout("Option1"))
        .File(back)
        .Then(commaXyz)
        .Then(zone(0));
    window.findChild<QAction*>("U2G_1")->trigger();
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QVERIFY(answers.Done());
    QFile geographic(back);
    QVERIFY(geographic.open(QIODevice::ReadOnly));
    QCOMPARE(geographic.readAll(), QByteArray("001.9999898,40.9999946,100\r\n"));
    QCOMPARE(zonesOffered, std::vector<int>({1, 31}));
    QCOMPARE(state.UtmZone, 31);  // Utm > Geo keeps it for the next run
  }

  void CancellingTheInputDialogEndsTheCommand() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    window.ui().SetStatus("before");
    ModalAnswers answers;
    answers.Then([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
    window.findChild<QAction*>("bnaxyz_2")->trigger();
    QVERIFY(answers.Done());
    QVERIFY(answers.unexpected.isEmpty());
    QCOMPARE(LabelText(window, "status"), QString());  // the reset ran, nothing else
    QCOMPARE(LabelText(window, "Label1_0"), QString());
  }

  void StopButtonEndsARunningPass() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    window.Run(TestItem(&PassUntilStopped<&ClickStop>));
    QCOMPARE(LabelText(window, "status"), QString("Stopped"));
    QVERIFY(!seen.menuBarEnabled);
    QVERIFY(seen.stopEnabled);
    QVERIFY(window.menuBar()->isEnabled());
  }

  void EscapeEndsARunningPass() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.Run(TestItem(&PassUntilStopped<&PressEscape>));
    QCOMPARE(LabelText(window, "status"), QString("Stopped"));
    // A stop asked for during one command does not carry over to the next.
    window.Run(TestItem(&ReportOnce));
    QCOMPARE(LabelText(window, "status"), QString("going on"));
  }

  void NoSecondCommandWhileOneRuns() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    ModalAnswers answers;  // any box that appears is unexpected
    window.Run(TestItem(&StartsAnother));
    QCOMPARE(LabelText(window, "status"), QString("first"));
    QVERIFY(answers.unexpected.isEmpty());
    QVERIFY(!seen.menuBarEnabled);
  }
};

QTEST_MAIN(MenuRunTest)
#include "menu_run_test.moc"
