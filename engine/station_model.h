// The wall as stations 0 (top) to NINC (tip) plus three fictitious stations
// at each end, and the records that fill the station arrays.
#pragma once

#include <array>
#include <string>

namespace kestra {

// Arrays run over stations -3 to NINC+3; index = station + 4.
inline constexpr int kStationEntries = 414;
inline constexpr int kMaxIncrements = kStationEntries - 7;
inline constexpr int kMaxSpecified = 20;

using StationArray = std::array<double, kStationEntries>;

inline constexpr int StationIndex(int station) { return station + 4; }

// The station nearest a depth, halves away from zero; a depth far outside
// any wall gives a station the arrays reject rather than an overflow.
int NearestStation(double depth, double hinc);

// Station case codes of the solution.
enum StationCase {
  kOrdinary = 1,
  kDeflectionSpecified = 2,
  kBeforeSpecifiedSlope = 3,
  kDeflectionAndSlope = 4,
  kAfterSpecifiedSlope = 5,
};

struct StationModel {
  int NINC = 0;
  double HINC = 0.0;
  StationArray EI{}, Q{}, S{}, T{}, R{}, P{};  // P holds compression negative
  std::array<int, kStationEntries> KCASE{};
  std::array<double, kMaxSpecified> specified_deflection{};
  std::array<double, kMaxSpecified> specified_slope{};
  int specified_count = 0;

  // Clears every array for a new problem (KCASE to ordinary).
  void Reset(int ninc, double hinc);
  // True when the station lies inside the arrays.
  bool HasStation(int station) const {
    return station >= -3 && station <= NINC + 3;
  }
};

// Values carried by one stiffness, load, spring or tieback record.
struct StationValues {
  double EI = 0.0, Q = 0.0, S = 0.0, T = 0.0, R = 0.0, P = 0.0;
};

enum class FillError { None, StationsNotInOrder, StationOutsideWall };

// Sets the station case codes for one specified deflection/slope record.
// Records must come in station order; `last_index` carries the order check
// between calls and starts at StationIndex(-1).
FillError AddSpecifiedPoint(StationModel& model, int case_code, int station,
                            double deflection, double slope, int& last_index);

// Distributes the records of one group (stiffness, loads, or springs with
// their tiebacks) into the station arrays, following the continuation codes:
// a record continued into the next one has its values varied linearly to
// the next record's end station.
class RecordDistributor {
 public:
  // K of the record (1 single, 2 start of a chain, 3 end of a chain, 4 link
  // in a chain); the report chooses the echo layout by it.
  int Add(StationModel& model, int from, int to, int kont,
          const StationValues& v, FillError& error);

 private:
  int kprev_ = 0;
  int l0_ = 0;
  StationValues u_;
};

// True when stiffness or loads lie at the stations below the tip.
bool HasDataBeyondTip(const StationModel& model);

}  // namespace kestra
