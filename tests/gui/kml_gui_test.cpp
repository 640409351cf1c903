// The BNA => KML and BNA => XML dialogs, and the documents both write read by an XML parser.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QXmlStreamReader>
#include <QtTest>
#include <sstream>

#include "app/trevil.h"
#include "core/ui.h"
#include "formats/bna/bna_to_kml.h"
#include "formats/bna/bna_to_xml.h"
#include "formats/bna/xml_to_kml.h"
#include "modal_answers.h"
#include "widgets.h"

using zolvane::testing::ClickLater;
using zolvane::testing::ModalAnswers;

namespace {

// Empty when the document is well-formed.
QString ParseError(const std::string& text) {
  QXmlStreamReader reader(QByteArray::fromStdString(text));
  while (!reader.atEnd())
    reader.readNext();
  return reader.hasError()
             ? reader.errorString() + " at line " + QString::number(reader.lineNumber())
             : QString();
}

}  // namespace

class KmlGuiTest : public QObject {
  Q_OBJECT

 private slots:
  void KmlStyleRemembersAfterCancelAndStartsAfreshAfterARun() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    ModalAnswers answers;
    answers
        .Then([](QWidget* dialog) {
          QVERIFY(Child<QRadioButton>(dialog, "Option1")->isChecked());
          QCOMPARE(Child<QComboBox>(dialog, "Symbol")->currentText(), QString("Circle"));
          QCOMPARE(Text(dialog, "symbolscale"), QString("0.5"));
          QCOMPARE(Text(dialog, "lineancho"), QString("1"));
          QCOMPARE(Text(dialog, "Text3"), QString("50"));
          QVERIFY(!Child<QScrollBar>(dialog, "VScroll1")->isEnabled());
          QVERIFY(Child<QCheckBox>(dialog, "Check1")->isChecked());
          QCOMPARE(Child<QPushButton>(dialog, "polcolor")->text(), QString("random"));
          Child<QRadioButton>(dialog, "Option2")->click();
          Child<QComboBox>(dialog, "Symbol")->setCurrentText("Star");
          Child<QLineEdit>(dialog, "Text2")->setText("Folder");
          ClickLater<QPushButton>(dialog, "colorpoint");  // the chooser opens over it
        })
        .Colour(QColor(10, 0, 0))
        .Then([](QWidget* dialog) {
          QCOMPARE(Child<QPushButton>(dialog, "colorpoint")->text(), QString("ff00000a"));
          Click(dialog, "Command5");
        })
        .Then([](QWidget* dialog) {
          QVERIFY(Child<QRadioButton>(dialog, "Option2")->isChecked());
          QCOMPARE(Text(dialog, "Text2"), QString("Folder"));
          ClickLater<QCheckBox>(dialog, "Check1");  // unticking asks for a colour
        })
        .Colour(QColor(255, 128, 0))
        .Then([](QWidget* dialog) {
          QCOMPARE(Child<QPushButton>(dialog, "polcolor")->text(), QString("800080ff"));
          QVERIFY(Child<QScrollBar>(dialog, "VScroll1")->isEnabled());
          Child<QLineEdit>(dialog, "Text3")->setText("150");
          QCOMPARE(Text(dialog, "Text3"), QString("100"));
          Child<QScrollBar>(dialog, "VScroll1")->setValue(20);
          QCOMPARE(Text(dialog, "Text3"), QString("20"));
          Click(dialog, "Command4");
        })
        .Then([](QWidget* dialog) {
          QVERIFY(Child<QRadioButton>(dialog, "Option1")->isChecked());
          QCOMPARE(Text(dialog, "Text2"), QString());
          qobject_cast<QDialog*>(dialog)->reject();  // closed through its frame
        });
    zolvane::QtUi& ui = window.ui();
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
    QVERIFY(answers.Done());
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join("; ")));
  }

  void XmlMarkersLineColourAndCsv() {
    zolvane::RunState state;
    zolvane::Trevil window(state);
    window.show();
    ModalAnswers answers;
    answers
        .Then([](QWidget* dialog) {
          QVERIFY(!Child<QLineEdit>(dialog, "csvfile")->isEnabled());
          Child<QCheckBox>(dialog, "csvcheck")->click();
          QVERIFY(Child<QLineEdit>(dialog, "csvfile")->isEnabled());
          Child<QLineEdit>(dialog, "csvfile")->setText("t.csv");
          Child<QLineEdit>(dialog, "sincrofield")->setText("2");
          Child<QLineEdit>(dialog, "lineancho")->setText("3");
          ClickLater<QPushButton>(dialog, "colorlinea");
        })
        .Colour(QColor(255, 128, 0))
        .Then([](QWidget* dialog) {
          QCOMPARE(Child<QPushButton>(dialog, "colorlinea")->text(), QString("\"#ff8000\""));
          Click(dialog, "Command4");
        })
        .Then([](QWidget* dialog) {
          QVERIFY(!Child<QCheckBox>(dialog, "csvcheck")->isChecked());
          Click(dialog, "Command5");
        });
    zolvane::QtUi& ui = window.ui();
    const auto choice = ui.XmlMarkers();
    QVERIFY(choice);
    QCOMPARE(choice->LineColour, std::string("#ff8000"));
    QCOMPARE(choice->LineWidth, std::string("3"));
    QVERIFY(choice->CombineCsv);
    QCOMPARE(choice->CsvFile, std::string("t.csv"));
    QCOMPARE(choice->SyncColumn, 2);
    ui.ForgetXmlMarkers();
    QVERIFY(!ui.XmlMarkers());
    QVERIFY(answers.Done());
    QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join("; ")));
  }

  void DocumentsAreWellFormed() {
    const std::string bna =
        "\"Bay & \"Cove\"\",\"<b>\",1,-3.5,41.25\n"
        "Caf\xE9 ]]> a,\"x\",-3\n1,2\n3,4\n5,6\n"
        "\"poly\",\"'q'\",3\n0,0\n1,0\n1,1\n"
        "M,N,-1\n2,3\n";
    zolvane::CsvTable table;
    std::istringstream csv("Line_Id,Survey\n\"Bay & \",\"S<1>\"\n");
    QCOMPARE(zolvane::LoadCsvTable(csv, 1, table).fault, zolvane::CsvFault::None);
    for (int label = 1; label <= 2; ++label) {
      zolvane::KmlStyleChoice style;
      style.LabelChoice = label;
      style.FolderName = "A & <B>";
      style.Description = "\"d\"";
      std::istringstream in(bna);
      std::ostringstream kml;
      zolvane::ConvertBnaToKml(in, kml, {style, "a&b.kml", "1_map"}, {}, {});
      QCOMPARE(ParseError(kml.str()), QString());

      std::istringstream again(bna);
      std::ostringstream xml;
      zolvane::ConvertBnaToXml(again, xml, {label, "#ff0000", "1", &table}, {}, {}, {});
      QCOMPARE(ParseError(xml.str()), QString());

      std::istringstream markers(xml.str());
      std::ostringstream back;
      const auto result = zolvane::ConvertXmlToKml(markers, back, "<m>.kml", {});
      QCOMPARE(result.status, zolvane::PassStatus::Done);
      QCOMPARE(ParseError(back.str()), QString());
    }
  }
};

QTEST_MAIN(KmlGuiTest)
#include "kml_gui_test.moc"
