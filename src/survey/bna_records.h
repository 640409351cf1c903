// BNA records as the planning commands read them: the names without their quotes, the points
// of both header forms, and no guessing: a coordinate that holds no number, or a file that
// ends inside a record, ends the pass with its line.
#pragma once

#include <istream>
#include <string>

#include "core/pass.h"
#include "core/text_reader.h"

namespace zolvane {

struct BnaRecord {
  std::string name1, name2;  // without surrounding quotes
  long long count = 0;       // n as read, rounded
  long long points = 0;      // |n|
};

class BnaRecordReader {
 public:
  explicit BnaRecordReader(std::istream& in) : lines_(in) {}

  // The next record header; End at the end of the file.
  ReadStatus NextRecord(BnaRecord& record);
  // The next point of the current record.
  ReadStatus NextPoint(double& x, double& y);

  long long LineNumber() const { return lines_.LineNumber(); }
  std::uint64_t BytesRead() const { return lines_.BytesRead(); }
  // The fault behind the last Failed.
  const PassResult& Fault() const { return fault_; }

 private:
  ReadStatus Fail(std::string reason);

  LineReader lines_;
  PassResult fault_;
  bool pendingPoint_ = false;  // a single-point header holds the record's point
  double pendingX_ = 0, pendingY_ = 0;
};

}  // namespace zolvane
