#include "word_reader.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

TEST(WordReader, WordsLinesAndTheCursor) {
  TWordReader in("  Title, with words \r\n9\n1\t2  3\n\nx\n");
  EXPECT_EQ(in.ReadLine(), "  Title, with words ");
  EXPECT_EQ(in.WordCount(), 1);
  EXPECT_EQ(in.ReadInteger(), 9);
  // After the last word the cursor still stands on its line.
  EXPECT_EQ(in.ReadLine(), "9");
  EXPECT_EQ(in.ReadInteger(), 1);
  EXPECT_DOUBLE_EQ(in.ReadFloat(), 2.0);
  EXPECT_EQ(in.NextWord(), "3");
  EXPECT_EQ(in.NextWord(), "x") << "empty lines are passed over";
  EXPECT_THROW(in.NextWord(), EInOutError);
}

TEST(WordReader, Messages) {
  struct Row {
    const char* text;
    bool integer;
    const char* message;
  };
  // clang-format off
  const Row rows[] = {
      {"1 2.5",  true,  "Error on Line 1 Item 2\rAn integer was expected but not found."},
      {"1 1e12", true,  "Error on Line 1 Item 2\rAn integer was expected but not found."},
      {"1 3,5",  false, "Error on Line 1 Item 2\rA floating point number was expected but not found."},
      {"1 nan",  false, "Error on Line 1 Item 2\rA floating point number was expected but not found."},
      {"1",      false, "This file either invalid or incomplete."},
  };
  // clang-format on
  for (const Row& r : rows) {
    TWordReader in(r.text);
    in.NextWord();
    try {
      if (r.integer)
        in.ReadInteger();
      else
        in.ReadFloat();
      ADD_FAILURE() << r.text;
    } catch (const EInOutError& e) {
      EXPECT_STREQ(e.what(), r.message) << r.text;
    }
  }
  TWordReader whole("4.0 -7 +2");
  EXPECT_EQ(whole.ReadInteger(), 4) << "a real without fraction is an integer";
  EXPECT_EQ(whole.ReadInteger(), -7);
  EXPECT_EQ(whole.ReadInteger(), 2);
}

}  // namespace
}  // namespace kestra
