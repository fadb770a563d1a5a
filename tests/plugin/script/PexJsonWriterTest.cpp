// The shell's JSON: what a string must be escaped to, and where the writer
// puts commas in nested containers.
#include <gtest/gtest.h>

#include <limits>

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
  };
  for (const auto& c : cases) EXPECT_EQ(PexJsonWriter::Escape(c.in), c.out) << c.in;
}

TEST(PexJsonWriterTest, PlacesCommasAndEscapesKeysInNestedContainers) {
  PexJsonWriter json;
  json.BeginObject();
  json.Key("na\"me");
  json.String("S1");
  json.Key("xy");
  json.BeginArray();
  json.Number(62.5);
  json.Number(std::numeric_limits<double>::infinity());
  json.BeginObject();
  json.EndObject();
  json.Integer(-3);
  json.EndArray();
  json.Key("open");
  json.Bool(false);
  json.EndObject();
  EXPECT_EQ(json.Text(), R"({"na\"me":"S1","xy":[62.5,null,{},-3],"open":false})");
}
