// Reading the point files of the survey utilities strictly: a value that is not a number,
// or a file that ends inside a point, stops the pass at its line instead of turning into 0
// or being dropped, since a made-up depth or field value would go unnoticed in the result.
#pragma once

#include <istream>
#include <string_view>

#include "core/pass.h"
#include "core/value_tokens.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane {

// A value given as text that is not a number (an empty one is taken as 0).
inline bool HasUnreadableValue(const XyzPoint& point) {
  auto unreadable = [](const XyzValue& value) {
    return value.isText && !value.text.empty() && !IsNumberText(value.text);
  };
  return unreadable(point.x) || unreadable(point.y) || (point.hasZ && unreadable(point.z));
}

// Hands every point of the file to `use`; returns the fault that ended the pass, Stop when
// `progress` (called every 200 points, may be empty) asked for it, or Done with the count.
template <typename Use>
PassResult ForEachSurveyPoint(std::istream& in, int inputFormatCode, const ProgressFn& progress,
                              Use&& use) {
  constexpr long long kProgressInterval = 200;
  XyzReader reader(in, inputFormatCode);
  XyzPoint point;
  long long count = 0;
  PassResult done;
  for (;;) {
    const XyzStatus status = ReadXyzPoint(reader, point);
    if (status == XyzStatus::End) {
      NoteUnreadData(reader, done);
      break;
    }
    if (status != XyzStatus::Point) {
      return XyzFault(status, reader.Layout().valid ? reader.LineNumber() : 1);
    }
    if (HasUnreadableValue(point)) {
      return PassResult::Fail("Unreadable number", reader.LineNumber());
    }
    ++count;
    use(point);
    if (count % kProgressInterval == 0 && progress && !progress(count, reader.BytesRead())) {
      return PassResult::Stop();
    }
  }
  done.count = count;
  return done;
}

}  // namespace zolvane
