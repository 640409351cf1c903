#include "crs/reproject.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/number_format.h"
#include "core/text_writer.h"
#include "formats/bna/bna_exports.h"
#include "formats/bna/bna_reader.h"
#include "formats/xyz/xyz_blocks.h"

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

// Points held back until PROJ transforms a batch of them, then written; on a point it cannot
// transform, the points before it are written and its fault returned.
class PointBatch {
 public:
  PointBatch(CrsTransform& transform, const XyzLayout& output, const std::string& pattern)
      : transform_(&transform), output_(output), pattern_(pattern), points_(kBatch) {}
  // With a transformation of its own, or none when PROJ could not make it.
  PointBatch(std::unique_ptr<CrsTransform> own, const XyzLayout& output, const std::string& pattern)
      : own_(std::move(own)),
        transform_(own_.get()),
        output_(output),
        pattern_(pattern),
        points_(kBatch) {}

  PassResult operator()(const XyzPoint& point, long long line, LineWriter& writer, long long&) {
    return Add(point, line, writer);
  }
  PassResult Add(const XyzPoint& point, long long line, LineWriter& writer) {
    points_[batch_.x.size()] = point;
    batch_.Add(point.x.number, point.y.number, line);
    return batch_.x.size() < kBatch ? PassResult{} : Finish(writer);
  }
  PassResult Finish(LineWriter& writer) {
    PassResult fault;
    std::size_t good = batch_.x.size();
    if (transform_ == nullptr) {
      fault = PassResult::Fail("PROJ could not start", batch_.lines.empty() ? 0 : batch_.lines[0]);
      good = 0;
    } else {
      std::string reason;
      good = transform_->Transform(batch_.x.data(), batch_.y.data(), batch_.x.size(), reason);
      if (good < batch_.x.size()) fault = PassResult::Fail(reason, batch_.lines[good]);
    }
    for (std::size_t i = 0; i < good; ++i) {
      XyzPoint& point = points_[i];
      point.x.SetPicture(batch_.x[i], pattern_);
      point.y.SetPicture(batch_.y[i], pattern_);
      AppendXyzPoint(writer, output_, point);
      writer.EndLine();
    }
    batch_.Clear();
    return fault;
  }

 private:
  std::unique_ptr<CrsTransform> own_;
  CrsTransform* transform_;
  XyzLayout output_;
  std::string pattern_;
  std::vector<XyzPoint> points_;
  Coordinates batch_;
};

}  // namespace

int DefaultDecimals(const CrsTransform& transform) {
  return transform.TargetIsGeographic() ? 8 : 3;
}

XyzPassResult ReprojectXyz(std::istream& in, std::ostream& out, CrsTransform& transform,
                           const ReprojectOptions& options, const ProgressFn& progress) {
  const XyzLayout output = XyzLayout::FromCode(options.outputFormatCode);
  const std::string pattern = PictureOf(options.decimals);
  XyzBlockOptions blockOptions;
  blockOptions.inputFormatCode = options.inputFormatCode;
  blockOptions.blocks = options.blocks;
  // Each thread's PROJ context holds several megabytes of its own; smaller blocks leave it
  // that room at no cost in speed, as PROJ's arithmetic, not the text, sets the pace.
  blockOptions.blocks.blockSize = std::min<std::size_t>(blockOptions.blocks.blockSize, 1 << 18);
  long long tally = 0;
  // PROJ contexts are not shared between threads: each worker makes its own transformation.
  std::mutex copying;
  auto makeUse = [&] {
    std::unique_ptr<CrsTransform> own;
    {
      const std::lock_guard lock(copying);
      own = transform.Copy();
    }
    return PointBatch(std::move(own), output, pattern);
  };
  return ForEachXyzBlock(in, out, blockOptions, progress, tally, makeUse, [&] {
    LineWriter writer(out);
    PointBatch batch(transform, output, pattern);
    PassResult fault;
    XyzPassResult result = ForEachXyzPoint(in, options.inputFormatCode, progress,
                                           [&](XyzPoint& point, long long line) {
                                             fault = batch.Add(point, line, writer);
                                             return fault.status == PassStatus::Done;
                                           });
    // The points held back stand before a fault of the input, and a fault among them
    // comes first.
    if (fault.status == PassStatus::Done && result.pass.status != PassStatus::Stopped) {
      fault = batch.Finish(writer);
    }
    if (fault.status != PassStatus::Done) {
      const long long count = result.pass.count;
      result.pass = fault;
      result.pass.count = count;
      result.lineError = false;
    }
    if (!writer.Flush() && result.pass.status == PassStatus::Done) {
      result.pass = PassResult::WriteFault();
    }
    return result;
  });
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
