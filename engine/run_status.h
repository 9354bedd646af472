// Why a problem cannot go on; each ends the run with one report message.
#pragma once

#include <string>

namespace kestra {

enum class RunError {
  None,
  TooMuchData,
  StationsNotInOrder,
  DataBeyondEnd,
  StationOutsideWall,
  InvalidInput,
  Singular,
  CannotOpenInput,
  ExcavationOutsideProfile,  // stop code 1 of the soil profile
  TooManySublayers,          // stop code 2
  NoSupportForTrapezoid,
  FreeHeightNotPositive,
  ScratchFile,
  SoilData,  // the soil models stop; the detail holds their message lines
};

struct ReadStatus {
  RunError error = RunError::None;
  int line = 0;        // input line of an invalid value
  std::string detail;  // what was wrong with it

  bool ok() const { return error == RunError::None; }
};

}  // namespace kestra
