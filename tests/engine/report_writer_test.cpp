#include "report_writer.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

TEST(ReportWriter, HeaderWithDateAndFileBlock) {
  std::string out;
  WriteReportHeader(out, "2015.5.16   ",
                    {"C:/walls/deep/Wall.ks5d", "C:/walls/deep/Wall.ks5o",
                     "C:/walls/deep/Wall.ks5p"},
                    {2026, 3, 7, 9, 5, 0});
  const std::string expected =
      "     =========================================================================\n"
      "\n"
      "                      KESTRA for Windows, Version 2015.5.16   \n"
      "\n"
      "                       A Program for the Analysis of \n"
      "                       Flexible Retaining Walls \n"
      "\n"
      "     =========================================================================\n"
      "\n"
      "\n"
      "     Path to file locations      : C:/walls/deep/\n"
      "     Name of input data file     : Wall.ks5d\n"
      "     Name of output file         : Wall.ks5o\n"
      "     Name of plot output file    : Wall.ks5p\n"
      "\n"
      "     -------------------------------------------------------------------------\n"
      "                          Time and Date of Analysis\n"
      "     -------------------------------------------------------------------------\n"
      "\n"
      "               Date:  March 07, 2026     Time:  09:05:00\n";
  EXPECT_EQ(out, expected);
}

TEST(ReportWriter, DateLineLeftOutForAMonthOutOfRange) {
  std::string out;
  WriteReportHeader(out, "v", {"Wall.ks5d", "Wall.ks5o", "Wall.ks5p"},
                    {2026, 13, 1, 0, 0, 0});
  EXPECT_EQ(out.find("Date:"), std::string::npos);
  EXPECT_NE(out.find("     Path to file locations      : \n"), std::string::npos)
      << "no directory part: nothing after the colon";
}

TEST(ReportWriter, SplitPath) {
  struct Case {
    const char* path;
    PathParts parts;
  };
  // clang-format off
  const Case cases[] = {
      {"C:\\Data\\wall.ks5d",  {"C:", "\\Data\\",   "wall",  ".ks5d"}},
      {"/home/a/b.c/wall",     {"",   "/home/a/b.c/", "wall", ""}},
      {"wall.v2.ks5d",         {"",   "",             "wall.v2", ".ks5d"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    const PathParts p = SplitPath(c.path);
    EXPECT_EQ(p.drive, c.parts.drive) << c.path;
    EXPECT_EQ(p.directory, c.parts.directory) << c.path;
    EXPECT_EQ(p.name, c.parts.name) << c.path;
    EXPECT_EQ(p.extension, c.parts.extension) << c.path;
  }
}

TEST(ReportWriter, TitleLines) {
  const std::string first(80, 'F');
  const std::string own = "Own title" + std::string(71, ' ');
  std::string out;
  WriteTitleLine(out, {false, 1, first, own});
  EXPECT_EQ(out, "\n      " + own.substr(0, 70) + "\n");
  out.clear();
  WriteTitleLine(out, {false, 2, first, own});
  EXPECT_EQ(out, "\n      Long Term :  " + first.substr(0, 70) + "\n");
  out.clear();
  WriteTitleLine(out, {true, 3, first, own});
  EXPECT_EQ(out, "\n      Stage No : 3  " + first.substr(0, 70) + "\n");
}

TEST(ReportWriter, ResultsUnitLineInSi) {
  std::string out;
  WriteResultsTable(out, {}, UnitLabels::For(2));
  EXPECT_NE(out.find("\n              M           M                    KN- M"
                     "         KN          KN        KN- M**2\n"),
            std::string::npos)
      << out;
}

TEST(ReportWriter, StiffnessRecordLayoutsFollowK) {
  std::string out;
  const double v[6] = {1.0, 2.0, 0.0, 0.0, 0.0, -3.0};
  WriteStiffnessRecord(out, 2, 5, 9, 1, v);
  WriteStiffnessRecord(out, 3, 5, 9, 0, v);
  WriteStiffnessRecord(out, 1, 5, 9, 0, v);
  EXPECT_EQ(out,
            "        5      1  0.100E+01 0.200E+01 0.000E+00 0.000E+00 0.000E+00-0.300E+01\n"
            "            9  0  0.100E+01 0.200E+01 0.000E+00 0.000E+00 0.000E+00-0.300E+01\n"
            "        5   9  0  0.100E+01 0.200E+01 0.000E+00 0.000E+00 0.000E+00-0.300E+01\n");
}

TEST(ReportWriter, ResultsHeadingWarningsInOrder) {
  std::string out;
  WriteResultsHeading(out, 100, true, 3, 7);
  EXPECT_EQ(out,
            "\n\n     RESULTS -- ITERATION100\n     --------------------\n"
            "\n     ***** DEFLECTION OFF Q - W CURVES *****\n"
            "\n     ***** MAX ALLOWABLE DEFLECTION EXCEEDED AT ***   3  *** STATIONS *****\n"
            "\n     ***** SOLUTION NOT CLOSED WITHIN SPECIFIED'TOLERANCE *****\n");
}

}  // namespace
}  // namespace kestra
