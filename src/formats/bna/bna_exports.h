// What the BNA exports to survey-plan and navigation files share: reading the objects of a
// checked file with their labels as fields, and the command steps before the pass.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/text_writer.h"
#include "core/ui.h"
#include "formats/bna/bna_reader.h"

namespace zolvane {

// A label as a comma field: blanks and tabs around it dropped, then the double quotes around
// it removed (`  "Line 1" ` gives `Line 1`).
std::string_view BnaLabelField(std::string_view raw);

// Walks the objects of a checked file one after the other. Every 200 vertices it calls
// `progress`, which may ask to stop.
class BnaObjectWalk {
 public:
  BnaObjectWalk(std::istream& in, ProgressFn progress)
      : reader_(in), progress_(std::move(progress)) {}

  // Moves to the next object; false at the end of the file, on a fault or when stopped
  // (Result() tells which). The vertices of the current object need not all be read.
  bool Next();
  // Label 1 or 2 of the current object as a field (label 2 for any `which` but 1).
  std::string_view Label(int which) const;
  long long Count() const { return header_.count; }
  long long Vertices() const { return header_.count < 0 ? -header_.count : header_.count; }
  // The next vertex of the current object; false on a fault or when stopped.
  bool Vertex(double& x, double& y);

  long long VertexCount() const { return vertexCount_; }
  std::uint64_t BytesRead() const { return reader_.BytesRead(); }

  // Done with the count of vertices read, or what ended the walk.
  PassResult Result() const;

 private:
  bool Skip();

  BnaObjectReader reader_;
  ProgressFn progress_;
  BnaHeader header_;
  std::string label1_, label2_;
  long long left_ = 0;  // vertices of the current object not read yet
  long long vertexCount_ = 0;
  PassResult end_;
};

// The end of an export pass: what ended the walk, or the output flushed.
PassResult FinishWalk(const BnaObjectWalk& walk, LineWriter& writer);

// File choices of an export: the input with `filters` and `inputIndex`, checked, then the
// output with `outputIndex` (after `outputFilters` replace the list when not empty). False
// when the command ends there.
bool AskBnaExportFiles(RunState& state, Ui& ui, std::string_view filters, int inputIndex,
                       std::string_view outputFilters, int outputIndex);

using ExportPass = std::function<PassResult(std::istream&, std::ostream&, const ProgressFn&)>;

// Opens the command's files, shows `status`, runs the pass and puts its output in place.
// False, with the fault shown, when the pass failed, was stopped or could not be written.
bool RunBnaExport(RunState& state, Ui& ui, std::string_view status, const ExportPass& pass);

}  // namespace zolvane
