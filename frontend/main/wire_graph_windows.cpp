// The graph windows: one command per result graph.
#include "main_form.h"

namespace kestra {

void TMainForm::WireGraphWindows() {}

}  // namespace kestra
