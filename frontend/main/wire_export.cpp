// Export of the graphs to a spreadsheet workbook.
#include "main_form.h"

namespace kestra {

void TMainForm::WireExport() {}

}  // namespace kestra
