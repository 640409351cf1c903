// What is drawn: pictures by zolvane-cli plot (an SVG read back by an XML parser), and the
// Preview window after a command.
#include <sched.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <optional>

#include "app/menu_tree.h"
#include "app/preview_view.h"
#include "app/preview_window.h"
#include "app/trevil.h"
#include "modal_answers.h"
#include "preview/load.h"
#include "render/render.h"
#include "support/run_cli.h"
#include "widgets.h"

using zolvane::testing::RunBash;
using zolvane::testing::RunCli;
using zolvane::testing::Session;

namespace {

// One horizontal line from (0, 0) to (100, 0) and one point at (50, 40).
constexpr const char* kLineAndPoint = "\"-10\",\"a\",-2\n0,0\n100,0\n\"-20\",\"b\",1,50,40\n";

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private slots:
  // Lines one pixel wide and points where they lie; polygons filled translucent, a second
  // ring over the first darker, a ring that crosses itself filled in both its lobes.
  void PlotDrawsShapesWhereTheyLie() {
    enum Seen { Line, Point, Blank, OneRing, TwoRings };
    const struct {
      const char* text;
      zolvane::preview::Bounds extent;
      std::vector<int> probes;  // x, y and what is seen there, in turn
    } cases[] = {
        {kLineAndPoint, {0, 100, 0, 40}, {5,    0,     Line, 30,   0,     Line, 70,    0,
                                          Line, 95,    0,    Line, 50,    40,   Point, 25,
                                          20,   Blank, 75,   30,   Blank, 50,   10,    Blank}},
        {"\"sq\",\"a\",4\n0,0\n100,0\n100,100\n0,100\n\"tri\",\"b\",3\n50,50\n150,50\n100,150\n"
         "\"bow\",\"c\",4\n150,-100\n250,0\n250,-100\n150,0\n",
         {0, 250, -100, 150},
         {20,  20,  OneRing, 75,  75,  TwoRings, 120, 60,  OneRing, 20,  120, Blank,
          170, 100, Blank,   165, -50, OneRing,  235, -50, OneRing, 200, -20, Blank}},
    };
    for (const auto& c : cases) {
      QTemporaryDir dir;
      const QString bna = WriteFile(dir.filePath("p.bna"), c.text);
      const QString png = dir.filePath("p.png");
      const auto run =
          RunCli("plot --width 800 --height 600 " + bna.toStdString() + " " + png.toStdString());
      QCOMPARE(run.status, 0);
      QCOMPARE(QString::fromStdString(run.output), QString());
      const QImage image(png);
      QCOMPARE(image.size(), QSize(800, 600));
      const QRect area = zolvane::render::PlotArea(image.size());
      const zolvane::preview::Bounds view =
          zolvane::preview::Fit(c.extent, area.width(), area.height());
      const QRgb colour = zolvane::render::OutputColour(0).rgb();
      const QRgb white = QColor(Qt::white).rgb();
      int one = 255;  // the shade of one ring
      for (std::size_t i = 0; i + 2 < c.probes.size(); i += 3) {
        const int x = c.probes[i], y = c.probes[i + 1], seen = c.probes[i + 2];
        const QPointF at = zolvane::render::ToPixel(area, view, x, y);
        const QPoint p(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
        const QString where = QString("%1 %2").arg(x).arg(y);
        if (seen == Line) {
          // One pixel of the column, on the line's row or next to it.
          int coloured = 0;
          for (int row = area.top(); row <= area.bottom(); ++row) {
            if (image.pixel(p.x(), row) != colour) continue;
            ++coloured;
            QVERIFY2(std::abs(row - p.y()) <= 1, qPrintable(where));
          }
          QCOMPARE(coloured, 1);
        } else if (seen == Point || seen == Blank) {
          QVERIFY2(image.pixel(p) == (seen == Point ? colour : white), qPrintable(where));
        } else {
          const int shade = qGray(image.pixel(p));
          if (one == 255) one = shade;
          QVERIFY2(seen == OneRing ? shade == one && shade < 255 : shade < one, qPrintable(where));
        }
      }
    }
  }

  // The same picture on one core as on all, though the bands the rows are cut into follow the
  // threads: rings crossing each other and lines, of a few thousand vertices.
  void PlotIsTheSameOnEveryCore() {
    std::string text;
    unsigned seed = 7;
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) / 65536 % 1000; };
    for (int ring = 0; ring < 60; ++ring) {
      text += "\"r\",\"a\"," + std::to_string(ring % 3 == 0 ? -40 : 40) + "\n";
      for (int v = 0; v < 40; ++v)
        text += std::to_string(next()) + "," + std::to_string(next()) + "\n";
    }
    QTemporaryDir dir;
    const std::string path =
        WriteFile(dir.filePath("rings.bna"), QByteArray::fromStdString(text)).toStdString();
    auto picture = [&] {
      std::vector<zolvane::render::Frame> frames;
      const auto layers = zolvane::render::LoadForPicture({path}, 0, QSize(800, 600), frames);
      std::vector<zolvane::render::Scene> scenes;
      for (const auto& frame : frames)
        scenes.push_back(zolvane::render::SceneOf(layers, frame));
      return zolvane::render::Picture(scenes, QSize(800, 600), false);
    };
    cpu_set_t all, one;
    QCOMPARE(sched_getaffinity(0, sizeof all, &all), 0);
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
      if (!CPU_ISSET(cpu, &all)) continue;
      CPU_SET(cpu, &one);
      break;
    }
    QCOMPARE(sched_setaffinity(0, sizeof one, &one), 0);
    const QByteArray single = picture();
    QCOMPARE(sched_setaffinity(0, sizeof all, &all), 0);
    QVERIFY(picture() == single);
  }

  // What a picture holds: valid SVG by OUT's ending or by --format, PNG by default; the legend
  // of the files, the title, the labels, the axes.
  void PlotTexts() {
    constexpr const char* kAcrossZero =
        "\"n1\",\"\",-2\n-500,-500\n500,500\n\"n2\",\"\",-2\n-500,-500\n0,500\n";
    constexpr const char* kDegrees = "3.0 41.0 -5\n3.1 41.1 -9\n";
    constexpr const char* kMetres = "500000 4538000 -5\n508000 4550000 -9\n";
    const struct {
      std::vector<std::pair<const char*, const char*>> files;
      const char* options;
      const char* out;  // "-": standard output
      std::vector<const char*> present, absent;
    } cases[] = {
        // No "-0" on the axes; one name per first vertex.
        {{{"z.bna", kAcrossZero}},
         "--format SVG --labels",
         "-",
         {">0<", ">n1<", "z.bna"},
         {">-0<", ">n2<"}},
        {{{"z.bna", kAcrossZero}}, "--title 'Survey 7'", "z.svg", {"Survey 7"}, {">n1<"}},
        {{{"in.xyz", kDegrees}, {"out.xyz", kMetres}},
         "--format svg",
         "-",
         {"in.xyz (input)", "out.xyz", "\u00b0", "km"},
         {}},
        {{{"z.bna", kAcrossZero}, {"out.xyz", kMetres}}, "", "-", {"\x89PNG"}, {"<svg"}},
    };
    for (const auto& c : cases) {
      QTemporaryDir dir;
      std::string inputs;
      for (const auto& [name, text] : c.files)
        inputs += WriteFile(dir.filePath(name), text).toStdString() + " ";
      const std::string out =
          dir.filePath(c.out == std::string("-") ? "picture" : c.out).toStdString();
      const std::string redirect = c.out == std::string("-") ? "- > " : "";
      QCOMPARE(
          RunBash("\"$CLI\" plot " + std::string(c.options) + " " + inputs + redirect + out).status,
          0);
      QFile file(QString::fromStdString(out));
      QVERIFY(file.open(QIODevice::ReadOnly));
      const std::string picture = file.readAll().toStdString();
      for (const char* text : c.present)
        QVERIFY2(picture.find(text) != std::string::npos, text);
      for (const char* text : c.absent)
        QVERIFY2(picture.find(text) == std::string::npos, text);
      if (picture.find("<svg") == std::string::npos) continue;
      QXmlStreamReader reader(QByteArray::fromStdString(picture));  // a well-formed document
      while (!reader.atEnd())
        reader.readNext();
      QVERIFY2(!reader.hasError(), qPrintable(reader.errorString() + " at line " +
                                              QString::number(reader.lineNumber())));
    }
  }

  void PreviewButtonShowsBothFilesOfTheLastRun() {
    QTemporaryDir dir;
    const QString bna = WriteFile(dir.filePath("in.bna"), kLineAndPoint);
    const QString xyz = dir.filePath("out.dat");
    Session s;
    auto* button = s.window.findChild<QPushButton*>("previewButton");
    QVERIFY(!button->isEnabled());
    s.answers.File(bna).File(xyz).Play({Pressing("Option2"), Pressing("Command1")});
    s.Trigger("bnaxyz_1");
    QCOMPARE(s.answers.Problems(), QString());
    QVERIFY(button->isEnabled());

    button->click();
    auto* preview = s.window.findChild<zolvane::PreviewWindow*>("preview");
    QVERIFY(preview && preview->isVisible());
    QSignalSpy loaded(preview, &zolvane::PreviewWindow::loaded);
    QVERIFY(loaded.wait(10000));
    const auto& layers = preview->Layers();
    QCOMPARE(layers.size(), std::size_t{2});
    for (const auto& layer : layers) {
      QCOMPARE(layer.result.status, zolvane::PassStatus::Done);
      QCOMPARE(layer.vertices, 3LL);
      QCOMPARE(layer.bounds.xMin, 0.0);
      QCOMPARE(layer.bounds.xMax, 100.0);
    }
    // Fitted to the files: they fill the plot's width or its height.
    const QRect area = preview->View().Area();
    const zolvane::preview::Bounds& shown = preview->View().View();
    QVERIFY(shown.xMin <= 0 && shown.xMax >= 100 && shown.yMin <= 0 && shown.yMax >= 40);
    QVERIFY(100 / shown.Width() > 0.9 || 40 / shown.Height() > 0.9);
    QVERIFY(!preview->findChild<QProgressBar*>("progress")->isVisible());
    // Labels: each object's name just above and right of its first vertex, nothing else
    // changed.
    auto* view = preview->findChild<QWidget*>("view");
    const QImage plain = view->grab().toImage();
    preview->findChild<QCheckBox*>("labels")->click();
    const QImage labelled = view->grab().toImage();
    auto beside = [&](int x, int y, double wx, double wy) {
      const QPointF first = zolvane::render::ToPixel(area, shown, wx, wy);
      return x > first.x() && x < first.x() + 120 && y < first.y() && y > first.y() - 30;
    };
    int changed = 0;
    for (int y = 0; y < plain.height(); ++y) {
      for (int x = 0; x < plain.width(); ++x) {
        if (plain.pixel(x, y) == labelled.pixel(x, y)) continue;
        ++changed;
        QVERIFY2(beside(x, y, 0, 0) || beside(x, y, 50, 40),
                 qPrintable(QString("%1 %2").arg(x).arg(y)));
      }
    }
    QVERIFY(changed > 10);
    SaveScreenshot(s.window, "main-window");
    SaveScreenshot(*preview, "preview");

    // Started with a file (a file manager's "Open with"), a window shows that file alone.
    zolvane::RunState fresh;
    zolvane::Trevil started(fresh);
    started.OpenInPreview({bna.toStdString()});
    auto* opened = started.findChild<zolvane::PreviewWindow*>("preview");
    QVERIFY(opened && opened->isVisible());
    QSignalSpy openedLoaded(opened, &zolvane::PreviewWindow::loaded);
    QVERIFY(openedLoaded.wait(10000));
    QCOMPARE(opened->Layers().size(), std::size_t{1});
    QCOMPARE(opened->Layers()[0].vertices, 3LL);
  }

  // The Preview reads the last command's files as the command read and wrote them, whatever
  // their names and first lines would suggest: a point file with the layout the command was
  // given, a CSV file with the columns it was told; a file it cannot draw is named in the
  // legend instead.
  void PreviewReadsTheFilesAsTheCommandDid() {
    struct File {
      const char* name = nullptr;  // none
      const char* text = "";
      long long objects = -1, vertices = 0;  // -1: not drawn
      int xColumn = 0, yColumn = 0;          // of an input, as the command was told
    };
    constexpr const char* kDxf =
        "0\nSECTION\n2\nENTITIES\n0\nSOLID\n8\n0\n62\n1\n10\n100\n20\n0\n11\n350\n21\n-100\n"
        "12\n600\n22\n-50\n13\n600\n23\n-50\n0\nPOLYLINE\n8\n0\n66\n1\n0\nVERTEX\n8\n0\n10\n"
        "600\n20\n-200\n0\nVERTEX\n8\n0\n10\n700\n20\n-250\n0\nSEQEND\n0\nENDSEC\n0\nEOF\n";
    constexpr const char* kBna = "\"A\",\"B\",-2\n1,2\n3,4\n";
    const struct {
      const char* item;
      File input, output = {};
      const char* note = "";
    } cases[] = {
        {"bna2kml_0", {"in.txt", kBna, 1, 2}},
        {"x2bna_1", {"in.bna", "1,2,3\n4,5,6\n7,8,9\n", 3, 3}},
        {"fil2fil_5",
         {"atlas.asc", "  -200    2\n41.50000  2.25000\n41.25000  2.50000\n", 1, 2},
         {"out.bna", "500000 4538000 -200\n", 1, 1}},
        {"daf2bna",
         {"in.txt",
          "Header\n1\n2\n3\n4\n2\nDecimal\nEndHeader\nSTART 43, 174=200;185=12\n2.25 41.5\n"
          "2.5 41.25\nSTOP\n",
          1, 2}},
        {"fil2fil_18", {"in.vec", "A_7 2\n1 2\n3 4\n0 0\n", 1, 2}},
        {"mapgenbna", {"shore.txt", "# -b\n  2.0  41.0\n  3.0  42.0\n", 1, 2}},
        {"genesisi",
         {"grid.txt", "DSAA\n2 2\n0 1\n0 1\n1 4\n1 2\n3 4\n", 0, 4},
         {"out.dat", "0\n1\n2\n3\n"},
         "output not drawn: Genesis II text"},
        {"utils_7", {"in.dat", "3.0 41.0 -5\n3.1 41.1 -9\n", 2, 2}},
        // Without its header, as daf2xyz reads it.
        {"daf2xyz", {"in.daf", "START 43, 174=200;185=12\n2.25 41.5\n2.5 41.25\nSTOP\n", 1, 2}},
        // The vehicle's positions after a header line.
        {"towed",
         {"fixes.txt", "500000,4500000,25,\"A 1\"\n500010\n4500010,25,B\n", 2, 2},
         {"towed.txt",
          "X_ship - Y_ship - X_sonar - Y_sonar - layback - label \n"
          "500000,4500000,499990,4499990,25,A 1\n500010,4500010,500000,4500000,25,B\n",
          2, 2}},
        {"cs2ks", {"shots.txt", "101,500000,4500000\n102,500010,4500010\n", 2, 2, 2, 3}},
        {"excols_0",
         {"cols.txt", "a,1,500000,4500000\n\nb,2,500010,4500010,x\n", 2, 2, 3, 4},
         {"out.txt", "500000,4500000,\"a\"\n500010,4500010,\"b\"\n", 2, 2}},
        // Whole lines extracted: neither file is one of points.
        {"excols_0",
         {"lines.txt", "a,1,500000,4500000\n"},
         {"out.txt", "a,1,500000,4500000\n"},
         "input not drawn: text lines; output not drawn: text lines"},
        {"xy2xyz", {"profile.txt", kDxf, 2, 6}, {"real.txt", kDxf, 2, 6}},
        {"fil2fil_17",
         {"side.txt",
          "LAT_LL: 40.5          LONG_LL 2.25            LAT_UR: 41.5          LONG_UR 3.5   "
          "          COLS 2 ROWS 2 SC_MIN 0 SC_MAX 255\n5 6\n7 8\n",
          0, 4}},
        {"binas", {"points.txt", "1 2 3\n"}, {}, "input not drawn: binary points"},
        {"bnakon",
         {"in.bna", kBna, 1, 2},
         {"plan.txt", "1 2 3\n"},
         "output not drawn: SIS asciiplan"},
        // A colour spectrum's numbers would be taken for points.
        {"iclr_1",
         {"in.clr", "ColorMap 1 1\n0 255 0 0\n"},
         {"out.clr", "ColorMap 1 1\n0 0 0 255\n"},
         "input not drawn: Surfer colour spectrum; output not drawn: Surfer colour spectrum"},
    };
    for (const auto& c : cases) {
      QTemporaryDir dir;
      zolvane::RunState state;
      std::vector<const File*> drawn;
      for (auto [file, name, code] :
           {std::tuple{&c.input, &state.InputFileName, &state.LastInputFormatCode},
            {&c.output, &state.OutputFileName, &state.LastOutputFormatCode}}) {
        if (!file->name) continue;
        *name = WriteFile(dir.filePath(file->name), file->text).toStdString();
        *code = std::string(file->text).find(',') != std::string::npos ? 11 : 21;
        if (file->objects >= 0) drawn.push_back(file);
      }
      state.InputXColumn = c.input.xColumn;
      state.InputYColumn = c.input.yColumn;
      const zolvane::MenuItem* item = zolvane::FindMenuItem(c.item);
      QVERIFY2(item, c.item);
      const auto run = zolvane::RunFiles(state, item);
      QCOMPARE(QString::fromStdString(run.note), QString(c.note));
      QCOMPARE(run.files.size(), drawn.size());
      for (std::size_t i = 0; i < drawn.size(); ++i) {
        const zolvane::preview::Layer layer = zolvane::preview::SurveyFile(run.files[i], {});
        QVERIFY2(layer.result.status == zolvane::PassStatus::Done,
                 qPrintable(QString(c.item) + ": " + QString::fromStdString(layer.result.reason)));
        QVERIFY2(layer.objects == drawn[i]->objects && layer.vertices == drawn[i]->vertices,
                 c.item);
      }
    }
  }

  // An input in degrees and an output in metres: one projected frame when the zone is
  // known, else a frame each, the output's shown first; each fitted to what it draws.
  void PreviewNeverMixesDegreesAndMetres() {
    QTemporaryDir dir;
    const QString degrees = WriteFile(dir.filePath("in.xyz"), "3.0 41.0 -5\n3.1 41.1 -9\n");
    const QString metres =
        WriteFile(dir.filePath("out.xyz"), "500000 4538000 -5\n508000 4550000 -9\n");
    const struct {
      std::optional<double> meridian;
      std::size_t frames;
    } cases[] = {{3.0, 1}, {std::nullopt, 2}};
    for (const auto& c : cases) {
      zolvane::PreviewWindow preview;
      preview.show();
      QSignalSpy loaded(&preview, &zolvane::PreviewWindow::loaded);
      preview.ShowFiles({zolvane::preview::Source::Of(degrees.toStdString(), 23),
                         zolvane::preview::Source::Of(metres.toStdString(), 23)},
                        c.meridian);
      QVERIFY(loaded.wait(10000));
      QCOMPARE(preview.Frames().size(), c.frames);
      QCOMPARE(preview.Frames()[preview.FrameShown()].back(), std::size_t{1});
      // The view shows the output at a readable size: at least a third of the plot's width.
      const zolvane::preview::Bounds& view = preview.View().View();
      QVERIFY(8000 / view.Width() > 0.33);
      auto* frames = preview.findChild<QComboBox*>("frame");
      QCOMPARE(frames->isVisible(), c.frames > 1);
      if (c.frames > 1) {
        frames->setCurrentIndex(0);
        emit frames->activated(0);
        QVERIFY(loaded.wait(10000));
        QCOMPARE(preview.FrameShown(), std::size_t{0});
        QVERIFY(0.1 / preview.View().View().Width() > 0.33);
      }
    }
  }
};

QTEST_MAIN(PreviewTest)
#include "preview_gui_test.moc"
