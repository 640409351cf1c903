// The formats the preview draws, and one reading pass over a file through the project's own
// readers.
#pragma once

#include <string>
#include <string_view>

#include "core/pass.h"
#include "preview/preview_sink.h"

namespace zolvane::preview {

// The GEBCO exports are never guessed: only the command that read one says so.
enum class Format {
  Bna,
  Xyz,
  Gmt,
  Kml,
  Xml,
  Daf,
  Vec,
  Mapgen,
  Grid,
  Gebco,
  GebcoCentennial,
  GebcoNames,
  Csv,  // X and Y from the columns a command was told
  Dxf,
  Poseidon
};

// Where a file of comma-separated values holds X and Y (columns from 1), and what a record
// is: `fields` values running on across lines, or each line when 0, after `header` lines.
struct Columns {
  int x = 0, y = 0;
  int fields = 0;
  int header = 0;
};

// By the first lines when they tell, else by the name's ending; XYZ when nothing does.
Format FormatOf(const std::string& path);
std::string_view FormatName(Format format);

// The layout code of a point file: the first lines' guess (0 when they give none).
int GuessLayout(const std::string& path);

// Hands the contents of the file to `sink` up to its end or its first fault. `layout` is the
// XYZ layout code of a point file, `columns` those of a CSV file. Nothing is written.
PassResult ReadFile(const std::string& path, Format format, int layout, PreviewSink& sink,
                    const ProgressFn& progress, const Columns& columns = {});

}  // namespace zolvane::preview
