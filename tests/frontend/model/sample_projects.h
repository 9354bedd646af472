// Projects built in code for the file tests, and small file helpers.
#pragma once

#include <filesystem>
#include <string>

namespace kestra {

class TProgramData;

namespace test {

// Cantilevered sheet pile in sand: 60 increments of 6 in, 10 ft free
// height, one sand layer to 40 ft.
void BuildCantilever(TProgramData& d);

// Every table and option in use: restraints, loads, springs, a tieback,
// p-y modifiers, user pressure and generated p-y curves, surcharges, a
// layer of each soil type, external p-y and moment-EI curves, and a
// long-term block. Values are given in the project's current units.
void BuildEverything(TProgramData& d);

// Folder path of the sample files in tests/frontend/data.
std::filesystem::path DataFile(const std::string& name);

std::string ReadText(const std::filesystem::path& p);
void WriteText(const std::filesystem::path& p, const std::string& text);

}  // namespace test
}  // namespace kestra
