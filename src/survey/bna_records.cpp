#include "survey/bna_records.h"

#include "core/text_reader.h"
#include "formats/bna/bna_reader.h"

namespace zolvane {
namespace {

std::string Unquoted(std::string_view text) {
  text = TrimBlanksAndTabs(text);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    text = text.substr(1, text.size() - 2);
  }
  return std::string(text);
}

}  // namespace

ReadStatus BnaRecordReader::Fail(std::string reason) {
  fault_ = PassResult::Fail(std::move(reason), lines_.LineNumber());
  return ReadStatus::Failed;
}

ReadStatus BnaRecordReader::NextRecord(BnaRecord& record) {
  std::string_view line;
  const ReadStatus status = lines_.Next(line);
  if (status == ReadStatus::End) return status;
  if (status != ReadStatus::Ok) {
    fault_ = ReadFault(status, lines_.LineNumber());
    return ReadStatus::Failed;
  }
  BnaHeader header;
  if (const BnaFault fault = ParseBnaHeader(line, header, BnaNumbers::Required);
      fault != BnaFault::None) {
    return Fail(BnaFaultReason(fault));
  }
  if (header.count == 0) return Fail(BnaFaultReason(BnaFault::ZeroCount));
  record.name1 = Unquoted(header.label1);
  record.name2 = Unquoted(header.label2);
  record.count = header.count;
  record.points = header.count < 0 ? -header.count : header.count;
  pendingPoint_ = false;
  if (header.singlePoint) {
    if (header.count != 1) return Fail(BnaFaultReason(BnaFault::UnsupportedSinglePoint));
    if (!header.hasY) return Fail(BnaFaultReason(BnaFault::SinglePointWithoutY));
    pendingPoint_ = true;
    pendingX_ = header.x;
    pendingY_ = header.y;
  }
  return ReadStatus::Ok;
}

ReadStatus BnaRecordReader::NextPoint(double& x, double& y) {
  if (pendingPoint_) {
    pendingPoint_ = false;
    x = pendingX_;
    y = pendingY_;
    return ReadStatus::Ok;
  }
  std::string_view line;
  const ReadStatus status = lines_.Next(line);
  if (status == ReadStatus::End) {
    fault_ = PassResult::Fail(BnaFaultReason(BnaFault::EndInsideObject), lines_.LineNumber());
    return ReadStatus::Failed;
  }
  if (status != ReadStatus::Ok) {
    fault_ = ReadFault(status, lines_.LineNumber());
    return ReadStatus::Failed;
  }
  if (const BnaFault fault = ParseBnaCoordinate(line, x, y, BnaNumbers::Required);
      fault != BnaFault::None) {
    return Fail(BnaFaultReason(fault));
  }
  return ReadStatus::Ok;
}

}  // namespace zolvane
