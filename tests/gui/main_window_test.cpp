// The main window as the user meets it: the menu bar, the panel, the window-level items, and
// commands run from the menu bar, their dialogs answered as a user would.
#include <QAbstractItemModel>
#include <QAction>
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
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include "app/menu_tree.h"
#include "app/trevil.h"
#include "core/ui.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ModalAnswers;
using zolvane::testing::Session;

namespace {

void Walk(const QList<QAction*>& actions, int depth, QStringList& lines, QList<QAction*>& all) {
  for (QAction* action : actions) {
    const QString caption = action->isSeparator() ? "-" : action->text();
    lines << QString(depth, ' ') + action->objectName() + "|" + caption;
    all << action;
    if (action->menu()) Walk(action->menu()->actions(), depth + 1, lines, all);
  }
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

// The panel as the user reads it: status|X Max|Y Max|X min|Y min|Z Max|# points|Preview.
QString Panel(zolvane::Trevil& window) {
  QStringList shown;
  for (const char* label :
       {"status", "Label4_2", "Label4_3", "Label4_4", "Label4_5", "Label4_6", "Label3_3"}) {
    shown << Label(window, label);
  }
  return (shown << (window.findChild<QPushButton*>("previewButton")->isEnabled() ? "preview" : "-"))
      .join("|");
}

zolvane::MenuItem TestItem(zolvane::CommandFn command) {
  return {1, "test", -1, "test", zolvane::MenuKind::Command, zolvane::MenuRule::Plain, command};
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void MenuBarFollowsTheMenuTree() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    QStringList lines;
    QList<QAction*> actions;
    Walk(window.menuBar()->actions(), 0, lines, actions);
    // The bar shows the tree in its order, each item at its depth.
    QStringList expected;
    for (const zolvane::MenuItem& item : zolvane::MenuTree()) {
      const bool separator = item.kind == zolvane::MenuKind::Separator;
      expected << QString(item.depth, ' ') + QString::fromStdString(zolvane::ObjectName(item)) +
                      "|" + (separator ? QString("-") : QString::fromUtf8(item.caption));
    }
    QCOMPARE(lines, expected);

    // Items are offered once their command is built (the runs below use some).
    for (QAction* action : actions) {
      const zolvane::MenuItem* item = zolvane::FindMenuItem(action->objectName().toStdString());
      QVERIFY2(item, qPrintable(action->objectName()));
      QCOMPARE(action->isEnabled(), zolvane::IsEnabled(*item));
    }
  }

  void PanelStartsIdleWithItsMapSketch() {
    Session s;
    QVERIFY(!s.window.findChild<QPushButton*>("stop")->isEnabled());
    // The map sketch: Y Max above Y min, X Max left of X min, the count at the bottom.
    const auto at = [&s](const char* name) {
      return s.window.findChild<QWidget*>(name)->mapTo(&s.window, QPoint(0, 0));
    };
    QVERIFY(at("Label1_11").y() < at("Label1_10").y());
    QVERIFY(at("Label1_10").y() < at("Label1_13").y());
    QCOMPARE(at("Label1_13").y(), at("Label1_12").y());
    QVERIFY(at("Label1_13").x() < at("Label1_12").x());
    QVERIFY(at("Label1_13").y() < at("Label1_14").y());
    QVERIFY(at("Label1_14").y() < at("Label3_3").y());
  }

  void OpeningTransformBlanksTheFileNames() {
    Session s;
    s.window.ui().SetInputFileName("a.bna");
    s.window.ui().SetOutputFileName("b.dat");
    auto* transform = s.window.findChild<QMenu*>("transformar");
    transform->popup(QPoint(0, 0));
    transform->hide();
    QCOMPARE(Label(s.window, "Label1_0"), QString());
    QCOMPARE(Label(s.window, "Label1_1"), QString());
  }

  void HelpShowsTheDocumentBesideTheWindow() {
    Session s;
    s.Trigger("ajuda");
    auto* text = s.window.findChild<QTextBrowser*>("RichTextBox1");
    QVERIFY(text);
    QWidget* help = text->window();
    QVERIFY(help->isVisible());
    QVERIFY(!help->isModal());
    QVERIFY(text->isReadOnly());
    QVERIFY(text->toPlainText().startsWith("ZOLVANE 8.05"));
  }

  // An About box carries the exclamation icon (2); Exit asks first, Cancel its default, and
  // Cancel keeps the window; closing through the frame asks the same.
  void AboutWarnsAndExitAsksFirst() {
    Session s;
    QStringList seen;  // title|icon|the default button's text
    const auto answer = [&seen](QMessageBox::StandardButton button) {
      return [&seen, button](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box) return qobject_cast<QDialog*>(widget)->reject();
        seen << box->windowTitle() + "|" + QString::number(box->icon()) + "|" +
                    box->defaultButton()->text();
        box->button(button)->click();
      };
    };
    s.answers.Then(answer(QMessageBox::Ok))
        .Then(answer(QMessageBox::Cancel))
        .Then(answer(QMessageBox::Ok));
    s.Trigger("about_3");
    s.Trigger("sortir");
    QVERIFY(s.window.isVisible());
    s.window.close();
    QVERIFY(!s.window.isVisible());
    QCOMPARE(seen.join(","), QString(" About GEBCO |2|OK, E X I T |0|Cancel, E X I T |0|Cancel"));
    QCOMPARE(s.answers.Problems(), QString());
  }

  // One command a row, run after an unrelated command that left its traces: the menu item, its
  // dialogs answered, what it wrote and what the panel showed at the end. When the command
  // asks its first question, the panel is clear, the menus locked and Stop offered. The files
  // have blanks, non-ASCII letters and leading dashes in their names.
  void CommandsFromTheMenu() {
    // A row's answers to the dialogs, given the input and output paths; what it saw in `seen`.
    struct Run {
      ModalAnswers& a;
      const QString in, out;
      QString seen = {};
    };
    using Answers = std::function<void(Run&)>;
    const struct {
      const char* item;
      const char* inName;
      QByteArray input;
      Answers answer;
      QByteArray expected;
      QString panel, seen;
    } cases[] = {
        // The input picked, the output's name typed into the Save dialog; a BNA has no Z.
        {"bnaxyz_1", "-Linien \u00fc.bna",
         "\"-25\",\"first\",2\r\n2.5,41.3\r\n2.75,41.25\r\n\"-30\",\"second\",-2\r\n"
         "3,40\r\n3.5,40.5\r\n",
         [](Run& r) {
           r.a.Then([&r](QWidget* widget) {
                auto* dialog = qobject_cast<QFileDialog*>(widget);
                r.seen = dialog->nameFilters().join(",") + "|" + dialog->selectedNameFilter();
                ModalAnswers::Choose(dialog, r.in);
              })
               .Then([&r](QWidget* widget) {
                 auto* dialog = qobject_cast<QFileDialog*>(widget);
                 r.seen += "|" + dialog->selectedNameFilter();
                 ModalAnswers::Choose(dialog, r.out);
               })
               .Play({Pressing("Option2"), Pressing("Command1")});
         },
         "2.5 41.3 \"-25\"\r\n2.75 41.25 \"-25\"\r\n3 40 \"-30\"\r\n3.5 40.5 \"-30\"\r\n",
         " Finished  BNA > XYZ |3.5|41.3|2.5|40||6|preview",
         "All files (*),BNA (*.bna),GEBCO (*.asc),XYZ (*.dat),Geosail (*.obj)|BNA (*.bna)|"
         "XYZ (*.dat)"},
        // Geo > Utm, its ellipsoid question, layouts and zone.
        {"G2U_1", "lonlat.xyz", "2 41 100\r\n",
         [](Run& r) {
           r.a.Message(QMessageBox::No, &r.seen)
               .File(r.in)
               .Play({Pressing("Option2"), Pressing("Command1")})
               .File(r.out)
               .Play({Pressing("Command1")})
               .Play({Setting("VScroll1", "31"), Pressing("fuscm")});
         },
         "415897,4539238,100\r\n", " Finished  XYZ > XYZ ||||||1|preview",
         "Ellipsoid|Default is WGS84, change to ED50?"},
        {"id_2", "plan.bna", "\"S1\",\"two\",-2\r\n-3.25,41.5\r\n10.5,-33.75\r\n",
         [](Run& r) {
           r.a.File(r.in).File(r.out).Then([&r](QWidget* widget) {
             auto* box = qobject_cast<QInputDialog*>(widget);
             r.seen = box->windowTitle() + "|" + box->labelText() + "|" + box->textValue();
             box->setTextValue("Bay plan");
             box->accept();
           });
         },
         "DEG\r\nBay plan\r\n0 0 0 0\r\n_LINE L-S1 0 20020110101010 0  "
         "41.50000000 -3.25000000 -33.75000000 10.50000000 \"S1\r\n",
         " Finished ,  BNA => PLANNING  |10.5|41.5|-3.25|-33.75||2|preview",
         "MERLIN PLAN NAME|Plan name:|Survey1 from bna"},
        {"fil2fil_5", "atlas.asc", "  -200    2\r\n41.50000  2.25000\r\n41.25000  2.50000\r\n",
         [](Run& r) {
           r.a.File(r.in)
               .File(r.out)
               .Message(QMessageBox::No, &r.seen)
               .Play({Pressing("Command1")});
         },
         "2.25,41.5,-200\r\n2.5,41.25,-200\r\n",
         " Finished , GEBCO > XYZ |41.5|2.5|41.25|2.25|-200|2|preview",
         "Coordinates System |Default is Lat-Lon, do you like to change to UTM ?"},
        // A BNA file asks no layouts: the same bytes as zolvane-cli reproject --from EPSG:4326
        // --to EPSG:32734 --bna.
        {"utils_7", "in.bna", "\"A\",\"B\",2\n20.5,-33.9\n18.4,-33.9\n\"P\",\"Q\",1,20.5,-33.9\n",
         [](Run& r) {
           r.a.File(r.in)
               .Then([&r](QWidget* dialog) {
                 Type(dialog, "from", "EPSG:4326");
                 Type(dialog, "to", "EPSG:32734 - WGS 84 / UTM zone 34S");
                 QMetaObject::invokeMethod(Child<QLineEdit>(dialog, "to"), "editingFinished");
                 r.seen = Child<QLabel>(dialog, "operation")->text();
                 Click(dialog, "ok");
               })
               .File(r.out);
         },
         "\"A\",\"B\",2\r\n453771.824,6248819.230\r\n259583.222,6245888.045\r\n"
         "\"P\",\"Q\",1,453771.824,6248819.230\r\n",
         " Finished   Datum change |20.5|-33.9|18.4|-33.9||3|preview",
         "Operation: UTM zone 34S, accuracy 0 m"},
        // Points through the input-options dialog, the target among the completions of
        // "ETRS89 30N": the same bytes as zolvane-cli reproject --from EPSG:4326
        // --to EPSG:25830 --in-layout 21 --out-layout 11.
        {"utils_7", "in.dat", "-3.5 41.25 -5\n-3.25 41.5 -9\n",
         [](Run& r) {
           r.a.File(r.in)
               .Play({Pressing("Option2"), Pressing("Command1")})
               .Then([&r](QWidget* dialog) {
                 Type(dialog, "from", "EPSG:4326");
                 Type(dialog, "to", "ETRS89 30N");
                 auto* to = Child<QLineEdit>(dialog, "to");
                 const QAbstractItemModel* offered = to->completer()->model();
                 for (int row = 0; row < offered->rowCount(); ++row) {
                   const QString entry = offered->index(row, 0).data().toString();
                   if (entry.endsWith("ETRS89 / UTM zone 30N")) r.seen = entry;
                 }
                 to->setText(r.seen);
                 QMetaObject::invokeMethod(to, "editingFinished");
                 Click(dialog, "ok");
               })
               .File(r.out)
               .Play({Pressing("Command1")});
         },
         "458108.453,4566630.558,-5\r\n479134.299,4594294.386,-9\r\n",
         " Finished   Datum change ||||||2|preview", "EPSG:25830 - ETRS89 / UTM zone 30N"},
        // An unknown system is refused with where to find the known ones; nothing written.
        {"utils_7", "in.bna", "\"A\",\"B\",1,20.5,-33.9\n",
         [](Run& r) {
           r.a.File(r.in)
               .Play({Typing("to", "EPSG:999999"), Pressing("ok")})
               .Message(QMessageBox::Ok, &r.seen);
         },
         "<missing>", "|20.5|-33.9|20.5|-33.9||1|preview",
         "Datum change|unknown coordinate reference system: EPSG:999999\nType words of its code or "
         "name (\"ETRS89 30N\") to choose among the known systems, or search them with: "
         "zolvane-cli crs QUERY"},
        // The layer's own fields offered, label 2 from the next text field.
        {"gisfile_1", "in.geojson",
         R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":)"
         R"({"name":"Cable","kind":"route"},"geometry":{"type":"LineString",)"
         R"("coordinates":[[1.5,2],[3,-4.25]]}}]})",
         [](Run& r) {
           r.a.File(r.in)
               .Then([&r](QWidget* dialog) {
                 auto* label1 = Child<QComboBox>(dialog, "label1");
                 for (int i = 0; i < label1->count(); ++i)
                   r.seen += label1->itemText(i) + "|";
                 label1->setCurrentText("kind");
                 Click(dialog, "ok");
               })
               .File(r.out);
         },
         "\"route\",\"Cable\",-2\r\n1.5,2\r\n3,-4.25\r\n",
         " Finished   GIS file to BNA ||||||1|preview", "(first text field)|name|kind|"},
        // Its file dialogs carry titles of their own.
        {"daf2xyz", "in.daf", "START 43, 174=200;185=12\r\n2.250000 41.500000\r\nSTOP\r\n",
         [](Run& r) { r.a.File(r.in, &r.seen).File(r.out, &r.seen); }, "2.250000 41.500000 200\r\n",
         "DAF >> X Y Z finished||||||1|preview", "Abrir|Guardar como|"},
        // Cancelled at its first dialog: the reset ran, nothing else.
        {"bnaxyz_2", "in.bna", "", [](Run& r) { r.a.Play({Closing()}); }, "<missing>",
         "||||||0|preview", ""},
    };
    for (const auto& c : cases) {
      QTemporaryDir dir;
      const QString folder = dir.filePath("Kieler F\u00f6rde \u00f8");
      QVERIFY(QDir().mkdir(folder));
      const QString input = folder + "/" + c.inName, output = folder + "/-aus \u00e9.dat";
      WriteFile(input, c.input);
      Session s;
      s.window.Run(TestItem(&LeavesItsTraces));
      QVERIFY(s.window.findChild<QPushButton*>("previewButton")->isEnabled());
      QString atStart;
      QTimer::singleShot(0, [&] {  // from the first dialog's event loop
        const bool menus = s.window.menuBar()->isEnabled();
        const bool stop = s.window.findChild<QPushButton*>("stop")->isEnabled();
        atStart = Panel(s.window) + (menus ? "|menus" : "|-") + (stop ? "|stop" : "|-");
      });
      Run run{s.answers, input, output};
      c.answer(run);
      s.Trigger(c.item);
      QCOMPARE(s.answers.Problems(), QString());
      QCOMPARE(atStart, QString("||||||0|-|-|stop"));
      QCOMPARE(ReadFile(output), c.expected);
      QCOMPARE(Panel(s.window).replace(folder + "/", ""), c.panel);
      // Once the output was picked, the panel names both files.
      if (!Label(s.window, "Label1_1").isEmpty()) {
        QCOMPARE(Label(s.window, "Label1_0"), input);
        QCOMPARE(Label(s.window, "Label1_1"), output);
      }
      QCOMPARE(run.seen.replace(folder + "/", ""), c.seen);  // file names without their folder
      const auto* bar = s.window.findChild<QProgressBar*>("progress");
      // Full when the output is in place, empty when the run ended otherwise.
      const bool done = c.expected != "<missing>";
      QVERIFY2(bar->value() == (done ? bar->maximum() : 0), c.item);
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

  // The Stop button and Escape end a running pass, and the stop does not carry over to the next
  // one; a second command cannot start meanwhile (its box would come unexpected).
  void StopAndEscapeEndARunningPassNothingElseStarts() {
    for (const bool escape : {false, true}) {
      Session s;
      s.window.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&s.window));
      bool menus = true;
      QTimer::singleShot(0, &s.window, [&] {
        s.window.Run(*zolvane::FindMenuItem("about_0"));
        menus = s.window.menuBar()->isEnabled();
        escape ? QTest::keyClick(&s.window, Qt::Key_Escape) : Click(&s.window, "stop");
      });
      // A pass that reports progress until it is asked to stop.
      s.window.Run(TestItem([](int, zolvane::RunState&, zolvane::Ui& ui) {
        for (std::uint64_t done = 0; done < 100'000'000; ++done) {
          if (!ui.Progress(done, 100'000'000)) return ui.SetStatus("Stopped");
        }
      }));
      QVERIFY(!menus);
      QCOMPARE(Label(s.window, "status"), QString("Stopped"));
      QCOMPARE(s.window.findChild<QProgressBar*>("progress")->value(), 0);
      QVERIFY(s.window.menuBar()->isEnabled());
      // One progress report, its answer in the status line.
      s.window.Run(TestItem([](int, zolvane::RunState&, zolvane::Ui& ui) {
        ui.SetStatus(ui.Progress(1, 2) ? "going on" : "stopped");
      }));
      QCOMPARE(Label(s.window, "status"), QString("going on"));
      QCOMPARE(s.answers.Problems(), QString());
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
