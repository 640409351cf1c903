#include "crs/reproject.h"

#include <string>
#include <vector>

#include "core/number_format.h"
#include "core/text_writer.h"
#include "formats/bna/bna_exports.h"
#include "formats/bna/bna_reader.h"

namespace zolvane {
namespace {

// Points handed to PROJ at once: few enough to keep memory small, many enough that the
// per-call cost vanishes.
constexpr std::size_t kBatch = 4096;
constexpr long long kProgressInterval = 200;

// "0.000" for 3 decimals, "0" for none.
std::string PictureOf(int decimals) {
  if (decimals <= 0) return "0";
  std::string pattern(static_cast<std::size_t>(decimals) + 2, '0');
  pattern[1] = '.';
  return pattern;
}

// The coordinates of a batch, gathered for PROJ and scattered back.
struct Coordinates {
  std::vector<double> x, y;
  std::vector<long long> lines;

  void Clear() {
    x.clear();
    y.clear();
    lines.clear();
  }
  void Add(double px, double py, long long line) {
    x.push_back(px);
    y.push_back(py);
    lines.push_back(line);
  }
  // The fault of the first point that cannot be transformed; Done when every one was.
  PassResult Transform(CrsTransform& transform) {
    std::string reason;
    const std::size_t bad = transform.Transform(x.data(), y.data(), x.size(), reason);
    if (bad < x.size()) return PassResult::Fail(reason, lines[bad]);
    return {};
  }
};

}  // namespace

int DefaultDecimals(const CrsTransform& transform) {
  return transform.TargetIsGeographic() ? 8 : 3;
}

XyzPassResult ReprojectXyz(std::istream& in, std::ostream& out, CrsTransform& transform,
                           const ReprojectOptions& options, const ProgressFn& progress) {
  const XyzLayout output = XyzLayout::FromCode(options.outputFormatCode);
  const std::string pattern = PictureOf(options.decimals);
  LineWriter writer(out);
  std::vector<XyzPoint> points(kBatch);
  Coordinates batch;
  PassResult fault;

  auto flush = [&] {
    fault = batch.Transform(transform);
    if (fault.status != PassStatus::Done) return false;
    for (std::size_t i = 0; i < batch.x.size(); ++i) {
      XyzPoint& point = points[i];
      point.x.SetPicture(batch.x[i], pattern);
      point.y.SetPicture(batch.y[i], pattern);
      AppendXyzPoint(writer, output, point);
      writer.EndLine();
    }
    batch.Clear();
    return true;
  };

  XyzPassResult result =
      ForEachXyzPoint(in, options.inputFormatCode, progress, [&](XyzPoint& point, long long line) {
        points[batch.x.size()] = point;
        batch.Add(point.x.number, point.y.number, line);
        return batch.x.size() < kBatch || flush();
      });
  if (fault.status == PassStatus::Done && result.pass.status == PassStatus::Done) flush();
  if (fault.status != PassStatus::Done) {
    const long long count = result.pass.count;
    result.pass = fault;
    result.pass.count = count;
  }
  if (!writer.Flush() && result.pass.status == PassStatus::Done) {
    result.pass = PassResult::WriteFault();
  }
  return result;
}

PassResult ReprojectBna(std::istream& in, std::ostream& out, CrsTransform& transform, int decimals,
                        const ProgressFn& progress) {
  BnaObjectReader reader(in);
  LineWriter writer(out);
  const std::string pattern = PictureOf(decimals);
  // What goes before each pair of the batch: a header of its own for a single-point record,
  // the header of a record whose pairs follow, or nothing.
  std::vector<std::string> before;
  Coordinates batch;
  std::string header, number;

  auto flush = [&]() -> PassResult {
    PassResult fault = batch.Transform(transform);
    if (fault.status != PassStatus::Done) return fault;
    for (std::size_t i = 0; i < batch.x.size(); ++i) {
      writer.Append(before[i]);
      number.clear();
      AppendPicture(number, batch.x[i], pattern);
      number += ',';
      AppendPicture(number, batch.y[i], pattern);
      writer.Append(number);
      writer.EndLine();
    }
    batch.Clear();
    before.clear();
    return {};
  };

  BnaHeader record;
  long long count = 0;
  for (;;) {
    const ReadStatus status = reader.NextHeader(record);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return reader.Fault();
    const long long n = record.count;
    header.clear();
    AppendRecord(header, {RecordItem::Text(BnaLabelField(record.label1)),
                          RecordItem::Text(BnaLabelField(record.label2)),
                          RecordItem::Number(static_cast<double>(n))});
    header += record.singlePoint ? std::string_view(",") : writer.LineEnd();
    for (long long i = n < 0 ? -n : n; i > 0; --i) {
      double x = record.x, y = record.y;
      if (!record.singlePoint && reader.NextPoint(x, y) != ReadStatus::Ok) return reader.Fault();
      before.push_back(header);
      if (!record.singlePoint) header.clear();
      batch.Add(x, y, reader.LineNumber());
      if (batch.x.size() == kBatch) {
        const PassResult fault = flush();
        if (fault.status != PassStatus::Done) return fault;
      }
      ++count;
      if (count % kProgressInterval == 0 && progress && !progress(count, reader.BytesRead())) {
        return PassResult::Stop();
      }
    }
  }
  if (const PassResult fault = flush(); fault.status != PassStatus::Done) return fault;
  if (!writer.Flush()) return PassResult::WriteFault();
  PassResult done;
  done.count = count;
  return done;
}

}  // namespace zolvane
