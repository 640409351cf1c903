// The option dialogs: their defaults, their consistency rules, what they give and remember.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "app/menu_tree.h"
#include "app/trevil.h"
#include "core/ui.h"
#include "dialogs/input_options_dialog.h"
#include "dialogs/output_options_dialog.h"
#include "dialogs/profile_dxf_dialog.h"
#include "dialogs/zone_dialog.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ClickLater;
using zolvane::testing::ModalAnswers;
using zolvane::testing::Session;
using zolvane::testing::WhenShows;

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

  void OutputOptionsRemembersItsChoice() {
    Session s;
    s.answers
        .Play(Shows("xyz", "on"), Shows("Option1", "on"), Pressing("YX"), Pressing("Option2"),
              Pressing("distances"), Pressing("Command1"))
        .Play(Pressing("Command1"))
        .Reject();
    for (int run = 0; run < 2; ++run) {
      const auto choice = s.ui().OutputOptions();
      QVERIFY(choice);
      QCOMPARE(choice->OutputFormatCode, 24);
      QVERIFY(choice->Distances);
    }
    QVERIFY(!s.ui().OutputOptions());  // closed through its frame
    QCOMPARE(s.answers.Problems(), QString());
  }

  void ZoneKeepsZoneMeridianAndRangeTogether() {
    zolvane::ZoneDialog dialog;
    dialog.show();
    // Zone, central meridian, the zone's west and east edges.
    const auto shown = [&dialog] {
      return QStringList{Text(&dialog, "fustext"), Text(&dialog, "cmtext"),
                         Text(&dialog, "Text1_0"), Text(&dialog, "Text1_1")};
    };
    QCOMPARE(shown(), QStringList({"1", "-177", "180\u00baW", "174\u00baW"}));

    // A typed meridian snaps to its zone's.
    Type(&dialog, "cmtext", "-1");
    QCOMPARE(shown(), QStringList({"30", "-3", "6\u00baW", "0\u00baW"}));
    QCOMPARE(dialog.UtmZone(), 30);
    QCOMPARE(dialog.CentralMeridian(), -3);

    auto* scroll = Child<QScrollBar>(&dialog, "VScroll1");
    QCOMPARE(scroll->minimum(), 1);
    QCOMPARE(scroll->maximum(), 60);
    QCOMPARE(scroll->value(), 30);  // follows the typed zone
    scroll->setValue(60);
    QCOMPARE(shown(), QStringList({"60", "177", "174\u00baE", "180\u00baE"}));

    Enter(&dialog, "fustext", "31");
    QCOMPARE(shown(), QStringList({"31", "3", "0\u00baE", "6\u00baE"}));
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
    Session s;
    s.answers
        .Then([](QWidget* dialog) {
          QCOMPARE(dialog->objectName(), QString("fusform"));
          Play(dialog, Setting("VScroll1", "31"), Pressing("fuscm"));
        })
        .Play(Shows("fustext", "31"), Closing());  // shown with the last zone chosen
    s.Trigger("utils_6");
    QCOMPARE(s.state.UtmZone, 31);
    QCOMPARE(s.state.CentralMeridian, 3);
    s.state.UtmZone = 7;
    s.Trigger("utils_6");
    QCOMPARE(s.state.UtmZone, 7);  // closed without O.K.
    QCOMPARE(s.answers.Problems(), QString());
  }

  void TranslateUnitsDirectionAndChoice() {
    Session s;
    s.answers
        .Play(Shows("Label1", "Km"), Pressing("Check2"), Shows("Label1", "NM"),
              Shows("Check1", "off"), Pressing("Check1"), Shows("Label1", "Km"),
              Shows("Check2", "off"), Pressing("Check2"), Setting("VScroll1", "360"),
              Shows("teta", "360"), Setting("VScroll1", "90"), Typing("distancia", "2.5"),
              Pressing("traslatecom"))
        .Play(Pressing("Check2"), Pressing("traslatecom"));  // neither ticked now
    const auto choice = s.ui().Translate();
    QVERIFY(choice);
    QCOMPARE(choice->Distance, 2.5);
    QVERIFY(!choice->Kilometres);
    QCOMPARE(choice->Angle, 90.0);
    const auto again = s.ui().Translate();
    QVERIFY(again);
    QCOMPARE(again->Distance, 2.5);  // remembered
    QVERIFY(!again->Kilometres);
  }

  void CalculatorConvertsBothWaysWithoutBlocking() {
    Session s;
    s.state.UtmZone = 12;
    s.Trigger("utils_5");
    auto* calculator = s.window.findChild<QDialog*>("Singlecoord");
    QVERIFY(calculator);
    QVERIFY(calculator->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    Play(calculator, Shows("Text1_4", "00.00"), Shows("Text1_3", "000.00"), Shows("huso", "0"),
         Entering("Text1_4", "41"), Entering("Text1_3", "2"), Pressing("G2U"), Shows("huso", "31"),
         Shows("Text1_0", "415897"), Shows("Text1_1", "4539238"));
    QCOMPARE(s.state.UtmZone, 0);
    QCOMPARE(s.state.CentralMeridian, 0);
    QCOMPARE(s.state.SemiMajorAxis, 6378137.0);
    QCOMPARE(s.state.SemiMinorAxis, 6356752.314);
    Play(calculator, Pressing("U2G"), Shows("Text1_3", "001.9999898"),
         Shows("Text1_4", "40.9999946"));
    QCOMPARE(s.state.UtmZone, 0);

    // A latitude beyond 90 degrees converts nothing and says so.
    QString seen;
    s.answers.Message(QMessageBox::Ok, &seen);
    Play(calculator, Entering("Text1_4", "95"), Pressing("G2U"), Shows("Text1_0", "415897"));
    QCOMPARE(s.answers.Problems(), QString());
    QCOMPARE(seen, QString("Single Coordinate Transform|Latitude beyond 90 degrees north or "
                           "south: 95"));

    Play(calculator, Entering("Text1_4", "41"), Pressing("Option2"), Pressing("G2U"),
         Shows("Text1_1", "4539317"),
         // A box shows its value by the number rule once left.
         Entering("Text1_0", "41,5"), Shows("Text1_0", "41"), Entering("Text1_1", "abc"),
         Shows("Text1_1", "0"));
    QCOMPARE(s.state.SemiMajorAxis, 6378388.0);
    QCOMPARE(s.state.SemiMinorAxis, 6356911.946);

    // The main window stays usable meanwhile; close discards the calculator.
    QVERIFY(s.window.menuBar()->isEnabled());
    Click(calculator, "Command1");
    QTRY_VERIFY(!s.window.findChild<QDialog*>("Singlecoord"));
    s.Trigger("utils_5");
    calculator = s.window.findChild<QDialog*>("Singlecoord");
    QVERIFY(calculator);
    Play(calculator, Shows("Text1_4", "00.00"), Shows("Option1", "on"));
    // Leaving a box rewrites it also when nothing was typed.
    Child<QLineEdit>(calculator, "Text1_4")->setFocus();
    Leave(calculator, "Text1_4");
    QCOMPARE(Text(calculator, "Text1_4"), QString("0"));
  }

  void ColumnExtractionDefaultsRulesAndMemory() {
    Session s;
    s.answers
        .Play(Shows("Check1", "on"), Shows("Check2", "off"), Shows("Bnasi", "off"),
              Shows("Freq", "1"), Shows("Text1_2", "0"), Shows("Label3_0", "max. Columns: 20"),
              // A BNA output locks the frames; unticked, they open again.
              Pressing("Bnasi"), IsEnabled("Frame4", false), IsEnabled("frame2", false),
              Pressing("Bnasi"), IsEnabled("Frame4", true), IsEnabled("frame2", true),
              // Pasted at once, the text becomes the whole number it reads as.
              Setting("Freq", "2.7x"), Shows("Freq", "2"), Typing("Text1_0", "2"),
              Typing("Text1_1", "1"), Pressing("Check2"), Pressing("Command1"))
        .Play(Pressing("Command1"))
        .Play(Pressing("Command2"));
    const auto first = s.ui().ColumnExtraction();
    QVERIFY(first);
    QVERIFY(first->Columns && first->Lines && !first->Bna);
    QCOMPARE(first->Frequency, 2);
    QCOMPARE(first->XColumn, 2.0);
    QCOMPARE(first->YColumn, 1.0);
    const auto again = s.ui().ColumnExtraction();  // remembered
    QVERIFY(again);
    QCOMPARE(again->Frequency, 2);
    QCOMPARE(again->XColumn, 2.0);
    QVERIFY(!s.ui().ColumnExtraction());  // Cancel
    QCOMPARE(s.answers.Problems(), QString());
  }

  void SwathDefaultsChoicesAndCancel() {
    Session s;
    s.answers
        .Play(Shows("uni_d", "on"), Shows("Meto_coef", "on"), Shows("Value_const", "1"),
              Pressing("shapo_go"))
        .Play(Pressing("uni_m"), Pressing("meto_const"), Typing("Value_const", "50"),
              Pressing("shapo_go"))
        .Play(Pressing("Command1"));
    const auto first = s.ui().Swath();
    QVERIFY(first && first->coefficient && first->degrees && first->value == 1);
    const auto second = s.ui().Swath();
    QVERIFY(second && !second->coefficient && !second->degrees && second->value == 50);
    QVERIFY(!s.ui().Swath());
    QCOMPARE(s.answers.Problems(), QString());
  }

  void LaybackKeepsItsValuesUntilCancelled() {
    Session s;
    s.answers
        .Play(Shows("layfile", "on"), Shows("laymaxim", "10000"), Pressing("constante"),
              Typing("constlay", "100"), Typing("laymaxim", "500"), Pressing("golay"))
        .Play(Shows("laymaxim", "500"), Pressing("Command2"))
        .Play(Shows("laymaxim", "10000"), Pressing("golay"));
    const auto first = s.ui().Layback();
    QVERIFY(first && first->constant && first->layback == 100 && first->maximumStep == 500);
    QVERIFY(!s.ui().Layback());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto fresh = s.ui().Layback();  // Cancel unloaded it
    QVERIFY(fresh && !fresh->constant);
  }

  void IgrfDateBoxesHoldWholeNumbers() {
    Session s;
    s.answers.Play(Shows("anny", "2005"), Typing("anny", "2009.7"), Shows("anny", "20097"),
                   Typing("anny", "2008."), Shows("anny", "2008"), Typing("Mes", "x"),
                   Shows("Mes", "0"), Typing("Mes", "6"), Pressing("Command1"));
    const auto date = s.ui().SurveyDate();
    QVERIFY(date);
    QCOMPARE(date->year, 2008.0);
    QCOMPARE(date->month, 6.0);
  }

  void VecLayerStartsFromItsDefaultsEachRun() {
    Session s;
    s.answers
        .Then([](QWidget* dialog) {
          QCOMPARE(dialog->objectName(), QString("Fbna2vec"));
          Play(dialog, Shows("Option3", "on"), Shows("Option9", "on"), Shows("Option6", "on"),
               Shows("Option4", "on"), Shows("Text1", "31"), Pressing("Option1"),
               Pressing("Option8"), Pressing("Option5"), Pressing("Option7"),
               Setting("Text1", " 30 "), Pressing("Command1"));
        })
        .Play(Shows("Option3", "on"), Pressing("Option2"), Pressing("Command1"))
        .Play(Pressing("Command2"));
    const auto first = s.ui().VecLayer();
    QVERIFY(first);
    QCOMPARE(first->Identifier, 1);
    QVERIFY(first->Ed50 && !first->Degrees && first->South);
    QCOMPARE(first->ZoneText, std::string(" 30 "));
    const auto second = s.ui().VecLayer();
    QVERIFY(second);
    QCOMPARE(second->Identifier, 2);
    QVERIFY(!second->Ed50 && second->Degrees && !second->South);
    QVERIFY(!s.ui().VecLayer());
    QCOMPARE(s.answers.Problems(), QString());
  }

  void KingdomNavigationColumnsHoldWholeNumbers() {
    Session s;
    WhenShows("cs2ks", [](QWidget* dialog) {
      QVERIFY(!dialog->isModal());
      Play(dialog, Shows("Text1", "1"), Shows("Text4", "L-0"));
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
    QCOMPARE(first->ShotColumn, 2);
    QCOMPARE(first->XColumn, 3);
    QCOMPARE(first->YColumn, 3);
    QCOMPARE(first->LineName, std::string(" L-5 "));

    // Shown again for another try it keeps its texts; a new run starts afresh.
    WhenShows("cs2ks", [](QWidget* d) { Play(d, Shows("Text1", "2"), Pressing("Command2")); });
    QVERIFY(!s.ui().KingdomNavigation(true));
    WhenShows("cs2ks", [](QWidget* dialog) {
      Play(dialog, Shows("Text1", "1"));
      dialog->close();
    });
    QVERIFY(!s.ui().KingdomNavigation(false));
  }

  void DistanceTimeTurnsAZeroSpeedIntoATenth() {
    Session s;
    s.answers
        .Play(Shows("velocitat", "5"), Shows("Option1", "on"), Typing("velocitat", "abc"),
              Typing("vel2", "7.5"), Pressing("Option2"), Pressing("Command1"))
        .Play(Shows("velocitat", ".1"), Closing());  // kept for the next time
    const auto choice = s.ui().DistanceTime();
    QVERIFY(choice);
    QCOMPARE(choice->LineSpeed, 0.1);
    QCOMPARE(choice->TransitSpeed, 7.5);
    QVERIFY(choice->Ed50);
    QVERIFY(!s.ui().DistanceTime());  // closed through its frame
    QCOMPARE(s.answers.Problems(), QString());
  }

  void ParallelAndRotateGiveTheirValuesOrCancel() {
    Session s;
    s.answers
        .Play(Shows("Option2", "on"), Shows("Label4_0", "X"), Pressing("Option1"),
              Shows("Label4_0", "\u00baLONGITUDE"), Shows("Label4_1", "\u00baLATITUDE"),
              Shows("Text5", "1000"), Typing("Text5", "250x"), Shows("Text5", "250"),
              Setting("VScroll1", "3"), Shows("paranum", "3"), Typing("xa", "-3.5"),
              Typing("ya", "41"), Typing("xb", "-3.5"), Typing("yb", "42"), Pressing("fes"))
        .Play(Pressing("cancel"))
        .Play(Shows("Text1", "0"), Shows("Option1", "on"), Typing("Text1", "10"),
              Typing("Text3", "45"), Pressing("Option2"), Pressing("fes"))
        .Play(Pressing("cancel"));
    const auto parallel = s.ui().Parallel();
    QVERIFY(parallel);
    QVERIFY(parallel->Degrees);
    QCOMPARE(parallel->Xa, std::string("-3.5"));
    QCOMPARE(parallel->Yb, std::string("42"));
    QCOMPARE(parallel->Spacing, 250.0);
    QCOMPARE(parallel->Count, 3);
    QVERIFY(!s.ui().Parallel());
    const auto rotate = s.ui().Rotate();
    QVERIFY(rotate);
    QCOMPARE(rotate->CentreX, 10.0);
    QCOMPARE(rotate->Angle, 45.0);
    QVERIFY(rotate->Ccw);
    QVERIFY(!s.ui().Rotate());
    QCOMPARE(s.answers.Problems(), QString());
  }

  void InterpolatorSliderCalcAndRefusal() {
    Session s;
    s.window.Run(*zolvane::FindMenuItem("utils_11"));
    auto* dialog = s.window.findChild<QDialog*>("Interpolation");
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QVERIFY(s.window.menuBar()->isEnabled());  // the main window goes on
    Play(dialog, Shows("Label3", "0 %"), Typing("X2", "100"), Typing("Y2", "50"),
         Setting("HScroll1", "250"), Shows("X3", "25"), Shows("Y3", "12.5"), Shows("Label3", "25%"),
         Setting("HScroll1", "15"), Shows("Label3", "2%"), Typing("Text2", "3"),
         Typing("Text1", "12"),
         Pressing("Command2"),  // "Calc"
         Shows("HScroll1", "250"));
    QString refusal;
    s.answers.Message(QMessageBox::Ok, &refusal);
    Play(dialog, Typing("Text1", "0"), Pressing("Command2"), Shows("HScroll1", "250"));
    QVERIFY(!refusal.isEmpty());
    Click(dialog, "Command1");  // "done"
    QVERIFY(!dialog->isVisible());
  }

  void FilterFramesAndClipping() {
    Session s;
    s.answers
        .Play(IsEnabled("Frame1", true), IsEnabled("Frame2", false), Shows("xmintext", "-180"),
              Pressing("fil_Z"), IsEnabled("Frame1", false), IsEnabled("Frame2", true),
              Typing("zmaxtext", "50"), Pressing("accio2"), Pressing("stad"), Pressing("Command1"))
        // The clip: an X-Y window to extract, the rest locked.
        .Play(IsEnabled("Frame3", false), IsEnabled("Frame4", false), IsEnabled("Frame1", true),
              Typing("xmaxtext", "10"), Pressing("Command1"))
        .Play(Pressing("Command2"));
    const auto filter = s.ui().Filter(false);
    QVERIFY(filter);
    QVERIFY(filter->ZRange);
    QCOMPARE(filter->ZMax, 50.0);
    QVERIFY(filter->DeleteWindow);
    QVERIFY(filter->CheckStatistics);
    const auto clip = s.ui().Filter(true);
    QVERIFY(clip);
    QVERIFY(!clip->ZRange);
    QVERIFY(!clip->DeleteWindow);
    QCOMPARE(clip->XMax, 10.0);
    QVERIFY(!s.ui().Filter(false));  // Cancel
    QCOMPARE(s.answers.Problems(), QString());
  }

  void KmlStyleRemembersAfterCancelAndStartsAfreshAfterARun() {
    Session s;
    s.answers
        .Then([](QWidget* dialog) {
          Play(dialog, Shows("Option1", "on"), Shows("Symbol", "Circle"),
               Shows("symbolscale", "0.5"), Shows("lineancho", "1"), Shows("Text3", "50"),
               IsEnabled("VScroll1", false), Shows("Check1", "on"), Shows("polcolor", "random"),
               Pressing("Option2"), Setting("Symbol", "Star"), Setting("Text2", "Folder"));
          ClickLater<QPushButton>(dialog, "colorpoint");  // the chooser opens over it
        })
        .Colour(QColor(10, 0, 0))
        .Play(Shows("colorpoint", "ff00000a"), Pressing("Command5"))
        .Then([](QWidget* dialog) {
          Play(dialog, Shows("Option2", "on"), Shows("Text2", "Folder"));
          ClickLater<QCheckBox>(dialog, "Check1");  // unticking asks for a colour
        })
        .Colour(QColor(255, 128, 0))
        .Play(Shows("polcolor", "800080ff"), IsEnabled("VScroll1", true), Setting("Text3", "150"),
              Shows("Text3", "100"), Setting("VScroll1", "20"), Shows("Text3", "20"),
              Pressing("Command4"))
        .Play(Shows("Option1", "on"), Shows("Text2", ""), Closing());
    zolvane::QtUi& ui = s.ui();
    QVERIFY(!ui.KmlStyle());
    const auto choice = ui.KmlStyle();
    QVERIFY(choice);
    QCOMPARE(choice->LabelChoice, 2);
    QCOMPARE(choice->Symbol, std::string("Star"));
    QCOMPARE(choice->PointColour, 10u);
    QVERIFY(!choice->RandomPolygons);
    QCOMPARE(choice->PolygonColour, 255u | 128u << 8);
    QCOMPARE(choice->Transparency, 20.0);
    QCOMPARE(choice->FolderName, std::string("Folder"));
    ui.ForgetKmlStyle();
    QVERIFY(!ui.KmlStyle());
    QCOMPARE(s.answers.Problems(), QString());
  }

  void XmlMarkersLineColourAndCsv() {
    Session s;
    s.answers
        .Then([](QWidget* dialog) {
          Play(dialog, IsEnabled("csvfile", false), Pressing("csvcheck"),
               IsEnabled("csvfile", true), Setting("csvfile", "t.csv"), Setting("sincrofield", "2"),
               Setting("lineancho", "3"));
          ClickLater<QPushButton>(dialog, "colorlinea");
        })
        .Colour(QColor(255, 128, 0))
        .Play(Shows("colorlinea", "\"#ff8000\""), Pressing("Command4"))
        .Play(Shows("csvcheck", "off"), Pressing("Command5"));
    zolvane::QtUi& ui = s.ui();
    const auto choice = ui.XmlMarkers();
    QVERIFY(choice);
    QCOMPARE(choice->LineColour, std::string("#ff8000"));
    QCOMPARE(choice->LineWidth, std::string("3"));
    QVERIFY(choice->CombineCsv);
    QCOMPARE(choice->CsvFile, std::string("t.csv"));
    QCOMPARE(choice->SyncColumn, 2);
    ui.ForgetXmlMarkers();
    QVERIFY(!ui.XmlMarkers());
    QCOMPARE(s.answers.Problems(), QString());
  }

  void ProfileBoxesShowTheirNumberOnLeaving() {
    zolvane::ProfileDxfDialog dialog;
    const struct {
      const char* box;
      QString typed, shown;
    } cases[] = {
        {"Text1", "12abc", "12"}, {"Text2", "", "0"},        {"Text3", "-3.50", "-3.5"},
        {"Text4", "007", "7"},    {"Text5", "1e3x", "1e3x"}, {"Text6", " Line 2 ", " Line 2 "},
    };
    // Texts set without typing, so not marked as edited: rewritten all the same.
    for (const auto& c : cases) {
      Child<QLineEdit>(&dialog, c.box)->setText(c.typed);
      Leave(&dialog, c.box);
      QCOMPARE(Text(&dialog, c.box), c.shown);
    }
    const zolvane::ProfileDxfChoice choice = dialog.Choice();
    QCOMPARE(QString::fromStdString(choice.EndX), QString("-3.5"));
    QCOMPARE(QString::fromStdString(choice.Factor), QString("1e3x"));
    QCOMPARE(QString::fromStdString(choice.Profile), QString(" Line 2 "));
  }

  // The next run finds the transect dialog as it was left; closing it gives nothing.
  void ProfileKeepsItsValuesForTheNextRun() {
    Session s;
    s.answers
        .Then([](QWidget* dialog) {
          QCOMPARE(dialog->objectName(), QString("xy2dxf"));
          Play(dialog, Setting("Text3", "1000"), Pressing("Command1"));
        })
        .Play(Shows("Text3", "1000"), Closing());
    const auto first = s.ui().ProfileDxf();
    QVERIFY(first);
    QCOMPARE(QString::fromStdString(first->EndX), QString("1000"));
    QVERIFY(!s.ui().ProfileDxf());
    QCOMPARE(s.answers.Problems(), QString());
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
