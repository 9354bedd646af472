// Rows of a chart table read from text: the lines of a file or the text on
// the clipboard, one row per line that holds exactly one number per column.
// Title lines and notes are skipped, so a file with a heading reads as is.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "number_text.h"

namespace kestra {

class TGridTable;

// The numbers at the start of one line, at most 15: blanks and tabs before a
// number are skipped, a number ends at a blank, tab, comma or carriage
// return, and the first text that is not a number ends the line.
std::vector<Extended> SplitLineNumbers(std::string_view line);

// Clipboard text cut into lines. A carriage return, a line feed or both
// end a line; text after the last break is a line too.
std::vector<std::string> SplitTextLines(std::string_view text);

// Fills the table from the first row on with the lines that give exactly
// one number per column, appending rows as needed, through the columns'
// set-text rules (which may throw EAssignError). Stops after MaxRows rows
// (0: no limit). When a row was filled, the rows after the last filled one
// are deleted, but never below MinRows. Returns the number of rows filled.
int ReadChartRows(TGridTable& table, const std::vector<std::string>& lines);

}  // namespace kestra
