// The main window as the user meets it: the menu bar, the panel, the window-level items.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "app/menu_tree.h"
#include "app/trevil.h"
#include "modal_answers.h"

using zolvane::testing::ModalAnswers;

namespace {

// The menu tree as the user sees it, one line per item: indentation for the depth, the
// object name and the caption ("-" for separators).
const char* const kExpectedMenus[] = {
    "transformar|Transform",
    " fil2fil_1|bna => xy (z)",
    "  bnaxyz_1|z = label 1 ",
    "  bnaxyz_2|z = label 2",
    " fil2fil_2|lines_bna => points_bna",
    " fil2fil_3|-",
    " fil2fil_4|Gebco => GMT",
    " fil2fil_5|Gebco => xy (z) (lat-lon or UTM)",
    " fil2fil_6|Gebco => bna (lat-lon or UTM)",
    " fil2fil_7|Gebco Cent => xy (z) (lat-lon or UTM)",
    " fil2fil_8|Gebco Cent. => bna",
    " fil2fil_9|xyz => bna",
    "  x2bna_1|=> Lines",
    "  x2bna_2|=> Points",
    " fil2fil_10|xyz => GMT",
    " fil2fil_11|xyz  Ascii => xy (z) Ascii + distance",
    " fil2fil_12|bna => MERLIN (Simrad)",
    "  id_2|\"Planning file\"",
    " fil2fil_13|bna => Geosail planific.",
    "  id2_1|Label 1",
    "  id2_2|Label 2",
    " fil2fil_14|bna => Bridge Plan",
    "  id1_1|Label 1",
    "  id1_2|Label 2",
    " fil2fil_15|bna => Vec (Miramon GIS)",
    " fil2fil_17|Simrad Poseidon Grid => Surfer Grid",
    " fil2fil_18|vec => bna",
    " bna2kml_0|BNA => KML Google Earth",
    " bna2xml_0|BNA => XML",
    " xml2kml_0|Zolvane XML => KML",
    " genesisi|Surfer=> Genesis II xyz",
    " binas|Binary => Ascii",
    " mapgenbna|MapGen Shore => bna",
    " daf2xyz|DAF contours => xyz",
    " daf2bna|DAF contours => bna",
    " bnadaf|BNA lines => DAF contours",
    "  bna2daf_1|Depth in label 1",
    "  bna2daf_2|Depth in label 2",
    " bnakon|BNA > SIS asciiplan",
    " cs2ks|CSV => Kingdom Suite Navigation",
    " B2Y|BNA > HYPACK plan",
    "  B2Y1_1|label 1",
    "  B2Y2_2|label2",
    "utilitatsmnu|Utilities",
    " gscripts_1|Extract grid from a Surfer map",
    " iclr_1|Invert Surfer Color spectrum (clr)",
    " utils_1|Distance-Time",
    " utils_2|-",
    " utils_3|Geo > Utm",
    "  G2U_1|xyz >",
    "  G2U_2|bna >",
    " utils_4|Utm > Geo",
    "  U2G_1|xyz >",
    "  U2G_2|bna >",
    " utils_5|Geo - UTM Calc.",
    " utils_6|Zones UTM",
    " utils_7|Datum change",
    " utils_8|Create Parallel lines",
    " utils_9|Rotate bna",
    " utils_10|Draw a circle bna",
    " utils_11|graphic interpolator",
    " tras|Translate",
    "  trasla_1|Data in degrees >",
    "  trasla_2|Data in meters >",
    " barra|-",
    " filtres_0|Filters x-y-z",
    "  filter_1|xyz >",
    "  filter_2|bna >",
    " barra2_1|-",
    " transpal_0|Surfer colors > Miramon P25 palete",
    " magnet_0|Field > Anomaly (IGRF2005)",
    " excols_0|Extract Columns and/or lines",
    " swath|Swath coverage",
    " towed|Pos. Correction for towed vehicles",
    " xy2xyz|Didger.dxf > Real World 3D DXF",
    "sortir|Exit",
    "ajuda|Help",
    "acerca|About",
    " about_0|Zolvane",
    " about_1|Surfer, Mapviewer and Didger",
    " about_2|Genesis II",
    " about_3|Gebco",
    " about_5|Merlin",
    " about_6|Miramon",
};

void Walk(const QList<QAction*>& actions, int depth, QStringList& lines, QList<QAction*>& all) {
  for (QAction* action : actions) {
    const QString caption = action->isSeparator() ? "-" : action->text();
    lines << QString(depth, ' ') + action->objectName() + "|" + caption;
    all << action;
    if (action->menu()) Walk(action->menu()->actions(), depth + 1, lines, all);
  }
}

QString LabelText(const QWidget& window, const char* name) {
  auto* label = window.findChild<QLabel*>(name);
  return label ? label->text() : QString("<no %1>").arg(name);
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
    QStringList expected;
    for (const char* line : kExpectedMenus)
      expected << QString::fromUtf8(line);
    QCOMPARE(lines, expected);

    // Items are offered once their command is built; Datum change never is.
    for (QAction* action : actions) {
      const zolvane::MenuItem* item = zolvane::FindMenuItem(action->objectName().toStdString());
      QVERIFY2(item, qPrintable(action->objectName()));
      QCOMPARE(action->isEnabled(), zolvane::IsEnabled(*item));
      if (item->kind == zolvane::MenuKind::Command && action->isEnabled()) {
        QVERIFY2(item->command || item->window != zolvane::WindowAction::None,
                 qPrintable(action->objectName()));
      }
    }
    auto* datum = window.findChild<QAction*>("utils_7");
    QVERIFY(!datum->isVisible());
    QVERIFY(!datum->isEnabled());
    QVERIFY(window.findChild<QAction*>("bnaxyz_1")->isEnabled());
    QVERIFY(window.findChild<QAction*>("utils_6")->isEnabled());
    QVERIFY(window.findChild<QAction*>("sortir")->isEnabled());
  }

  void WindowStartsWithItsDesignCaptions() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    QCOMPARE(window.windowTitle(), QString("ZOLVANE 8.05"));
    QCOMPARE(LabelText(window, "status"), QString("STATUS"));
    auto* status = window.findChild<QLabel*>("status");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shot = status->grab().toImage();
    QCOMPARE(shot.pixelColor(1, 1), QColor(0xC0, 0xFF, 0xC0));
    QCOMPARE(status->palette().color(QPalette::WindowText), QColor(0, 0, 0xFF));
    const struct {
      const char* name;
      const char* text;
    } labels[] = {{"Label1_2", "Input: "},
                  {"Label1_0", ""},
                  {"Label1_3", "Output: "},
                  {"Label1_1", ""},
                  {"Label2", "Input Statistics:"},
                  {"Label1_13", "X Max:"},
                  {"Label1_12", "X min:"},
                  {"Label1_11", "Y Max:"},
                  {"Label1_10", "Y min:"},
                  {"Label1_14", "Z Max:"},
                  {"Label1_15", "Z Min:"},
                  {"Label1_7", "# points"},
                  {"Label3_3", ""},
                  {"Label4_2", ""},
                  {"Label4_7", ""}};
    for (const auto& label : labels)
      QCOMPARE(LabelText(window, label.name), label.text);
    QVERIFY(window.findChild<QFrame*>("Shape1"));
    QVERIFY(!window.findChild<QPushButton*>("stop")->isEnabled());
    QVERIFY(window.findChild<QProgressBar*>("progress"));

    // The map sketch: Y Max above Y min, X Max left of X min, the count at the bottom.
    const auto at = [&window](const char* name) {
      QWidget* w = window.findChild<QWidget*>(name);
      return w->mapTo(&window, QPoint(0, 0));
    };
    QVERIFY(at("Label1_11").y() < at("Label1_10").y());
    QVERIFY(at("Label1_10").y() < at("Label1_13").y());
    QCOMPARE(at("Label1_13").y(), at("Label1_12").y());
    QVERIFY(at("Label1_13").x() < at("Label1_12").x());
    QVERIFY(at("Label1_13").y() < at("Label1_14").y());
    QVERIFY(at("Label1_14").y() < at("Label3_3").y());
  }

  void OpeningTransformBlanksTheFileNames() {
    zolvane::RunState state;
    state.InputFileName = "a.bna";
    zolvane::Trevil window(state);
    window.show();
    window.ui().SetInputFileName("a.bna");
    window.ui().SetOutputFileName("b.dat");
    auto* transform = window.findChild<QMenu*>("transformar");
    transform->popup(QPoint(0, 0));
    transform->hide();
    QCOMPARE(LabelText(window, "Label1_0"), QString());
    QCOMPARE(LabelText(window, "Label1_1"), QString());
    QVERIFY(state.InputFileName.empty());
  }

  void HelpShowsTheDocumentBesideTheWindow() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    window.findChild<QAction*>("ajuda")->trigger();
    QCOMPARE(LabelText(window, "status"),
             QString(" Help file [zolvane32.rtf] should be in windows dir "));
    auto* text = window.findChild<QTextBrowser*>("RichTextBox1");
    QVERIFY(text);
    QWidget* help = text->window();
    QVERIFY(help->isVisible());
    QVERIFY(!help->isModal());
    QCOMPARE(help->windowTitle(), QString("Zolvane32 HELP page"));
    QVERIFY(text->isReadOnly());
    const QString document = text->toPlainText();
    QVERIFY(document.startsWith("ZOLVANE 8.05"));
    QString previous;
    for (const char* heading :
         {"1. TRANSFORM", "1.1 ", "1.22 ", "2 UTILITIES", "2.0 ", "2.10 ", "3. EXIT", "4. ABOUT"}) {
      QVERIFY2(document.contains(heading), heading);
    }
    for (int i = 1; i <= 22; ++i) {
      QVERIFY2(document.contains(QString("\n1.%1 ").arg(i)), qPrintable(QString::number(i)));
    }
    for (int i = 0; i <= 10; ++i) {
      QVERIFY2(document.contains(QString("\n2.%1 ").arg(i)), qPrintable(QString::number(i)));
    }
  }

  void ExitAsksFirstAndCancelKeepsTheWindow() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    QString text, title;
    bool cancelIsDefault = false;
    ModalAnswers answers;
    const auto answer = [&](QMessageBox::StandardButton button) {
      return [&, button](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        QVERIFY(box);
        text = box->text();
        title = box->windowTitle();
        cancelIsDefault = box->defaultButton() == box->button(QMessageBox::Cancel);
        box->button(button)->click();
      };
    };
    answers.Then(answer(QMessageBox::Cancel)).Then(answer(QMessageBox::Ok));
    window.findChild<QAction*>("sortir")->trigger();
    QVERIFY(window.isVisible());
    QCOMPARE(text, QString("Zolvane Bye bye "));
    QCOMPARE(title, QString(" E X I T "));
    QVERIFY(cancelIsDefault);
    // Closing through the frame asks the same.
    window.close();
    QVERIFY(!window.isVisible());
    QVERIFY(answers.Done());
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(", ")));
  }

  void AboutBoxesUseTheExclamationIcon() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    ModalAnswers answers;
    answers.Then([&](QWidget* widget) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      QVERIFY(box);
      title = box->windowTitle();
      icon = box->icon();
      box->accept();
    });
    window.findChild<QAction*>("about_3")->trigger();
    QCOMPARE(title, QString(" About GEBCO "));
    QCOMPARE(icon, QMessageBox::Warning);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
