// Surfer colour spectra (.clr): inverted, or spread over a 256-entry Miramon palette (.p25).
#pragma once

#include <istream>
#include <ostream>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

// Entries each table holds.
inline constexpr long long kMaxInvertedEntries = 256;
inline constexpr long long kMaxPaletteEntries = 257;

// Writes the header line, then the entries from the last to the first with their positions
// turned into 100 - P. `count` of the result: the entries written.
PassResult InvertSpectrum(std::istream& in, std::ostream& out);

// Writes the palette lines "index red green blue" interpolated between the entries, then
// the closing line of index 255 with the last entry's colour.
PassResult SpectrumToP25(std::istream& in, std::ostream& out);

// The menu command "Invert Surfer Color spectrum (clr)".
void InvertSurferSpectrum(int index, RunState& state, Ui& ui);
// The menu command "Surfer colors > Miramon P25 palete".
void SurferSpectrumToP25(int index, RunState& state, Ui& ui);

}  // namespace zolvane
