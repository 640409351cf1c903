// Commands run from the menu bar of the real window, their dialogs answered as a user would.
#include <QAbstractItemModel>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/menu_tree.h"
#include "app/trevil.h"
#include "core/ui.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ModalAnswers;
using zolvane::testing::Session;
using zolvane::testing::WhenShows;

namespace {

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

// An unrelated command that leaves its traces: wide X and Z ranges, a count, its file names
// and a status line still up.
void LeavesItsTraces(int, zolvane::RunState& state, zolvane::Ui& ui) {
  state.InputFileName = "earlier.dat";
  ui.SetInputFileName(state.InputFileName);
  state.Stats.UpdateXRange(0);
  state.Stats.UpdateXRange(500105);
  state.Stats.UpdateYRange(4500000);
  state.Stats.UpdateZRange(100);
  ui.ShowStatistics(state.Stats);
  ui.SetProgressCount(12345);
  ui.SetStatus("Calculating the Magnetic anomalies...");
}

// The panel as the user reads it: status | X Max | X min | Z Max | # points | Preview.
QStringList Panel(zolvane::Trevil& window) {
  const bool preview = window.findChild<QPushButton*>("previewButton")->isEnabled();
  return {Label(window, "status"),   Label(window, "Label4_2"), Label(window, "Label4_4"),
          Label(window, "Label4_6"), Label(window, "Label3_3"), preview ? "preview" : "-"};
}

zolvane::MenuItem TestItem(zolvane::CommandFn command) {
  return {1, "test", -1, "test", zolvane::MenuKind::Command, zolvane::MenuRule::Plain, command};
}

}  // namespace

class MenuRunTest : public QObject {
  Q_OBJECT

 private slots:
  // The way a user goes, to names with blanks, non-ASCII letters and leading dashes: the
  // input picked, the output's name typed into the Save dialog.
  void BnaToXyzFromTheMenu() {
    QTemporaryDir dir;
    const QString folder = dir.filePath("Kieler F\u00f6rde \u00f8");
    QVERIFY(QDir().mkdir(folder));
    const QString input = folder + "/-Linien \u00fc.bna";
    const QString output = folder + "/-aus \u00e9.dat";
    WriteFile(input,
              "\"-25\",\"first\",2\r\n2.5,41.3\r\n2.75,41.25\r\n\"-30\",\"second\",-2\r\n"
              "3,40\r\n3.5,40.5\r\n");
    Session s;
    s.state.Stats.ZMax = 7;
    s.state.OutputFormatCode = 34;  // left by an earlier command
    QStringList filters;
    QString inputFilter, outputFilter;
    s.answers
        .Then([&](QWidget* widget) {
          auto* dialog = qobject_cast<QFileDialog*>(widget);
          QVERIFY(dialog);
          Look(*MainWindow());
          filters = dialog->nameFilters();
          inputFilter = dialog->selectedNameFilter();
          dialog->selectFile(input);
          static_cast<QDialog*>(dialog)->accept();
        })
        .Then([&](QWidget* widget) {
          auto* dialog = qobject_cast<QFileDialog*>(widget);
          QVERIFY(dialog);
          outputFilter = dialog->selectedNameFilter();
          dialog->setDirectory(folder);
          Child<QLineEdit>(dialog, "fileNameEdit")->setText("-aus \u00e9.dat");
          static_cast<QDialog*>(dialog)->accept();
        })
        .Then([](QWidget* dialog) {
          QCOMPARE(dialog->objectName(), QString("xyzo"));
          Play(dialog, Pressing("Option2"), Pressing("Command1"));
        });

    auto* transform = s.window.findChild<QMenu*>("transformar");
    transform->popup(QPoint(0, 0));
    s.window.findChild<QMenu*>("fil2fil_1")->popup(QPoint(0, 0));
    s.window.findChild<QMenu*>("fil2fil_1")->hide();
    transform->hide();
    s.Trigger("bnaxyz_1");

    QCOMPARE(s.answers.Problems(), QString());
    QVERIFY(!seen.menuBarEnabled);
    QVERIFY(seen.stopEnabled);
    QCOMPARE(filters, QStringList({"All files (*)", "BNA (*.bna)", "GEBCO (*.asc)", "XYZ (*.dat)",
                                   "Geosail (*.obj)"}));
    QCOMPARE(inputFilter, QString("BNA (*.bna)"));
    QCOMPARE(outputFilter, QString("XYZ (*.dat)"));

    QCOMPARE(Label(s.window, "status"), QString(" Finished  BNA > XYZ "));
    QCOMPARE(ReadFile(output), QByteArray("2.5 41.3 \"-25\"\r\n2.75 41.25 \"-25\"\r\n"
                                          "3 40 \"-30\"\r\n3.5 40.5 \"-30\"\r\n"));
    QCOMPARE(Label(s.window, "Label1_0"), input);
    QCOMPARE(Label(s.window, "Label1_1"), output);
    // X Max, Y Max, X min, Y min, Z Max: a BNA has no Z.
    QStringList ranges;
    for (const char* label : {"Label4_2", "Label4_3", "Label4_4", "Label4_5", "Label4_6"}) {
      ranges << Label(s.window, label);
    }
    QCOMPARE(ranges, QStringList({"3.5", "41.3", "2.5", "40", ""}));
    QVERIFY(s.window.menuBar()->isEnabled());
    QVERIFY(!s.window.findChild<QPushButton*>("stop")->isEnabled());
  }

  // One command a row: the menu item, its dialogs answered, what it wrote and showed.
  void CommandsFromTheMenu() {
    using Answers =
        std::function<void(ModalAnswers&, const QString& in, const QString& out, QString& seen)>;
    const struct {
      const char* item;
      const char* inName;
      QByteArray input;
      Answers answer;
      QByteArray expected;
      QString status, seen;
      QByteArray before = {};  // the output file before the run
    } cases[] = {
        // Geo > Utm, its ellipsoid question, layouts and zone.
        {"G2U_1", "lonlat.xyz", "2 41 100\r\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           a.Message(QMessageBox::No, &seen)
               .File(in)
               .Play(Pressing("Option2"), Pressing("Command1"))
               .File(out)
               .Play(Pressing("Command1"))
               .Play(Setting("VScroll1", "31"), Pressing("fuscm"));
         },
         "415897,4539238,100\r\n", " Finished  XYZ > XYZ ",
         "Ellipsoid|Default is WGS84, change to ED50?"},
        {"id_2", "plan.bna", "\"S1\",\"two\",-2\r\n-3.25,41.5\r\n10.5,-33.75\r\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           a.File(in).File(out).Then([&seen](QWidget* widget) {
             auto* box = qobject_cast<QInputDialog*>(widget);
             seen = box->windowTitle() + "|" + box->labelText() + "|" + box->textValue();
             box->setTextValue("Bay plan");
             box->accept();
           });
         },
         "DEG\r\nBay plan\r\n0 0 0 0\r\n_LINE L-S1 0 20020110101010 0  "
         "41.50000000 -3.25000000 -33.75000000 10.50000000 \"S1\r\n",
         " Finished ,  BNA => PLANNING  ", "MERLIN PLAN NAME|Plan name:|Survey1 from bna"},
        {"fil2fil_5", "atlas.asc", "  -200    2\r\n41.50000  2.25000\r\n41.25000  2.50000\r\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           a.File(in).File(out).Message(QMessageBox::No, &seen).Play(Pressing("Command1"));
         },
         "2.25,41.5,-200\r\n2.5,41.25,-200\r\n", " Finished , GEBCO > XYZ ",
         "Coordinates System |Default is Lat-Lon, do you like to change to UTM ?"},
        // A BNA file asks no layouts: the same bytes as zolvane-cli reproject --from EPSG:4326
        // --to EPSG:32734 --bna.
        {"utils_7", "in.bna", "\"A\",\"B\",2\n20.5,-33.9\n18.4,-33.9\n\"P\",\"Q\",1,20.5,-33.9\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           a.File(in)
               .Then([&seen](QWidget* dialog) {
                 Type(dialog, "from", "EPSG:4326");
                 Type(dialog, "to", "EPSG:32734 - WGS 84 / UTM zone 34S");
                 QMetaObject::invokeMethod(Child<QLineEdit>(dialog, "to"), "editingFinished");
                 seen = Child<QLabel>(dialog, "operation")->text();
                 Click(dialog, "ok");
               })
               .File(out);
         },
         "\"A\",\"B\",2\r\n453771.824,6248819.230\r\n259583.222,6245888.045\r\n"
         "\"P\",\"Q\",1,453771.824,6248819.230\r\n",
         " Finished   Datum change ", "Operation: UTM zone 34S, accuracy 0 m"},
        // Points through the input-options dialog, the target among the completions of
        // "ETRS89 30N": the same bytes as zolvane-cli reproject --from EPSG:4326
        // --to EPSG:25830 --in-layout 21 --out-layout 11.
        {"utils_7", "in.dat", "-3.5 41.25 -5\n-3.25 41.5 -9\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           a.File(in)
               .Play(Pressing("Option2"), Pressing("Command1"))
               .Then([&seen](QWidget* dialog) {
                 Type(dialog, "from", "EPSG:4326");
                 Type(dialog, "to", "ETRS89 30N");
                 auto* to = Child<QLineEdit>(dialog, "to");
                 const QAbstractItemModel* offered = to->completer()->model();
                 for (int row = 0; row < offered->rowCount(); ++row) {
                   const QString entry = offered->index(row, 0).data().toString();
                   if (entry.endsWith("ETRS89 / UTM zone 30N")) seen = entry;
                 }
                 to->setText(seen);
                 QMetaObject::invokeMethod(to, "editingFinished");
                 Click(dialog, "ok");
               })
               .File(out)
               .Play(Pressing("Command1"));
         },
         "458108.453,4566630.558,-5\r\n479134.299,4594294.386,-9\r\n", " Finished   Datum change ",
         "EPSG:25830 - ETRS89 / UTM zone 30N"},
        // An unknown system is refused with where to find the known ones; nothing written.
        {"utils_7", "in.bna", "\"A\",\"B\",1,20.5,-33.9\n",
         [](ModalAnswers& a, const QString& in, const QString&, QString& seen) {
           a.File(in)
               .Play(Typing("to", "EPSG:999999"), Pressing("ok"))
               .Message(QMessageBox::Ok, &seen);
         },
         "<missing>", "",
         "Datum change|unknown coordinate reference system: EPSG:999999\nType words of its code or "
         "name (\"ETRS89 30N\") to choose among the known systems, or search them with: "
         "zolvane-cli crs QUERY"},
        // The layer's own fields offered, label 2 from the next text field.
        {"gisfile_1", "in.geojson",
         R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":)"
         R"({"name":"Cable","kind":"route"},"geometry":{"type":"LineString",)"
         R"("coordinates":[[1.5,2],[3,-4.25]]}}]})",
         [](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           a.File(in)
               .Then([&seen](QWidget* dialog) {
                 auto* label1 = Child<QComboBox>(dialog, "label1");
                 for (int i = 0; i < label1->count(); ++i)
                   seen += label1->itemText(i) + "|";
                 label1->setCurrentText("kind");
                 Click(dialog, "ok");
               })
               .File(out);
         },
         "\"route\",\"Cable\",-2\r\n1.5,2\r\n3,-4.25\r\n", " Finished   GIS file to BNA ",
         "(first text field)|name|kind|"},
        {"excols_0", "in.dat", "10.5,20.25,abc\n1,2,3\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           a.Play(Typing("Text1_0", "2"), Typing("Text1_1", "1"), Typing("Text1_2", "3"),
                  Pressing("Command1"))
               .File(in)
               .File(out)
               .Message(QMessageBox::Ok, &seen);
         },
         "old\r\n20.25,10.5,\"abc\"\r\n2,1,\"3\"\r\n", "", " EXTRACT | Finished ", "old\r\n"},
        // A DVC cut short is said in a message box, and nothing is written.
        {"fil2fil_18", "in.vec", "A_7 1\r\n2.5 41.25\r\n0 0\r\n\r\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           WriteFile(QString(in).replace(".vec", ".dvc"), "file title  : \r\n");
           a.File(in).File(out).Message(QMessageBox::Ok, &seen);
         },
         "<missing>", "", " Zolvane |The DVC file could not be read: in.dvc"},
        // Its file dialogs carry titles of their own.
        {"daf2xyz", "in.daf", "START 43, 174=200;185=12\r\n2.250000 41.500000\r\nSTOP\r\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           for (const QString& path : {in, out}) {
             a.Then([&seen, path](QWidget* widget) {
               auto* dialog = qobject_cast<QFileDialog*>(widget);
               seen += dialog->windowTitle() + "|";
               dialog->selectFile(path);
               static_cast<QDialog*>(dialog)->accept();
             });
           }
         },
         "2.250000 41.500000 200\r\n", "DAF >> X Y Z finished", "Abrir|Guardar como|"},
        {"cs2ks", "nav.csv", "101,523456.7,4712345.25\r\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString&) {
           a.File(in).File(out);
           WhenShows("cs2ks", [](QWidget* dialog) { Click(dialog, "Command1"); });
         },
         "00101.000    523456.700   4712345.250   L-0\r\n", "DAT file created", ""},
    };
    for (const auto& c : cases) {
      QTemporaryDir dir;
      const QString input = dir.filePath(c.inName), output = dir.filePath("out");
      WriteFile(input, c.input);
      if (!c.before.isEmpty()) WriteFile(output, c.before);
      Session s;
      QString seen;
      c.answer(s.answers, input, output, seen);
      s.Trigger(c.item);
      QCOMPARE(s.answers.Problems(), QString());
      QCOMPARE(ReadFile(output), c.expected);
      if (!c.status.isEmpty()) QCOMPARE(Label(s.window, "status"), c.status);
      QCOMPARE(seen.replace(dir.path() + "/", ""), c.seen);  // file names without their folder
      const auto* bar = s.window.findChild<QProgressBar*>("progress");
      // Full when the output is in place, empty when the run ended otherwise.
      const bool done = c.expected != "<missing>";
      QVERIFY2(bar->value() == (done ? bar->maximum() : 0), c.item);
    }
  }

  // After an unrelated command: what the window shows when the next one asks for its first
  // file, and once it ended; the output is made from the next one's own ranges.
  void EachCommandStartsFromAClearWindow() {
    const struct {
      const char* item;
      const char* inName;
      QByteArray input;
      std::function<void(ModalAnswers&, const QString& out)> answerRest;
      QStringList atStart, atEnd;
      QByteArray expected;  // a part of the output
    } cases[] = {
        // A transect from (0,0) to (1000,0) over the drawing's own X range, 100 to 600.
        {"xy2xyz",
         "profile.dxf",
         "0\nSECTION\n2\nENTITIES\n0\nSOLID\n8\n0\n62\n1\n10\n100\n20\n0\n11\n350\n21\n-100\n"
         "12\n600\n22\n-50\n13\n600\n23\n-50\n0\nENDSEC\n0\nEOF\n",
         [](ModalAnswers& a, const QString& out) {
           a.File(out).Play(Setting("Text3", "1000"), Pressing("Command1"));
         },
         {"", "", "", "", "0", "-"},
         {" Real World 3D dxf ready ", "600", "100", "", "0", "preview"},
         "11\r\n 500 \r\n21\r\n 0 \r\n 31 \r\n-.1 \r\n"},
        // The count is the check's; Z stays blank, as a BNA has none.
        {"bna2kml_0",
         "a.bna",
         "\"A\",\"B\",-2\r\n2.5,41.25\r\n3,41\r\n\"C\",\"D\",1,-3.5,40\r\n",
         [](ModalAnswers& a, const QString& out) {
           a.File(out).Play(Pressing("Option2"), Pressing("Command4"));
         },
         {"", "", "", "", "0", "-"},
         {"kml ready", "3", "-3.5", "", "4", "preview"},
         "<name>B</name>\r\n"},  // the second field, as chosen
    };
    for (const auto& c : cases) {
      QTemporaryDir dir;
      const QString input = dir.filePath(c.inName), output = dir.filePath("out");
      WriteFile(input, c.input);
      Session s;
      s.window.Run(TestItem(&LeavesItsTraces));
      QVERIFY(s.window.findChild<QPushButton*>("previewButton")->isEnabled());
      QStringList atStart;
      s.answers.Then([&](QWidget* widget) {
        atStart = Panel(s.window);
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        QVERIFY(dialog);
        dialog->selectFile(input);
        static_cast<QDialog*>(dialog)->accept();
      });
      c.answerRest(s.answers, output);
      s.Trigger(c.item);
      QCOMPARE(s.answers.Problems(), QString());
      QCOMPARE(atStart, c.atStart);
      QCOMPARE(Panel(s.window), c.atEnd);
      QVERIFY2(ReadFile(output).contains(c.expected), c.item);
    }
  }

  // A fault naming a file deep in its folders: the bar ends empty, the status line shows the
  // whole text on as many rows as it needs.
  void AFailedRunShowsItsWholeFaultAndAnEmptyBar() {
    QTemporaryDir dir;
    const QString deep = dir.filePath(QString("survey_2026_").repeated(12));
    QDir().mkpath(deep);
    const QString input = deep + "/lines.bna";
    // A binary byte: a fault the window reports with the file's name.
    WriteFile(input, QByteArray("\"A\",\"B\",2\r\n1,2\r\n1,") + QByteArray(1, '\0') + "\r\n");
    Session s;
    s.answers.File(input);
    s.Trigger("bnaxyz_1");
    QCOMPARE(s.answers.Problems(), QString());
    auto* status = s.window.findChild<QLabel*>("status");
    QVERIFY2(status->text().contains(input), qPrintable(status->text()));
    QCOMPARE(status->toolTip(), status->text());
    QApplication::processEvents();
    const int rows =
        (status->fontMetrics().horizontalAdvance(status->text()) / status->contentsRect().width()) +
        1;
    QVERIFY2(rows > 1 && status->height() >= rows * status->fontMetrics().lineSpacing(),
             qPrintable(QString::number(status->height())));
    QCOMPARE(s.window.findChild<QProgressBar*>("progress")->value(), 0);
  }

  void CancellingTheInputDialogEndsTheCommand() {
    Session s;
    s.ui().SetStatus("before");
    s.answers.Reject();
    s.Trigger("bnaxyz_2");
    QCOMPARE(s.answers.Problems(), QString());
    QCOMPARE(Label(s.window, "status"), QString());  // the reset ran, nothing else
    QCOMPARE(Label(s.window, "Label1_0"), QString());
  }

  // The Stop button and Escape end a running pass; the stop does not carry over to the next.
  void StopAndEscapeEndARunningPass() {
    for (const zolvane::CommandFn pass :
         {&PassUntilStopped<&ClickStop>, &PassUntilStopped<&PressEscape>}) {
      Session s;
      s.window.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&s.window));
      seen = {};
      s.window.Run(TestItem(pass));
      QCOMPARE(Label(s.window, "status"), QString("Stopped"));
      QCOMPARE(s.window.findChild<QProgressBar*>("progress")->value(), 0);
      QVERIFY(!seen.menuBarEnabled);
      QVERIFY(seen.stopEnabled);
      QVERIFY(s.window.menuBar()->isEnabled());
      s.window.Run(TestItem(&ReportOnce));
      QCOMPARE(Label(s.window, "status"), QString("going on"));
    }
  }

  void NoSecondCommandWhileOneRuns() {
    Session s;  // any box that appears is unexpected
    s.window.Run(TestItem(&StartsAnother));
    QCOMPARE(Label(s.window, "status"), QString("first"));
    QCOMPARE(s.answers.Problems(), QString());
    QVERIFY(!seen.menuBarEnabled);
  }
};

QTEST_MAIN(MenuRunTest)
#include "menu_run_test.moc"
