#include "formats/bna/bna_exports.h"

#include <vector>

#include "core/files.h"
#include "core/services.h"
#include "core/text_reader.h"

namespace zolvane {
namespace {

constexpr long long kProgressInterval = 200;

}  // namespace

std::string_view BnaLabelField(std::string_view raw) {
  std::vector<std::string_view> fields;
  SplitFields(raw, fields);
  return fields.empty() ? std::string_view() : fields.front();
}

bool BnaObjectWalk::Skip() {
  double x = 0, y = 0;
  while (left_ > 0) {
    if (!Vertex(x, y)) return false;
  }
  return true;
}

bool BnaObjectWalk::Next() {
  if (end_.status != PassStatus::Done || !Skip()) return false;
  const ReadStatus status = reader_.NextHeader(header_);
  if (status == ReadStatus::End) return false;
  if (status != ReadStatus::Ok) {
    end_ = reader_.Fault();
    return false;
  }
  label1_.assign(BnaLabelField(header_.label1));
  label2_.assign(BnaLabelField(header_.label2));
  left_ = Vertices();
  return true;
}

std::string_view BnaObjectWalk::Label(int which) const {
  return which == 1 ? label1_ : label2_;
}

bool BnaObjectWalk::Vertex(double& x, double& y) {
  if (end_.status != PassStatus::Done || left_ <= 0) return false;
  if (header_.singlePoint) {
    x = header_.x;
    y = header_.y;
  } else if (reader_.NextPoint(x, y) != ReadStatus::Ok) {
    end_ = reader_.Fault();
    return false;
  }
  --left_;
  ++vertexCount_;
  if (vertexCount_ % kProgressInterval == 0 && progress_ &&
      !progress_(vertexCount_, reader_.BytesRead())) {
    end_ = PassResult::Stop();
    return false;
  }
  return true;
}

PassResult BnaObjectWalk::Result() const {
  if (end_.status != PassStatus::Done) return end_;
  PassResult done;
  done.count = vertexCount_;
  return done;
}

PassResult FinishWalk(const BnaObjectWalk& walk, LineWriter& writer) {
  const PassResult result = walk.Result();
  if (result.status != PassStatus::Done) return result;
  if (!writer.Flush()) return PassResult::WriteFault();
  return result;
}

bool AskBnaExportFiles(RunState& state, Ui& ui, std::string_view filters, int inputIndex,
                       std::string_view outputFilters, int outputIndex) {
  ui.SetFileFilters(filters);
  if (!AskInputFile(state, ui, inputIndex)) return false;
  CheckBnaFile(state.InputFileName, state, ui);
  if (state.InputError == 1) return false;
  if (!outputFilters.empty()) ui.SetFileFilters(outputFilters);
  return AskOutputFile(state, ui, outputIndex);
}

bool RunBnaExport(RunState& state, Ui& ui, std::string_view status, const ExportPass& pass) {
  CommandFiles files(state);
  if (!files.Open(ui)) return false;
  ui.SetStatus(status);
  ui.SetProgressCount(0);
  const PassResult result =
      pass(files.input.Stream(), files.output.Stream(), WindowProgress(ui, files.input.Size()));
  if (result.status != PassStatus::Done) {
    ReportPassEnd(result, state.InputFileName, state, ui);
    return false;
  }
  return files.Commit(ui);
}

}  // namespace zolvane
