#include "formats/gmt_segments.h"

#include <string>
#include <vector>

#include "core/numbers.h"
#include "core/text_reader.h"
#include "core/value_tokens.h"

namespace zolvane {

PassResult ReadGmtSegments(std::istream& in, ShapeSink& sink, const ProgressFn& progress) {
  constexpr long long kProgressInterval = 200;
  LineReader lines(in);
  std::string_view line;
  std::vector<std::string_view> values;
  std::string label;
  bool open = false;  // the current segment has been announced
  long long count = 0;
  for (;;) {
    const ReadStatus status = lines.Next(line);
    if (status == ReadStatus::End) break;
    if (status != ReadStatus::Ok) return ReadFault(status, lines.LineNumber());
    line = TrimBlanksAndTabs(line);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '>') {
      label.assign(TrimBlanksAndTabs(line.substr(1)));
      open = false;
      continue;
    }
    SplitValues(line, values);
    if (values.size() < 2 || !IsNumberText(values[0]) || !IsNumberText(values[1])) {
      return PassResult::Fail("Point line without two numbers", lines.LineNumber());
    }
    if (!open) {
      const double value = IsNumberText(label) ? ReadNumber(label) : kNoValue;
      sink.Begin({ShapeKind::Line, label, {}, value});
      open = true;
    }
    sink.Vertex(ReadNumber(values[0]), ReadNumber(values[1]));
    if (++count % kProgressInterval == 0 && progress && !progress(count, lines.BytesRead())) {
      return PassResult::Stop();
    }
  }
  PassResult done;
  done.count = count;
  return done;
}

}  // namespace zolvane
