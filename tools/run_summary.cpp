#include "run_summary.h"

#include <charconv>
#include <cstdlib>
#include <string>
#include <cmath>
#include <sstream>

namespace kestra {
namespace {

std::string Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.remove_suffix(1);
  return std::string(s);
}

bool ParseDouble(const std::string& token, double& v) {
  auto r = std::from_chars(token.data(), token.data() + token.size(), v);
  return r.ec == std::errc() && r.ptr == token.data() + token.size();
}

std::string Number(double v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 3);
  std::string text(buf, r.ptr);
  for (char& c : text) c = c == 'e' ? 'E' : c;
  return text;
}

}  // namespace

RunSummary SummarizeReport(std::string_view report) {
  RunSummary s;
  std::istringstream in{std::string(report)};
  std::string line;
  enum { Outside, Units, Rows } state = Outside;
  std::vector<std::string> recent;  // the last lines before the end
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find("END OF ANALYSIS") != std::string::npos) {
      // A stop of the soil modules is a warning text, not an ERROR line.
      if (s.problems.empty() && s.errors.empty() && !recent.empty())
        s.errors.push_back(recent.size() >= 2
                               ? recent[recent.size() - 2] + " " + recent.back()
                               : recent.back());
      continue;
    }
    if (!Trim(line).empty()) {
      recent.push_back(Trim(line));
      if (recent.size() > 3) recent.erase(recent.begin());
    }
    if (line.find("ERROR") != std::string::npos ||
        line.find("TOO MUCH DATA FOR AVAILABLE STORAGE") != std::string::npos)
      s.errors.push_back(Trim(line));
    if (line.rfind("     RESULTS -- ITERATION", 0) == 0) {
      ProblemSummary p;
      p.iterations = std::atoi(line.c_str() + 25);
      s.problems.push_back(p);
      continue;
    }
    if (s.problems.empty()) continue;
    ProblemSummary& p = s.problems.back();
    if (line.find("SOLUTION NOT CLOSED") != std::string::npos) p.closed = false;
    if (line.rfind("   STA I      X", 0) == 0) {
      state = Units;
      continue;
    }
    if (state == Units) {
      // Labels stand in fixed columns: X at 12, moment at 46.
      if (line.size() >= 52) {
        s.length_unit = Trim(line.substr(12, 3));
        std::string m = line.substr(46, 6);
        std::erase(m, ' ');
        s.moment_unit = m;
      }
      state = Rows;
      continue;
    }
    if (state == Rows) {
      if (line.rfind("   ------", 0) == 0) continue;
      // Fixed columns: station I4 at 2, X E10.3 at 8, then six E12.3.
      if (line.size() < 90) {
        state = Outside;
        continue;
      }
      ResultRow row;
      row[0] = Trim(line.substr(2, 4));
      row[1] = Trim(line.substr(8, 10));
      for (int f = 0; f < 6; ++f) row[2 + f] = Trim(line.substr(18 + 12 * f, 12));
      p.rows.push_back(row);
      double x, defl, moment;
      if (ParseDouble(row[1], x) && ParseDouble(row[2], defl) &&
          std::fabs(defl) > std::fabs(p.max_deflection)) {
        p.max_deflection = defl;
        p.max_deflection_depth = x;
      }
      if (ParseDouble(row[1], x) && ParseDouble(row[4], moment) &&
          std::fabs(moment) > std::fabs(p.max_moment)) {
        p.max_moment = moment;
        p.max_moment_depth = x;
      }
    }
  }
  return s;
}

std::string FormatResultsCsv(const ProblemSummary& p, const RunSummary& s) {
  const std::string& L = s.length_unit;
  std::string out = "station,depth (" + L + "),deflection (" + L + "),slope,moment (" +
                    s.moment_unit + "),shear,net reaction per station,EI\n";
  for (const ResultRow& row : p.rows) {
    for (size_t i = 0; i < row.size(); ++i) {
      if (i) out += ',';
      out += row[i];
    }
    out += '\n';
  }
  return out;
}

std::string FormatSummaryLine(std::string_view file, const RunSummary& s) {
  std::string out(file);
  out += ": ";
  if (!s.errors.empty()) {
    out += "ERROR: " + s.errors.front();
    return out;
  }
  if (s.problems.empty()) return out + "no results";
  std::string its;
  bool closed = true;
  ProblemSummary worst;
  for (const ProblemSummary& p : s.problems) {
    if (!its.empty()) its += ',';
    its += std::to_string(p.iterations);
    closed = closed && p.closed;
    if (std::fabs(p.max_deflection) > std::fabs(worst.max_deflection)) {
      worst.max_deflection = p.max_deflection;
      worst.max_deflection_depth = p.max_deflection_depth;
    }
    if (std::fabs(p.max_moment) > std::fabs(worst.max_moment)) {
      worst.max_moment = p.max_moment;
      worst.max_moment_depth = p.max_moment_depth;
    }
  }
  if (s.problems.size() > 1)
    out += std::to_string(s.problems.size()) + " problems, ";
  out += "iterations " + its + (closed ? ", closed" : ", NOT CLOSED");
  const std::string& L = s.length_unit;
  out += "; max |deflection| " + Number(std::fabs(worst.max_deflection)) + " " +
         L + " at depth " + Number(worst.max_deflection_depth) + " " + L;
  out += "; max |moment| " + Number(std::fabs(worst.max_moment)) + " " +
         s.moment_unit + " at depth " + Number(worst.max_moment_depth) + " " +
         L;
  return out;
}

}  // namespace kestra
