#include "app/gis_commands.h"

#include <string>
#include <vector>

#include "core/files.h"
#include "core/services.h"
#include "formats/bna/bna_reader.h"
#include "formats/xyz/xyz_pass.h"
#include "gis/gis_files.h"
#include "gis/gis_questions.h"

namespace zolvane {
namespace {

constexpr std::string_view kBnaFilters = "BNA (*.bna)|*.bna|All files (*.*)|*.*";
constexpr std::string_view kXyzFilters =
    "XYZ (*.dat;*.xyz;*.txt)|*.dat;*.xyz;*.txt|All files (*.*)|*.*";

// "GeoPackage (*.gpkg)|*.gpkg|..." in the order of kGisFormats; with `any` a first entry of
// every one of them.
std::string GisFilters(bool any) {
  std::string filters, patterns;
  for (const GisFormat& format : kGisFormats) {
    const std::string pattern = "*." + std::string(format.extension);
    filters += std::string(format.name) + " (" + pattern + ")|" + pattern + "|";
    patterns += (patterns.empty() ? "" : ";") + pattern;
  }
  if (any) filters = "GIS files (" + patterns + ")|" + patterns + "|" + filters;
  return filters + "All files (*.*)|*.*";
}

GisRequest ExportRequest() {
  GisRequest request;
  for (const GisFormat& format : kGisFormats)
    request.formats.emplace_back(format.name);
  return request;
}

// The format and system of an export, then the output file offered in that format. False
// when the command ends there.
bool AskGisOutput(RunState& state, Ui& ui, GisOutputOptions& options) {
  const auto choice = Ask(ui, &GisQuestions::ChooseGis, ExportRequest());
  if (!choice) return false;
  const int format =
      choice->format >= 0 && choice->format < static_cast<int>(std::size(kGisFormats))
          ? choice->format
          : 0;
  options.driver = std::string(kGisFormats[format].driver);
  options.crs = choice->crs;
  ui.SetFileFilters(GisFilters(false));
  return AskOutputFile(state, ui, format + 1);
}

// The end of a pass into a GIS file, in the window's words.
void ReportGisEnd(const PassResult& result, long long count, std::string_view finished,
                  RunState& state, Ui& ui) {
  if (result.status != PassStatus::Done) {
    if (result.outputFault) {
      state.InputError = 1;
      ui.SetStatus(result.reason);
      Warn(ui, result.reason, "GIS");
      return;
    }
    return ReportPassEnd(result, state.InputFileName, state, ui);
  }
  ui.SetProgressCount(count);
  ui.SetStatus(finished);
  ui.OutputCompleted();
}

}  // namespace

void BnaToGisFile(int, RunState& state, Ui& ui) {
  ui.SetFileFilters(kBnaFilters);
  if (!AskInputFile(state, ui, 1)) return;
  ui.SetStatus(" Checking bna format file ");
  CheckBnaFile(state.InputFileName, state, ui);
  if (state.InputError == 1) return;
  GisOutputOptions options;
  if (!AskGisOutput(state, ui, options)) return;
  InputFile in(ReadablePath(state, state.InputFileName));
  if (!in.IsOpen()) return ReportOpenFailure(ui, state.InputFileName, false, in.Fault());
  ui.SetStatus(" BNA to GIS file ");
  ui.SetProgressCount(0);
  const PassResult result =
      BnaToGis(in.Stream(), state.OutputFileName, options, CheckedFileProgress(ui, in.Size()));
  ReportGisEnd(result, result.count, " Finished   BNA to GIS file ", state, ui);
}

void XyzToGisFile(int, RunState& state, Ui& ui) {
  FormatCodeReset reset(state);
  ui.SetFileFilters(kXyzFilters);
  if (!AskInputFile(state, ui, 1)) return;
  if (!AskInputFormat(state, ui)) return;
  if (state.CheckStatistics == 1) {
    CheckXyzFile(state.InputFileName, state, ui);
    if (state.InputError == 1) return;
  }
  GisOutputOptions options;
  if (!AskGisOutput(state, ui, options)) return;
  InputFile in(ReadablePath(state, state.InputFileName));
  if (!in.IsOpen()) return ReportOpenFailure(ui, state.InputFileName, false, in.Fault());
  ui.SetStatus(" XYZ to GIS file ");
  ui.SetProgressCount(0);
  const XyzPassResult result = XyzToGis(in.Stream(), state.InputFormatCode, state.OutputFileName,
                                        options, WindowProgress(ui, in.Size()));
  if (result.pass.status != PassStatus::Done && !result.pass.outputFault) {
    return ReportXyzPassFault(result, state, ui);
  }
  ReportGisEnd(result.pass, result.pass.count, " Finished   XYZ to GIS file ", state, ui);
}

void GisFileToBna(int, RunState& state, Ui& ui) {
  ui.SetFileFilters(GisFilters(true));
  if (!AskInputFile(state, ui, 1)) return;
  std::string fault;
  const std::vector<GisLayerInfo> layers = ListGisLayers(state.InputFileName, fault);
  if (layers.empty()) {
    state.InputError = 1;
    const std::string text = FaultText(fault.empty() ? "No layer" : fault, 0, state.InputFileName);
    ui.SetStatus(text);
    Warn(ui, text, "GIS file to BNA");
    return;
  }
  GisRequest request;
  request.import = true;
  for (const GisLayerInfo& layer : layers)
    request.layers.push_back({layer.name, layer.fields});
  const auto choice = Ask(ui, &GisQuestions::ChooseGis, request);
  if (!choice) return;
  ui.SetFileFilters(kBnaFilters);
  if (!AskOutputFile(state, ui, 1)) return;
  OutputFile output(state.OutputFileName);
  if (!output.IsOpen()) return ReportOpenFailure(ui, state.OutputFileName, true, output.Fault());
  GisToBnaOptions options;
  options.layer = choice->layer;
  options.label1 = choice->label1;
  options.label2 = choice->label2;
  options.to = choice->crs;
  ui.SetStatus(" GIS file to BNA ");
  ui.SetProgressCount(0);
  const PassResult result =
      GisToBna(state.InputFileName, output.Stream(), options, WindowProgress(ui, 1000000), 1000000);
  if (result.status != PassStatus::Done)
    return ReportPassEnd(result, state.InputFileName, state, ui);
  if (!output.Commit()) {
    state.InputError = 1;
    return ReportOpenFailure(ui, state.OutputFileName, true, output.Fault());
  }
  ShowPassNote(result, state.InputFileName, ui);
  ui.SetProgressCount(result.count);
  ui.SetStatus(" Finished   GIS file to BNA ");
  ui.OutputCompleted();
}

}  // namespace zolvane
