// The wall geometry side view.
#include "main_form.h"

namespace kestra {

void TMainForm::WireSideView() {}

}  // namespace kestra
