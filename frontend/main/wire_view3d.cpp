// The 3D view, its menu and its tool buttons.
#include "main_form.h"

namespace kestra {

void TMainForm::WireView3D() {}

}  // namespace kestra
