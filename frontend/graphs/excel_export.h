// Export of result graphs to a spreadsheet workbook (.xlsx): an index sheet
// "Legend", and per graph a data sheet "Page_k" with the curve values and a
// chart sheet "Plot_k" with an XY chart of them. No window code here.
#pragma once

#include <string>
#include <vector>

#include "plot_data.h"

namespace kestra {

// Spreadsheet column letters: 1..26 "A".."Z", 27..702 "AA".."ZZ"; any other
// number gives an empty name.
std::string ColumnName(int number);

// Writes the workbook of `graphs`, in this order, to `path`. The file is
// written beside the target and renamed over it only when complete, so an
// existing file survives any failure. False, with the reason in `error`,
// when the workbook cannot be written; nothing is thrown.
bool ExportGraphsToExcel(const std::vector<const TGraphPlot*>& graphs,
                         const std::string& path, std::string* error);

}  // namespace kestra
