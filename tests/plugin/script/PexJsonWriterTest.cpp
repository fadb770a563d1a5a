// The shell's JSON: what a string must be escaped to, where the writer puts
// commas in nested containers, and how numbers are written.
#include <gtest/gtest.h>

#include <charconv>
#include <limits>
#include <string>
#include <vector>

#include "PexJsonWriter.h"

TEST(PexJsonWriterTest, EscapesWhatJsonForbidsInAStringAndNothingElse) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"plain", "plain"},
      {"a \"b\"", R"(a \"b\")"},
      {R"(C:\temp)", R"(C:\\temp)"},
      {"one\ntwo\tthree\r", R"(one\ntwo\tthree\r)"},
      {std::string("nul\0bell\aesc\x1b", 13), R"(nul\u0000bell\u0007esc\u001b)"},
      {"\x7f/</script>", "\x7f/</script>"},
      {"Gr\xC3\xBC\xC3\x9F" "e \xE2\x86\x92", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x86\x92"},
      {"\xF0\x9F\x9A\x97", "\xF0\x9F\x9A\x97"},
      // Bytes that are no UTF-8: Latin-1, a cut sequence, an overlong form,
      // a surrogate, beyond U+10FFFF.
      {"caf\xE9!", R"(caf\ufffd!)"},
      {"\xE2\x86", R"(\ufffd\ufffd)"},
      {"\xC0\xAF", R"(\ufffd\ufffd)"},
      {"\xED\xA0\x80", R"(\ufffd\ufffd\ufffd)"},
      {"\xF4\x90\x80\x80", R"(\ufffd\ufffd\ufffd\ufffd)"},
  };
  for (const auto& c : cases) EXPECT_EQ(PexJsonWriter::Escape(c.in), c.out) << c.in;
}

TEST(PexJsonWriterTest, PlacesCommasAndEscapesKeysInNestedContainers) {
  PexJsonWriter json;
  json.BeginObject();
  json.Key("na\"me");
  json.BeginArray();
  json.Number(std::numeric_limits<double>::infinity());
  json.BeginObject();
  json.EndObject();
  json.Integer(-3);
  json.Bool(false);
  json.EndArray();
  json.EndObject();
  EXPECT_EQ(json.Text(), R"({"na\"me":[null,{},-3,false]})");
}

// Whole and half numbers take a shorter way to the same text as any other.
TEST(PexJsonWriterTest, WritesWholeAndHalfNumbersAsTheShortestFormOfAnyNumber) {
  const auto general = [](double v) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
  };
  std::vector<double> values = {0, -0.0, 0.5, -0.5, 1, -1, 9.5, 10, 100, 1000, 10000, 100000,
                                -100000, 120000, 1200000, 25037.5, 1e14, 1e14 + 0.5, 999999999999999,
                                1e15, 1e16, 0.25, 1.75, 3.1, -2.5e-7};
  for (double v = -3000; v < 3000; v += 0.5) values.push_back(v * 977);
  int fast = 0;
  for (const double v : values) {
    PexJsonWriter json;
    json.Number(v);
    EXPECT_EQ(json.Text(), general(v)) << v;
    std::string out;
    fast += PexJsonWriter::AppendHalves(out, v);
  }
  EXPECT_GT(fast, 5000) << "the short way is taken";
}
