// BNA to KML, BNA to XML markers and XML markers back to KML, pass by pass.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/number_format.h"
#include "formats/bna/bna_to_kml.h"
#include "formats/bna/bna_to_xml.h"
#include "formats/bna/markup.h"
#include "formats/bna/xml_to_kml.h"
#include "formats/engine_cases.h"

namespace zolvane {
namespace {

struct Output {
  PassResult pass;
  std::string text;
  std::vector<std::string> notes;
};

Output Kml(const std::string& bna, KmlStyleChoice style = {}) {
  Output run;
  std::tie(run.pass, run.text) = testing::RunPass(bna, [&](auto& in, auto& out) {
    return ConvertBnaToKml(in, out, {style, " out.kml ", "7_map"}, {},
                           [&](std::string_view note) { run.notes.emplace_back(note); });
  });
  return run;
}

Output Xml(const std::string& bna, BnaToXmlOptions options = {}, bool goOn = true) {
  Output run;
  const auto note = [&](std::string_view text) { run.notes.emplace_back(text); };
  const auto missing = [&](std::string_view label) {
    run.notes.push_back("missing " + std::string(label));
    return goOn;
  };
  std::tie(run.pass, run.text) = testing::RunPass(bna, [&](auto& in, auto& out) {
    return ConvertBnaToXml(in, out, options, {}, note, missing);
  });
  return run;
}

Output XmlKml(const std::string& xml) {
  Output run;
  std::tie(run.pass, run.text) = testing::RunPass(
      xml, [](auto& in, auto& out) { return ConvertXmlToKml(in, out, "m.kml", {}); });
  return run;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(Markup, ColoursCoordinatesAndTexts) {
  EXPECT_EQ(KmlColour(TransparencyAlpha(50), 0xFFFFFF), "80ffffff");  // 127.5 rounds to 128
  EXPECT_EQ(KmlColour(TransparencyAlpha(0), 0), "ff000000");
  EXPECT_EQ(KmlColour(TransparencyAlpha(100), 0), "00000000");
  EXPECT_EQ(KmlColour(TransparencyAlpha(250), 0), "00000000");
  EXPECT_EQ(KmlColour(0xFF, 10), "ff00000a");  // red 10
  EXPECT_EQ(HtmlColour(255 | 128 << 8), "#ff8000");
  const struct {
    double value;
    int digits;
    const char* text;
  } degrees[] = {{41.25, 2, "+41.250000"},
                 {0, 3, "+000.000000"},
                 {179.9999996, 3, "+180.000000"},
                 {-0.1234564, 2, "-00.123456"}};
  for (const auto& d : degrees) {
    std::string out;
    AppendSignedDegrees(out, d.value, d.digits);
    EXPECT_EQ(out, d.text);
  }
  // Whatever path it takes, the text is the picture form's.
  for (const double v : {1.2345675, 0.0000005, 2.5e-7, 179.9999995, 12345678.9, -41.0000004999,
                         4.1e14, 1e300, 0.1 + 0.2, 448690.4139394997, -4586797.74123649}) {
    std::string out;
    AppendSignedDegrees(out, v, 3);
    EXPECT_EQ(out, (v < 0 ? "-" : "+") + FormatPicture(std::fabs(v), "000.000000")) << v;
  }
  const struct {
    const char* in;
    const char* out;
  } texts[] = {{"Bay & \"Cove\" <1>", "Bay &amp; &quot;Cove&quot; &lt;1&gt;"},
               {"Ca\xF1o", "Ca\xC3\xB1o"},  // Latin-1 read as such
               {"Ca\xC3\xB1o", "Ca\xC3\xB1o"},
               {"a\x01\tb", "a \tb"},
               // Not UTF-8 (an overlong form, a lead byte out of range): Latin-1 too.
               {"\xE0\x81\x81", "\xC3\xA0\xC2\x81\xC2\x81"},
               {"\xC1\x80\x80\x80", "\xC3\x81\xC2\x80\xC2\x80\xC2\x80"}};
  for (const auto& t : texts)
    EXPECT_EQ(XmlText(t.in), t.out) << t.in;
  EXPECT_EQ(XmlUnescape("&lt;a&gt; &amp;&quot;&#65;&#x42;&#160;&bogus;"),
            "<a> &\"AB\xC2\xA0&bogus;");
  EXPECT_EQ(BnaLabelText("  \"z 1\" "), "z 1");
  EXPECT_EQ(BnaLabelText(" plain "), "plain");
  EXPECT_EQ(BnaLabelText("\"open"), "open");
}

TEST(BnaToKml, DocumentWithEachKind) {
  const Output run =
      Kml("\"P\",\"p2\",1,-3.5,41.25\n\"L\",\"l2\",-2\n1,2\n3,4\n\"G\",\"g2\",3\n0,0\n1,0\n1,1\n");
  EXPECT_EQ(run.pass.status, PassStatus::Done);
  EXPECT_EQ(run.pass.count, 6);
  const std::string header =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<kml xmlns=\"http://earth.google.com/kml/2.1\">\r\n"
      "<Document><name>out.kml</name>\r\n"
      "<description></description>\r\n"
      "<Style id=\"7_map\" > \r\n"
      "<IconStyle>\r\n"
      "     <scale>0.5</scale>\r\n"
      "     <color>ffff0000</color>\r\n"
      "     <Icon>\r\n"
      "     <href>http://maps.google.com/mapfiles/kml/pal4/icon25.png</href>\r\n"
      "     </Icon>\r\n"
      "</IconStyle>\r\n"
      "<LineStyle>\r\n"
      "     <color>ff00ff00</color>\r\n"
      "     <width>1</width>\r\n"
      "</LineStyle>\r\n"
      "<PolyStyle>\r\n"
      "     <color>80ffffff</color>\r\n"
      "     <colorMode>random</colorMode>\r\n"
      "     <fill>1</fill>\r\n"
      "     <outline>1</outline>\r\n"
      "</PolyStyle>\r\n"
      "</Style>\r\n"
      "<Folder>\r\n"
      "<name></name>\r\n";
  const std::string point =
      "<Placemark>\r\n<name>P</name>\r\n<visibility>1</visibility>\r\n<open>1</open>\r\n"
      "<styleUrl>#7_map</styleUrl>\r\n<Point>\r\n<coordinates>\r\n"
      "-003.500000,+41.250000,0\r\n</coordinates>\r\n</Point>\r\n</Placemark>\r\n";
  const std::string line =
      "<Placemark>\r\n<name>L</name>\r\n<visibility>1</visibility>\r\n<open>1</open>\r\n"
      "<styleUrl>#7_map</styleUrl>\r\n\r\n<LineString>\r\n<extrude>0</extrude>\r\n"
      "<tessellate>0</tessellate>\r\n<coordinates>\r\n+001.000000,+02.000000,0\r\n"
      "+003.000000,+04.000000,0\r\n</coordinates>\r\n</LineString>\r\n</Placemark>\r\n";
  const std::string polygon =
      "<Placemark>\r\n<name>G</name>\r\n<visibility>1</visibility>\r\n"
      "<styleUrl>#7_map</styleUrl>\r\n<Polygon>\r\n<tessellate>1</tessellate>\r\n"
      "<outerBoundaryIs>\r\n<LinearRing>\r\n<coordinates>\r\n+000.000000,+00.000000,0\r\n"
      "+001.000000,+00.000000,0\r\n+001.000000,+01.000000,0\r\n</coordinates>\r\n"
      "</LinearRing>\r\n</outerBoundaryIs>\r\n</Polygon>\r\n</Placemark>\r\n";
  EXPECT_EQ(run.text, header + point + line + polygon + "</Folder>\r\n</Document>\r\n</kml>\r\n");
  EXPECT_TRUE(run.notes.empty());
}

TEST(BnaToKml, StyleChoicesAndLabels) {
  KmlStyleChoice style;
  style.LabelChoice = 2;
  style.Symbol = "Star";
  style.PointColour = 10;  // red 10
  style.RandomPolygons = false;
  style.PolygonColour = 255 | 128 << 8;
  style.Transparency = 0;
  style.FolderName = "  A & B ";
  style.Description = " <d> ";
  const Output run = Kml("x,Bay & \"Cove\",1,1,2\n", style);
  for (const char* part :
       {"<href>http://maps.google.com/mapfiles/kml/shapes/star.png</href>",
        "<color>ff00000a</color>", "<color>ff0080ff</color>", "<colorMode>normal</colorMode>",
        "<name>A &amp; B</name>", "<description>&lt;d&gt;</description>",
        "<name>Bay &amp; &quot;Cove&quot;</name>"}) {
    EXPECT_TRUE(Has(run.text, part)) << part;
  }
  style.Symbol = "whatever";
  EXPECT_TRUE(Has(Kml("a,b,1,1,2\n", style).text, "pal4/icon24.png"));
}

TEST(BnaToKml, PointFormsAndTheFaultsOfAnUncheckedFile) {
  const Output cut = Kml("A,B,3\n1,2\n");
  EXPECT_EQ(cut.pass.status, PassStatus::Failed);
  EXPECT_EQ(cut.pass.line, 2);
  const Output single = Kml("A,B,1,2.5,41.3\n");
  const Output header = Kml("A,B,1\n2.5,41.3\n");
  EXPECT_EQ(single.text, header.text);
  const Output minusOne = Kml("L,x,-3\n1,1\n2,2\n3,3\n\"M\",\"N\",-1\n2.5,41.3\n");
  ASSERT_EQ(minusOne.notes, std::vector<std::string>{"Error in object  M N"});
  const std::string last = minusOne.text.substr(minusOne.text.rfind("<Placemark>"));
  EXPECT_TRUE(Has(last,
                  "<Point>\r\n<coordinates>\r\n+002.500000,+41.300000,0\r\n</coordinates>"
                  "\r\n</Point>"))
      << last;
}

TEST(BnaToXml, MarkersAndLineElements) {
  BnaToXmlOptions options;
  options.lineColour = "#ff8000";
  options.lineWidth = "2";
  const Output run = Xml("\"P 1\",\"q<\",1,-3.5,41.25\n\"L\",\"M\",-3\n1,2\n3,4\n5,6\n", options);
  EXPECT_EQ(run.pass.status, PassStatus::Done);
  EXPECT_EQ(
      run.text,
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<markers>\r\n"
      "<marker lat=\"+41.250000\" lng=\"-003.500000\" html=\"P 1&lt;br&gt;q&lt;\" "
      "label=\"P 1\" />\r\n"
      "<marker lat=\"+02.000000\" lng=\"+001.000000\" html=\"L&lt;br&gt;M\" label=\"L\" />\r\n"
      "<line colour=\"#ff8000\" width=\"2\" label=\"L\" > \r\n"
      "<point lat=\"+02.000000\" lng=\"+001.000000\" />\r\n"
      "<point lat=\"+04.000000\" lng=\"+003.000000\" />\r\n"
      "<point lat=\"+06.000000\" lng=\"+005.000000\" />\r\n"
      "</line>\r\n</markers>\r\n");
  options.label = 2;
  EXPECT_TRUE(Has(Xml("\"A\",\"B\",-1\n1,2\n", options).text, "label=\"B\" />\r\n</markers>"));
}

TEST(BnaToXml, CsvCombination) {
  CsvTable table;
  std::istringstream csv(" Line_Id , Survey,depth\nL1,S1,\n\"L 9\",\"S,2\",3\nL1,S3\n4\nX,S4,5\n");
  ASSERT_EQ(LoadCsvTable(csv, 1, table).fault, CsvFault::None);
  EXPECT_EQ(table.columns, (std::vector<std::string>{"Line_Id", "Survey", "depth"}));
  BnaToXmlOptions options;
  options.csv = &table;
  const Output run = Xml("L1,a,1,0,0\n\"L 9\",b,1,0,0\nnone,c,1,0,0\nX,d,1,0,0\n", options);
  EXPECT_TRUE(Has(run.text,
                  "label=\"L1\" Line_Id=\"L1\" Survey=\"S1\" depth=\"\" Line_Id_2=\"L1\" "
                  "Survey_2=\"S3\" depth_2=\"4\"  />"))
      << run.text;
  EXPECT_TRUE(Has(run.text, "label=\"L 9\" Line_Id=\"L 9\" Survey=\"S,2\" depth=\"3\"  />"));
  EXPECT_TRUE(Has(run.text, "label=\"none\" />"));
  // Names a marker cannot hold are made so, and a name already on it gets a number.
  std::istringstream odd("Line Id,2nd,x<,label,Line_Id,Line_Id_2\nA,1,2,3,4,5\nA,6,7,8,9,10\n");
  ASSERT_EQ(LoadCsvTable(odd, 1, table).fault, CsvFault::None);
  EXPECT_TRUE(Has(Xml("A,b,1,0,0\n", options).text,
                  "label=\"A\" Line_Id=\"A\" _2nd=\"1\" x_=\"2\" label_2=\"3\" Line_Id_2=\"4\" "
                  "Line_Id_2_2=\"5\" Line_Id_3=\"A\" _2nd_2=\"6\" x__2=\"7\" label_3=\"8\" "
                  "Line_Id_4=\"9\" Line_Id_2_3=\"10\"  />"));
  EXPECT_EQ(run.notes, std::vector<std::string>{"missing none"});
  EXPECT_TRUE(Has(run.text, "Survey=\"S4\""));  // the objects after it go on

  EXPECT_EQ(Xml("none,c,1,0,0\nX,d,1,0,0\n", options, false).pass.status, PassStatus::Stopped);
}

TEST(BnaToXml, CsvTablesThatCannotBeUsed) {
  std::string wide;
  for (int i = 0; i < 61; ++i)
    wide.append("c,");
  wide.pop_back();
  const struct {
    std::string csv;
    int sync;
    CsvFault fault;
  } cases[] = {{wide + "\n", 1, CsvFault::TooManyColumns},
               {"", 1, CsvFault::NoColumns},
               {"a,b\n", 3, CsvFault::BadSyncColumn},
               {"a,b\n", 0, CsvFault::BadSyncColumn},
               {"a,b\n1," + std::string(kMaxLineLength + 1, 'x') + "\n", 1, CsvFault::ReadError}};
  for (const auto& c : cases) {
    CsvTable table;
    std::istringstream in(c.csv);
    EXPECT_EQ(LoadCsvTable(in, c.sync, table).fault, c.fault) << c.csv.substr(0, 20);
  }
}

TEST(XmlToKml, ReadsMarkersAndLinesBack) {
  CsvTable table;
  std::istringstream csv("Line_Id,Survey\nL1,S1\n");
  ASSERT_EQ(LoadCsvTable(csv, 1, table).fault, CsvFault::None);
  BnaToXmlOptions options;
  options.csv = &table;
  const Output xml = Xml("L1,x,-2\n-3.5,41.25\n1,2\n\"Bay & Cove\",y,1,5,6\n", options);
  const Output run = XmlKml(xml.text);
  ASSERT_EQ(run.pass.status, PassStatus::Done) << run.pass.reason;
  const std::string marker =
      "<LookAt>\r\n<longitude>-003.500000</longitude>\r\n<latitude> +41.250000</latitude>\r\n"
      "<tilt>0</tilt>\r\n<heading>0</heading>\r\n<altitudeMode>relativeToGround</altitudeMode>"
      "\r\n</LookAt>\r\n<Placemark>\r\n<name>L1</name>\r\n<description>\r\n  <![CDATA[  \r\n"
      "label=\"L1\"\rLine_Id=\"L1\"\rSurvey=\"S1\"\r\n ]]> \r\n</description>\r\n"
      "<Point><coordinates>-003.500000,+41.250000,0</coordinates></Point>\r\n</Placemark>\r\n"
      "<Placemark>\r\n<LineString>\r\n<coordinates>\r\n-003.500000,+41.250000,0\r\n"
      "+001.000000,+02.000000,0\r\n</coordinates>\r\n</LineString>\r\n</Placemark>\r\n";
  EXPECT_TRUE(Has(run.text,
                  "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\r\n<Document>\r\n"
                  "<name>m.kml</name>\r\n" +
                      marker))
      << run.text;
  // Without Line_Id the label names it; the escaped label comes back as typed.
  EXPECT_TRUE(Has(run.text, "<name>Bay &amp; Cove</name>"));
  EXPECT_TRUE(Has(run.text, "label=\"Bay\r&\rCove\""));
  EXPECT_TRUE(run.text.ends_with("</Document>\r\n</kml>\r\n"));
}

TEST(XmlToKml, HandWrittenAndBrokenInput) {
  const std::string head = "<?xml?>\n<markers>\n";
  const struct {
    std::string xml;
    PassStatus status;
    long long line;
    const char* part;
  } cases[] = {
      {head + "<marker lat=\"1\" lng=\"2\" label=\"a]]>b\" />\n", PassStatus::Done, 0,
       "a]]]]><![CDATA[>b"},
      {head + "  <marker lng=\"2\" lat=\"1\" />\n</markers>\n<marker lat=\"9\" lng=\"9\"/>\n",
       PassStatus::Done, 0, "<name></name>"},
      {head + "<line>\n<point lat=\"1\" lng=\"2\" />\n", PassStatus::Failed, 4, nullptr},
      {head + "<line>\n<point lat=\"1\" />\n</line>\n", PassStatus::Failed, 4, nullptr},
      {"", PassStatus::Done, 0, "<name>m.kml</name>\r\n</Document>"},
  };
  for (const auto& c : cases) {
    const Output run = XmlKml(c.xml);
    EXPECT_EQ(run.pass.status, c.status) << c.xml;
    EXPECT_EQ(run.pass.line, c.line) << c.xml;
    if (c.part) {
      EXPECT_TRUE(Has(run.text, c.part)) << run.text;
    }
  }
  EXPECT_FALSE(Has(XmlKml(cases[1].xml).text, ">9<"));  // reading ends at </markers>
}

}  // namespace
}  // namespace zolvane
