// Session scripts as a person writes them: words, quoted words with their
// escapes, comments, blank lines, and the line an error is reported on.
#include <gtest/gtest.h>

#include "PexScriptParser.h"

namespace {
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string error;
  EXPECT_TRUE(PexScriptParser::SplitLine(line, words, error)) << line << ": " << error;
  return words;
}

using WordList = std::vector<std::string>;

TEST(PexScriptParserTest, SplitsWordsQuotesEscapesAndComments) {
  const struct {
    const char* line;
    WordList words;
  } cases[] = {
      {"  open  a.xml\t--json\r", {"open", "a.xml", "--json"}},
      {"pick \"UB010 Floor framing\"", {"pick", "UB010 Floor framing"}},
      {R"(say "a \"quoted\" word" "back\\slash")", {"say", "a \"quoted\" word", "back\\slash"}},
      {R"(say "C:\temp\n")", {"say", R"(C:\temp\n)"}},  // other escapes stay as written
      {"say \"# not a comment\" # but this is", {"say", "# not a comment"}},
      {"say \"\" empty", {"say", "", "empty"}},
      {"say \"x\"# comment right after", {"say", "x"}},
      {"say a#b", {"say", "a#b"}},  // '#' starts a comment only where a word would
      {"# only a comment", {}},
      {"   ", {}},
      {"say \"Gr\xC3\xBC\xC3\x9F" "e\"", {"say", "Gr\xC3\xBC\xC3\x9F" "e"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Words(c.line), c.words) << c.line;
}

TEST(PexScriptParserTest, LinesItCannotReadAreRefusedWithTheReason) {
  const struct {
    const char* line;
    const char* error;
  } cases[] = {
      {"pick \"open", "a quoted word is not closed"},
      {R"(pick "ends in escape\")", "a quoted word is not closed"},
      {"pick \"a\"b", "a quoted word must be followed by a blank"},
      {"pick a\"b\"", "a quote inside a word"},
      {"\x01pick", "control character in the line"},
      {"pick a\x7f", "control character in the line"},
      {"pick \"a\x01\"", "control character in the line"},
      {"pick \"a\rb\"", "control character in the line"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> words{"stale"};
    std::string error;
    EXPECT_FALSE(PexScriptParser::SplitLine(c.line, words, error)) << c.line;
    EXPECT_EQ(error, c.error) << c.line;
  }
}

TEST(PexScriptParserTest, StepsCarryTheirLineNumbersAndABadLineStopsTheWholeScript) {
  const PexScriptParseResult good =
      PexScriptParser::Parse("# session\n\nopen a.xml\r\n  view   # draw it\nexpect nodes 3");
  ASSERT_TRUE(good.ok) << good.error;
  std::string steps;  // each step as "line: verb args... |"
  for (const auto& step : good.steps) {
    steps += std::to_string(step.line) + ": " + step.verb;
    for (const std::string& arg : step.args) steps += " " + arg;
    steps += " |";
  }
  EXPECT_EQ(steps, "3: open a.xml |4: view |5: expect nodes 3 |");

  const PexScriptParseResult bad = PexScriptParser::Parse("open a.xml\nview\npick \"S1\nview\n");
  EXPECT_FALSE(bad.ok);
  EXPECT_EQ(bad.errorLine, 3);
  EXPECT_EQ(bad.error, "a quoted word is not closed");
  EXPECT_TRUE(bad.steps.empty()) << "nothing of a script with a bad line runs";
  EXPECT_TRUE(PexScriptParser::Parse("").steps.empty());
}
}  // namespace
