// The option dialogs: their defaults, their consistency rules, what they give and remember.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/menu_tree.h"
#include "app/trevil.h"
#include "core/ui.h"
#include "dialogs/input_options_dialog.h"
#include "dialogs/output_options_dialog.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::Session;
using zolvane::testing::WhenShows;

namespace {

// What a dialog gave a command, asked through the window's Ui.
using Query = std::function<std::string(zolvane::QtUi&)>;
struct Visit {
  std::vector<Step> steps;
  std::string gave;
  Query ask = {};  // when not the session's
};
struct Visits {
  Query ask;
  std::vector<Visit> visits;
};

template <typename... Values>
std::string Fields(const Values&... values) {
  std::ostringstream out;
  out.precision(12);
  ((out << values << '|'), ...);
  return out.str();
}

// Asks through `question`; what the command received is the choice's `fields`.
template <typename Question, typename Choice, typename... Types>
Query Asking(Question question, Types Choice::*... fields) {
  return [=](zolvane::QtUi& ui) {
    const auto choice = std::invoke(question, ui);
    return choice ? Fields((*choice).*fields...) : "-";
  };
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // The delimiter gives the tens of the layout code, the order its units.
  void LayoutCodes() {
    zolvane::OutputOptionsDialog output;
    zolvane::InputOptionsDialog input;
    QCOMPARE(output.OutputFormatCode(), 11);
    QCOMPARE(input.InputFormatCode(), 11);
    const struct {
      const char* delimiter;
      const char* order;
      int code;
    } cases[] = {
        {"Option2", "yxz", 22}, {"Option3", "XY", 33},  {"Option1", "YX", 14},
        {"Option3", "xyz", 31}, {"Option1", "yxz", 12}, {"Option2", "YX", 24},
    };
    for (const auto& c : cases) {
      Click(&output, c.order);
      Click(&output, c.delimiter);
      QCOMPARE(output.OutputFormatCode(), c.code);
      Click(&input, c.delimiter);
      Click(&input, c.order);
      QCOMPARE(input.InputFormatCode(), c.code);
    }
    QVERIFY(!input.CheckStatistics());
    Click(&input, "stad");
    QVERIFY(input.CheckStatistics());
  }

  void CalculatorConvertsBothWaysWithoutBlocking() {
    Session s;
    s.state.UtmZone = 12;
    s.Trigger("utils_5");
    auto* calculator = s.window.findChild<QDialog*>("Singlecoord");
    QVERIFY(calculator && calculator->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    Play(calculator,
         {Shows("Text1_4", "00.00"), Shows("Text1_3", "000.00"), Shows("huso", "0"),
          Entering("Text1_4", "41"), Entering("Text1_3", "2"), Pressing("G2U"), Shows("huso", "31"),
          Shows("Text1_0", "415897"), Shows("Text1_1", "4539238")});
    // Zone, meridian and ellipsoid as the calculator leaves them in the run state.
    const auto state = [&s] {
      return Fields(s.state.UtmZone, s.state.CentralMeridian, s.state.SemiMajorAxis,
                    s.state.SemiMinorAxis);
    };
    QCOMPARE(state(), "0|0|6378137|6356752.314|");
    Play(calculator,
         {Pressing("U2G"), Shows("Text1_3", "001.9999898"), Shows("Text1_4", "40.9999946")});

    // A latitude beyond 90 degrees converts nothing and says so.
    QString seen;
    s.answers.Message(QMessageBox::Ok, &seen);
    Play(calculator, {Entering("Text1_4", "95"), Pressing("G2U"), Shows("Text1_0", "415897")});
    QCOMPARE(s.answers.Problems(), QString());
    QCOMPARE(seen, QString("Single Coordinate Transform|Latitude beyond 90 degrees north or "
                           "south: 95"));

    Play(calculator, {Entering("Text1_4", "41"), Pressing("Option2"), Pressing("G2U"),
                      Shows("Text1_1", "4539317"),
                      // A box shows its value by the number rule once left.
                      Entering("Text1_0", "41,5"), Shows("Text1_0", "41"),
                      Entering("Text1_1", "abc"), Shows("Text1_1", "0")});
    QCOMPARE(state(), "0|0|6378388|6356911.946|");

    // The main window stays usable meanwhile; close discards the calculator.
    QVERIFY(s.window.menuBar()->isEnabled());
    Click(calculator, "Command1");
    QTRY_VERIFY(!s.window.findChild<QDialog*>("Singlecoord"));
    s.Trigger("utils_5");
    calculator = s.window.findChild<QDialog*>("Singlecoord");
    QVERIFY(calculator);
    // Leaving a box rewrites it also when nothing was typed.
    Play(calculator, {Shows("Text1_4", "00.00"), Shows("Option1", "on"), Leaving("Text1_4", "0")});
  }

  void KingdomNavigationColumnsHoldWholeNumbers() {
    Session s;
    WhenShows("cs2ks", [](QWidget* dialog) {
      QVERIFY(!dialog->isModal());
      Play(dialog, {Shows("Text1", "1"), Shows("Text4", "L-0")});
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
      Click(dialog, "Command1");
    });
    const auto first = s.ui().KingdomNavigation(false);
    QVERIFY(first);
    QCOMPARE(Fields(first->ShotColumn, first->XColumn, first->YColumn, first->LineName),
             "2|3|3| L-5 |");

    // Shown again for another try it keeps its texts; a new run starts afresh.
    WhenShows("cs2ks", [](QWidget* d) { Play(d, {Shows("Text1", "2"), Pressing("Command2")}); });
    QVERIFY(!s.ui().KingdomNavigation(true));
    WhenShows("cs2ks", [](QWidget* dialog) { Play(dialog, {Shows("Text1", "1"), Closing()}); });
    QVERIFY(!s.ui().KingdomNavigation(false));
  }

  void InterpolatorSliderCalcAndRefusal() {
    Session s;
    s.window.Run(*zolvane::FindMenuItem("utils_11"));
    auto* dialog = s.window.findChild<QDialog*>("Interpolation");
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QVERIFY(s.window.menuBar()->isEnabled());  // the main window goes on
    Play(dialog, {Shows("Label3", "0 %"), Typing("X2", "100"), Typing("Y2", "50"),
                  Setting("HScroll1", "250"), Shows("X3", "25"), Shows("Y3", "12.5"),
                  Shows("Label3", "25%"), Setting("HScroll1", "15"), Shows("Label3", "2%"),
                  Typing("Text2", "3"), Typing("Text1", "12"),
                  Pressing("Command2"),  // "Calc"
                  Shows("HScroll1", "250")});
    QString refusal;
    s.answers.Message(QMessageBox::Ok, &refusal);
    Play(dialog, {Typing("Text1", "0"), Pressing("Command2"), Shows("HScroll1", "250")});
    QVERIFY(!refusal.isEmpty());
    Click(dialog, "Command1");  // "done"
    QVERIFY(!dialog->isVisible());
  }

  // Each row a dialog visit of one session: its steps, then what the command received, the
  // choice's fields joined by "|" ("-": nothing, the dialog was closed or cancelled). The
  // rows of a session show what a dialog keeps for the next run and what it starts afresh.
  void DialogsGiveTheirChoicesAndKeepThem() {
    using namespace zolvane;
    const Query kml = Asking(&QtUi::KmlStyle, &KmlStyleChoice::LabelChoice, &KmlStyleChoice::Symbol,
                             &KmlStyleChoice::PointColour, &KmlStyleChoice::RandomPolygons,
                             &KmlStyleChoice::PolygonColour, &KmlStyleChoice::Transparency,
                             &KmlStyleChoice::FolderName);
    const Query kmlAfterARun = [&kml](QtUi& ui) {
      ui.ForgetKmlStyle();
      return kml(ui);
    };
    const Query xml = Asking(&QtUi::XmlMarkers, &XmlMarkersChoice::LineColour,
                             &XmlMarkersChoice::LineWidth, &XmlMarkersChoice::CombineCsv,
                             &XmlMarkersChoice::CsvFile, &XmlMarkersChoice::SyncColumn);
    const Query xmlAfterARun = [&xml](QtUi& ui) {
      ui.ForgetXmlMarkers();
      return xml(ui);
    };
    const auto filter = [](bool clipping) {
      return Asking(std::bind(&QtUi::Filter, std::placeholders::_1, clipping),
                    &FilterChoice::ZRange, &FilterChoice::ZMax, &FilterChoice::DeleteWindow,
                    &FilterChoice::CheckStatistics, &FilterChoice::XMax);
    };
    const Visits sessions[] = {
        // Zone, central meridian and the zone's west and east edges (Text1_0, Text1_1) move
        // together; shown again, the dialog holds the zone confirmed.
        {Asking(&QtUi::ChooseZone, &ZoneChoice::UtmZone, &ZoneChoice::CentralMeridian),
         {{{Named("fusform"), Shows("fustext", "1"), Shows("cmtext", "-177"),
            Shows("Text1_0", "180\u00baW"), Shows("Text1_1", "174\u00baW"),
            // The scroll bar holds the zones 1 to 60.
            Setting("VScroll1", "61"), Shows("VScroll1", "60"), Setting("VScroll1", "0"),
            Shows("VScroll1", "1"),
            // A typed meridian snaps to its zone's; the scroll bar follows.
            Typing("cmtext", "-1"), Shows("fustext", "30"), Shows("cmtext", "-3"),
            Shows("Text1_0", "6\u00baW"), Shows("Text1_1", "0\u00baW"), Shows("VScroll1", "30"),
            Setting("VScroll1", "60"), Shows("fustext", "60"), Shows("cmtext", "177"),
            Shows("Text1_0", "174\u00baE"), Shows("Text1_1", "180\u00baE"),
            Entering("fustext", "31"), Shows("cmtext", "3"), Shows("Text1_0", "0\u00baE"),
            Shows("Text1_1", "6\u00baE"), Shows("VScroll1", "31"),
            // A meridian typed inside the zone shown snaps back to the zone's on leaving.
            Entering("cmtext", "5"), Shows("fustext", "31"), Shows("cmtext", "3"),
            Entering("cmtext", "1"), Shows("fustext", "31"), Shows("cmtext", "3"),
            Pressing("fuscm")},
           "31|3|"},
          // Nothing follows a value that reads as 0.
          {{Shows("fustext", "31"), Typing("fustext", "x"), Shows("cmtext", "3"),
            Pressing("fuscm")},
           "0|3|"},
          {{Closing()}, "-"}}},
        {Asking(&QtUi::OutputOptions, &OutputOptionsChoice::OutputFormatCode,
                &OutputOptionsChoice::Distances),
         {{{Named("xyzo"), Shows("xyz", "on"), Shows("Option1", "on"), Pressing("YX"),
            Pressing("Option2"), Pressing("distances"), Pressing("Command1")},
           "24|1|"},
          {{Pressing("Command1")}, "24|1|"},
          {{Closing()}, "-"}}},
        {Asking(&QtUi::Translate, &TranslateChoice::Distance, &TranslateChoice::Kilometres,
                &TranslateChoice::Angle),
         {{{Named("translate"), Shows("Label1", "Km"), Pressing("Check2"), Shows("Label1", "NM"),
            Shows("Check1", "off"), Pressing("Check1"), Shows("Label1", "Km"),
            Shows("Check2", "off"), Pressing("Check2"), Setting("VScroll1", "360"),
            Shows("teta", "360"), Setting("VScroll1", "90"), Typing("distancia", "2.5"),
            Pressing("traslatecom")},
           "2.5|0|90|"},
          // Neither unit ticked now.
          {{Pressing("Check2"), Pressing("traslatecom")}, "2.5|0|90|"}}},
        {Asking(&QtUi::ColumnExtraction, &ColumnExtractionChoice::Columns,
                &ColumnExtractionChoice::Lines, &ColumnExtractionChoice::Bna,
                &ColumnExtractionChoice::Frequency, &ColumnExtractionChoice::XColumn,
                &ColumnExtractionChoice::YColumn),
         {{{Named("xyzc"), Shows("Check1", "on"), Shows("Check2", "off"), Shows("Bnasi", "off"),
            Shows("Freq", "1"), Shows("Text1_2", "0"), Shows("Label3_0", "max. Columns: 20"),
            // A BNA output locks the frames; unticked, they open again.
            Pressing("Bnasi"), IsEnabled("Frame4", false), IsEnabled("frame2", false),
            Pressing("Bnasi"), IsEnabled("Frame4", true), IsEnabled("frame2", true),
            // Pasted at once, the text becomes the whole number it reads as.
            Setting("Freq", "2.7x"), Shows("Freq", "2"), Typing("Text1_0", "2"),
            Typing("Text1_1", "1"), Pressing("Check2"), Pressing("Command1")},
           "1|1|0|2|2|1|"},
          {{Pressing("Command1")}, "1|1|0|2|2|1|"},
          {{Pressing("Command2")}, "-"}}},
        {Asking(&QtUi::Swath, &SwathChoice::coefficient, &SwathChoice::degrees,
                &SwathChoice::value),
         {{{Named("shapo"), Shows("uni_d", "on"), Shows("Meto_coef", "on"),
            Shows("Value_const", "1"), Pressing("shapo_go")},
           "1|1|1|"},
          {{Pressing("uni_m"), Pressing("meto_const"), Typing("Value_const", "50"),
            Pressing("shapo_go")},
           "0|0|50|"},
          {{Pressing("Command1")}, "-"}}},
        // Cancel unloads it: the next run starts from the defaults.
        {Asking(&QtUi::Layback, &LaybackChoice::constant, &LaybackChoice::layback,
                &LaybackChoice::maximumStep),
         {{{Named("layback"), Shows("layfile", "on"), Shows("laymaxim", "10000"),
            Pressing("constante"), Typing("constlay", "100"), Typing("laymaxim", "500"),
            Pressing("golay")},
           "1|100|500|"},
          {{Shows("laymaxim", "500"), Pressing("Command2")}, "-"},
          {{Shows("laymaxim", "10000"), Pressing("golay")}, "0|1|10000|"}}},
        // The date boxes hold whole numbers.
        {Asking(&QtUi::SurveyDate, &SurveyDateChoice::year, &SurveyDateChoice::month),
         {{{Named("igrfdata"), Shows("anny", "2005"), Typing("anny", "2009.7"),
            Shows("anny", "20097"), Typing("anny", "2008."), Shows("anny", "2008"),
            Typing("Mes", "x"), Shows("Mes", "0"), Typing("Mes", "6"), Pressing("Command1")},
           "2008|6|"}}},
        // The VEC layer starts from its defaults each run.
        {Asking(&QtUi::VecLayer, &VecLayerChoice::Identifier, &VecLayerChoice::Ed50,
                &VecLayerChoice::Degrees, &VecLayerChoice::South, &VecLayerChoice::ZoneText),
         {{{Named("Fbna2vec"), Shows("Option3", "on"), Shows("Option9", "on"),
            Shows("Option6", "on"), Shows("Option4", "on"), Shows("Text1", "31"),
            Pressing("Option1"), Pressing("Option8"), Pressing("Option5"), Pressing("Option7"),
            Setting("Text1", " 30 "), Pressing("Command1")},
           "1|1|0|1| 30 |"},
          {{Shows("Option3", "on"), Pressing("Option2"), Pressing("Command1")}, "2|0|1|0|31|"},
          {{Pressing("Command2")}, "-"}}},
        // A speed that reads as 0 becomes a tenth, kept for the next time.
        {Asking(&QtUi::DistanceTime, &DistanceTimeChoice::LineSpeed,
                &DistanceTimeChoice::TransitSpeed, &DistanceTimeChoice::Ed50),
         {{{Named("CalculDist"), Shows("velocitat", "5"), Shows("Option1", "on"),
            Typing("velocitat", "abc"), Typing("vel2", "7.5"), Pressing("Option2"),
            Pressing("Command1")},
           "0.1|7.5|1|"},
          {{Shows("velocitat", ".1"), Closing()}, "-"}}},
        {Asking(&QtUi::Parallel, &ParallelChoice::Degrees, &ParallelChoice::Xa, &ParallelChoice::Yb,
                &ParallelChoice::Spacing, &ParallelChoice::Count),
         {{{Named("parallel"), Shows("Option2", "on"), Shows("Label4_0", "X"), Pressing("Option1"),
            Shows("Label4_0", "\u00baLONGITUDE"), Shows("Label4_1", "\u00baLATITUDE"),
            Shows("Text5", "1000"), Typing("Text5", "250x"), Shows("Text5", "250"),
            Setting("VScroll1", "3"), Shows("paranum", "3"), Typing("xa", "-3.5"),
            Typing("ya", "41"), Typing("xb", "-3.5"), Typing("yb", "42"), Pressing("fes")},
           "1|-3.5|42|250|3|"},
          {{Pressing("cancel")}, "-"}}},
        {Asking(&QtUi::Rotate, &RotateChoice::CentreX, &RotateChoice::Angle, &RotateChoice::Ccw),
         {{{Named("rotate"), Shows("Text1", "0"), Shows("Option1", "on"), Typing("Text1", "10"),
            Typing("Text3", "45"), Pressing("Option2"), Pressing("fes")},
           "10|45|1|"},
          {{Pressing("cancel")}, "-"}}},
        {filter(false),
         {{{Named("filtros"), IsEnabled("Frame1", true), IsEnabled("Frame2", false),
            Shows("xmintext", "-180"), Pressing("fil_Z"), IsEnabled("Frame1", false),
            IsEnabled("Frame2", true), Typing("zmaxtext", "50"), Pressing("accio2"),
            Pressing("stad"), Pressing("Command1")},
           "1|50|1|1|180|"},
          // The clip: an X-Y window to extract, the rest locked.
          {{IsEnabled("Frame3", false), IsEnabled("Frame4", false), IsEnabled("Frame1", true),
            Typing("xmaxtext", "10"), Pressing("Command1")},
           "0|50|0|1|10|",
           filter(true)},
          {{Pressing("Command2")}, "-"}}},
        // The KML style is kept after a Cancel and starts afresh after a run.
        {kml,
         {{{Named("Fbna2kml"), Shows("Option1", "on"), Shows("Symbol", "Circle"),
            Shows("symbolscale", "0.5"), Shows("lineancho", "1"), Shows("Text3", "50"),
            IsEnabled("VScroll1", false), Shows("Check1", "on"), Shows("polcolor", "random"),
            Pressing("Option2"), Setting("Symbol", "Star"), Setting("Text2", "Folder"),
            Choosing("colorpoint", "#0a0000"), Shows("colorpoint", "ff00000a"),
            Pressing("Command5")},
           "-"},
          // Unticking random polygon colours asks for one.
          {{Shows("Option2", "on"), Shows("Text2", "Folder"), Choosing("Check1", "#ff8000"),
            Shows("polcolor", "800080ff"), IsEnabled("VScroll1", true), Setting("Text3", "150"),
            Shows("Text3", "100"), Setting("VScroll1", "20"), Shows("Text3", "20"),
            Pressing("Command4")},
           "2|Star|10|0|33023|20|Folder|"},
          {{Shows("Option1", "on"), Shows("Text2", ""), Closing()}, "-", kmlAfterARun}}},
        {xml,
         {{{Named("Fbna2xml"), IsEnabled("csvfile", false), Pressing("csvcheck"),
            IsEnabled("csvfile", true), Setting("csvfile", "t.csv"), Setting("sincrofield", "2"),
            Setting("lineancho", "3"), Choosing("colorlinea", "#ff8000"),
            Shows("colorlinea", "\"#ff8000\""), Pressing("Command4")},
           "#ff8000|3|1|t.csv|2|"},
          {{Shows("csvcheck", "off"), Pressing("Command5")}, "-", xmlAfterARun}}},
        // The transect's boxes show their number once left, also when set without typing (so
        // not marked as edited); the dialog is found as it was left, and closing it gives nothing.
        {Asking(&QtUi::ProfileDxf, &ProfileDxfChoice::EndX, &ProfileDxfChoice::Factor,
                &ProfileDxfChoice::Profile),
         {{{Named("xy2dxf"), Setting("Text1", "12abc"), Leaving("Text1", "12"),
            Setting("Text2", ""), Leaving("Text2", "0"), Setting("Text3", "-3.50"),
            Leaving("Text3", "-3.5"), Setting("Text4", "007"), Leaving("Text4", "7"),
            Setting("Text5", "1e3x"), Leaving("Text5", "1e3x"), Setting("Text6", " Line 2 "),
            Leaving("Text6", " Line 2 "), Pressing("Command1")},
           "-3.5|1e3x| Line 2 |"},
          {{Shows("Text3", "-3.5"), Closing()}, "-"}}},
    };
    for (const Visits& session : sessions) {
      Session s;
      for (const Visit& visit : session.visits) {
        s.answers.Then([&visit](QWidget* dialog) { Play(dialog, visit.steps); });
        const Query& ask = visit.ask ? visit.ask : session.ask;
        QCOMPARE(QString::fromStdString(ask(s.ui())), QString::fromStdString(visit.gave));
        QCOMPARE(s.answers.Problems(), QString());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      }
    }
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
