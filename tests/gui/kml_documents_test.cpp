// The documents BNA => KML, BNA => XML and XML => KML write, read back by an XML parser.
#include <QXmlStreamReader>
#include <QtTest>
#include <sstream>

#include "formats/bna/bna_to_kml.h"
#include "formats/bna/bna_to_xml.h"
#include "formats/bna/xml_to_kml.h"

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

class KmlDocumentsTest : public QObject {
  Q_OBJECT

 private slots:
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

QTEST_MAIN(KmlDocumentsTest)
#include "kml_documents_test.moc"
