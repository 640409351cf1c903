// Commands run from the menu bar of the real window, their dialogs answered as a user would.
#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "app/menu_tree.h"
#include "app/trevil.h"
#include "core/ui.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ModalAnswers;
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
  void BnaToXyzFromTheMenu() {
    QTemporaryDir dir;
    const QString input = dir.filePath("lines.bna");
    const QString output = dir.filePath("lines.dat");
    WriteFile(input,
              "\"-25\",\"first\",2\r\n2.5,41.3\r\n2.75,41.25\r\n\"-30\",\"second\",-2\r\n"
              "3,40\r\n3.5,40.5\r\n");
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

    QCOMPARE(Label(window, "status"), QString(" Finished  BNA > XYZ "));
    QCOMPARE(ReadFile(output), QByteArray("2.5 41.3 \"-25\"\r\n2.75 41.25 \"-25\"\r\n"
                                          "3 40 \"-30\"\r\n3.5 40.5 \"-30\"\r\n"));
    QCOMPARE(Label(window, "Label1_0"), input);
    QCOMPARE(Label(window, "Label1_1"), output);
    QCOMPARE(Label(window, "Label4_2"), QString("3.5"));   // X Max
    QCOMPARE(Label(window, "Label4_4"), QString("2.5"));   // X min
    QCOMPARE(Label(window, "Label4_3"), QString("41.3"));  // Y Max
    QCOMPARE(Label(window, "Label4_5"), QString("40"));    // Y min
    QCOMPARE(Label(window, "Label4_6"), QString());        // a BNA has no Z
    QVERIFY(window.menuBar()->isEnabled());
    QVERIFY(!window.findChild<QPushButton*>("stop")->isEnabled());
  }

  // Utilities > Geo > Utm > xyz, then Utm > Geo > xyz back, through the real dialogs.
  void GeoToUtmAndBackFromTheMenu() {
    QTemporaryDir dir;
    const QString lonLat = dir.filePath("lonlat.xyz");
    const QString utm = dir.filePath("utm.dat");
    const QString back = dir.filePath("back.dat");
    WriteFile(lonLat, "2 41 100\r\n");
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();

    QString question;
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
    answers.Message(QMessageBox::No, &question)
        .File(lonLat)
        .Then(inputLayout("Option2"))
        .File(utm)
        .Then(commaXyz)
        .Then(zone(31));
    window.findChild<QAction*>("G2U_1")->trigger();
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QVERIFY(answers.Done());
    QCOMPARE(question, QString("Ellipsoid|Default is WGS84, change to ED50?"));
    QCOMPARE(Label(window, "status"), QString(" Finished  XYZ > XYZ "));
    QCOMPARE(ReadFile(utm), QByteArray("415897,4539238,100\r\n"));
    QCOMPARE(state.UtmZone, 0);  // Geo > Utm asks again next time

    // The zone dialog shows the zone chosen last; confirming it is enough.
    answers.Message(QMessageBox::No)
        .File(utm)
        .Then(inputLayout("Option1"))
        .File(back)
        .Then(commaXyz)
        .Then(zone(0));
    window.findChild<QAction*>("U2G_1")->trigger();
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
    QVERIFY(answers.Done());
    QCOMPARE(ReadFile(back), QByteArray("001.9999898,40.9999946,100\r\n"));
    QCOMPARE(zonesOffered, std::vector<int>({1, 31}));
    QCOMPARE(state.UtmZone, 31);  // Utm > Geo keeps it for the next run
  }

  // One command a row: the menu item, its dialogs answered, what it wrote and showed.
  void CommandsFromTheMenu() {
    using Answers =
        std::function<void(ModalAnswers&, const QString& in, const QString& out, QString& seen)>;
    const auto click = [](const char* button) {
      return [button](QWidget* dialog) { Click(dialog, button); };
    };
    const struct {
      const char* item;
      const char* inName;
      QByteArray input;
      Answers answer;
      QByteArray expected;
      QString status, seen;
      QByteArray before = {};  // the output file before the run
      bool partial = false;    // expected is a part of the output
    } cases[] = {
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
           a.File(in).File(out).Message(QMessageBox::No, &seen).Then([](QWidget* dialog) {
             Click(dialog, "Option1");
             Click(dialog, "Command1");
           });
         },
         "2.25,41.5,-200\r\n2.5,41.25,-200\r\n", " Finished , GEBCO > XYZ ",
         "Coordinates System |Default is Lat-Lon, do you like to change to UTM ?"},
        {"towed", "fixes.csv", "0,0,5,a\r\n100,0,5,\"b\"\r\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString&) {
           a.Then([](QWidget* dialog) {
              Click(dialog, "constante");
              Type(dialog, "constlay", "10");
              Click(dialog, "golay");
            })
               .File(in)
               .File(out);
         },
         "\"X_ship - Y_ship - X_sonar - Y_sonar - layback - label \"\r\n100,0,90,0,10,\"b\"\r\n",
         " Created file with positions for towed vehicle ", ""},
        {"utils_9", "in.bna", "\"A\",\"B\",-2\r\n10,0\r\n0,10\r\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString&) {
           a.Then([](QWidget* dialog) {
              Type(dialog, "Text3", "90");
              Click(dialog, "fes");
            })
               .File(in)
               .File(out);
         },
         "\"A\",\"B\",-2\r\n0,-10\r\n10,0\r\n", " BNA file Rotated ", ""},
        // The same bytes as zolvane-cli reproject --from EPSG:4326 --to EPSG:32734 --bna.
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
         [click](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           a.File(in)
               .Then([](QWidget* dialog) {
                 Click(dialog, "Option2");
                 Click(dialog, "Command1");
               })
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
               .Then(click("Command1"));
         },
         "458108.453,4566630.558,-5\r\n479134.299,4594294.386,-9\r\n", " Finished   Datum change ",
         "EPSG:25830 - ETRS89 / UTM zone 30N"},
        // An unknown system is refused with where to find the known ones; nothing written.
        {"utils_7", "in.bna", "\"A\",\"B\",1,20.5,-33.9\n",
         [](ModalAnswers& a, const QString& in, const QString&, QString& seen) {
           a.File(in)
               .Then([](QWidget* dialog) {
                 Type(dialog, "to", "EPSG:999999");
                 Click(dialog, "ok");
               })
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
        {"bna2kml_0",
         "a.bna",
         "\"A\",\"B\",1,-3.5,41.25\r\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString&) {
           a.File(in).File(out).Then([](QWidget* dialog) {
             Click(dialog, "Option2");
             Click(dialog, "Command4");
           });
         },
         "<name>B</name>\r\n<visibility>1</visibility>\r\n<open>1</open>\r\n",
         "kml ready",
         "",
         {},
         true},
        {"excols_0", "in.dat", "10.5,20.25,abc\n1,2,3\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           a.Then([](QWidget* dialog) {
              Type(dialog, "Text1_0", "2");
              Type(dialog, "Text1_1", "1");
              Type(dialog, "Text1_2", "3");
              Click(dialog, "Command1");
            })
               .File(in)
               .File(out)
               .Message(QMessageBox::Ok, &seen);
         },
         "old\r\n20.25,10.5,\"abc\"\r\n2,1,\"3\"\r\n", "", " EXTRACT | Finished ", "old\r\n"},
        {"fil2fil_15", "in.bna", "\"A\",\"7\",-2\r\n2.5,41.25\r\n3,41\r\n",
         [click](ModalAnswers& a, const QString& in, const QString& out, QString&) {
           a.File(in).File(out).Then(click("Command1"));
         },
         "A_7 2\r\n2.5 41.25\r\n3 41\r\n0 0\r\n\r\n", "VEC Created", ""},
        {"fil2fil_18", "in.vec", "A_7 2\r\n2.5 41.25\r\n3 41\r\n0 0\r\n\r\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString&) {
           WriteFile(QString(in).replace(".vec", ".dvc"), "\r\n\r\n\r\nobject type : line\r\n");
           a.File(in).File(out);
         },
         "A_7 ,line,-2 \r\n2.5,41.25\r\n3,41\r\n", "BNA Created", ""},
        // A DVC cut short is said in a message box, and nothing is written.
        {"fil2fil_18", "in.vec", "A_7 1\r\n2.5 41.25\r\n0 0\r\n\r\n",
         [](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           const QString dvc = QString(in).replace(".vec", ".dvc");
           WriteFile(dvc, "file title  : \r\n");
           a.File(in).File(out).Then([&seen, dvc](QWidget* widget) {
             auto* box = qobject_cast<QMessageBox*>(widget);
             seen = box->windowTitle() + "|" + box->text().replace(dvc, "in.dvc");
             box->button(QMessageBox::Ok)->click();
           });
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
        {"fil2fil_11", "in.dat", "1 2 3\r\n\r\n4 5 6\r\n",
         [click](ModalAnswers& a, const QString& in, const QString& out, QString& seen) {
           a.File(in)
               .Then([](QWidget* dialog) {
                 Click(dialog, "Option2");
                 Click(dialog, "Command1");
               })
               .File(out)
               .Then(click("Command1"))
               .Then([&seen, in](QWidget* widget) {
                 auto* box = qobject_cast<QMessageBox*>(widget);
                 QVERIFY(box);
                 seen = box->windowTitle() + "|" + box->text().replace(in, "IN");
                 box->button(QMessageBox::Ok)->click();
               });
         },
         "1,2,3\r\n", " Finished  XYZ > XYZ ",
         " Note |A blank line ends the data: 1 line after it was left unread: line 2 of IN"},
        {"cs2ks", "nav.csv", "101,523456.7,4712345.25\r\n",
         [click](ModalAnswers& a, const QString& in, const QString& out, QString&) {
           a.File(in).File(out);
           WhenShows("cs2ks", click("Command1"));
         },
         "00101.000    523456.700   4712345.250   L-0\r\n", "DAT file created", ""},
    };
    for (const auto& c : cases) {
      QTemporaryDir dir;
      const QString input = dir.filePath(c.inName), output = dir.filePath("out");
      WriteFile(input, c.input);
      if (!c.before.isEmpty()) WriteFile(output, c.before);
      zolvane::RunState state;
      zolvane::Trevil window(state);
      window.show();
      QString seen;
      ModalAnswers answers;
      c.answer(answers, input, output, seen);
      window.findChild<QAction*>(c.item)->trigger();
      QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
      QVERIFY2(answers.Done(), c.item);
      const QByteArray written = ReadFile(output);
      QVERIFY2(c.partial ? written.contains(c.expected) : written == c.expected,
               qPrintable(QString(c.item) + ": " + written));
      if (!c.status.isEmpty()) QCOMPARE(Label(window, "status"), c.status);
      QCOMPARE(seen, c.seen);
      const auto* bar = window.findChild<QProgressBar*>("progress");
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
           a.File(out).Then([](QWidget* dialog) {
             Child<QLineEdit>(dialog, "Text3")->setText("1000");
             Click(dialog, "Command1");
           });
         },
         {"", "", "", "", "0", "-"},
         {" Real World 3D dxf ready ", "600", "100", "", "0", "preview"},
         "11\r\n 500 \r\n21\r\n 0 \r\n 31 \r\n-.1 \r\n"},
        // The count is the check's; Z stays blank, as a BNA has none.
        {"bna2kml_0",
         "a.bna",
         "\"A\",\"B\",-2\r\n2.5,41.25\r\n3,41\r\n\"C\",\"D\",1,-3.5,40\r\n",
         [](ModalAnswers& a, const QString& out) {
           a.File(out).Then([](QWidget* dialog) {
             Click(dialog, "Option2");
             Click(dialog, "Command4");
           });
         },
         {"", "", "", "", "0", "-"},
         {"kml ready", "3", "-3.5", "", "4", "preview"},
         "<coordinates>"},
    };
    for (const auto& c : cases) {
      QTemporaryDir dir;
      const QString input = dir.filePath(c.inName), output = dir.filePath("out");
      WriteFile(input, c.input);
      zolvane::RunState state;
      zolvane::Trevil window(state);
      window.show();
      window.Run(TestItem(&LeavesItsTraces));
      QVERIFY(window.findChild<QPushButton*>("previewButton")->isEnabled());
      QStringList atStart;
      ModalAnswers answers;
      answers.Then([&](QWidget* widget) {
        atStart = Panel(window);
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        QVERIFY(dialog);
        dialog->selectFile(input);
        static_cast<QDialog*>(dialog)->accept();
      });
      c.answerRest(answers, output);
      window.findChild<QAction*>(c.item)->trigger();
      QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
      QVERIFY2(answers.Done(), c.item);
      QCOMPARE(atStart, c.atStart);
      QCOMPARE(Panel(window), c.atEnd);
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
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    ModalAnswers answers;
    answers.File(input);
    window.findChild<QAction*>("bnaxyz_1")->trigger();
    QVERIFY(answers.Done());
    auto* status = window.findChild<QLabel*>("status");
    QVERIFY2(status->text().contains(input), qPrintable(status->text()));
    QCOMPARE(status->toolTip(), status->text());
    QApplication::processEvents();
    const int rows =
        (status->fontMetrics().horizontalAdvance(status->text()) / status->contentsRect().width()) +
        1;
    QVERIFY2(rows > 1 && status->height() >= rows * status->fontMetrics().lineSpacing(),
             qPrintable(QString::number(status->height())));
    QCOMPARE(window.findChild<QProgressBar*>("progress")->value(), 0);
  }

  void CancellingTheInputDialogEndsTheCommand() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    window.ui().SetStatus("before");
    ModalAnswers answers;
    answers.Reject();
    window.findChild<QAction*>("bnaxyz_2")->trigger();
    QVERIFY(answers.Done());
    QVERIFY(answers.unexpected.isEmpty());
    QCOMPARE(Label(window, "status"), QString());  // the reset ran, nothing else
    QCOMPARE(Label(window, "Label1_0"), QString());
  }

  void StopButtonEndsARunningPass() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    window.Run(TestItem(&PassUntilStopped<&ClickStop>));
    QCOMPARE(Label(window, "status"), QString("Stopped"));
    QCOMPARE(window.findChild<QProgressBar*>("progress")->value(), 0);
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
    QCOMPARE(Label(window, "status"), QString("Stopped"));
    // A stop asked for during one command does not carry over to the next.
    window.Run(TestItem(&ReportOnce));
    QCOMPARE(Label(window, "status"), QString("going on"));
  }

  void NoSecondCommandWhileOneRuns() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    ModalAnswers answers;  // any box that appears is unexpected
    window.Run(TestItem(&StartsAnother));
    QCOMPARE(Label(window, "status"), QString("first"));
    QVERIFY(answers.unexpected.isEmpty());
    QVERIFY(!seen.menuBarEnabled);
  }
};

QTEST_MAIN(MenuRunTest)
#include "menu_run_test.moc"
