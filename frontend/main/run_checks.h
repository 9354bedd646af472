// The checks made before an analysis is run: the first failing one gives
// the message to show, and the run stops.
#pragma once

#include <optional>
#include <string>

namespace kestra {

class TProgramData;

std::optional<std::string> ValidateInputMessage(const TProgramData& data);

}  // namespace kestra
