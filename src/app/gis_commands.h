// The GIS menu: BNA and XYZ files to GIS vector files and back, through GDAL.
#pragma once

#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

void BnaToGisFile(int index, RunState& state, Ui& ui);
void GisFileToBna(int index, RunState& state, Ui& ui);
void XyzToGisFile(int index, RunState& state, Ui& ui);

}  // namespace zolvane
