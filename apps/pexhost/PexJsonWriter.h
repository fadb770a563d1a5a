#pragma once
// A small JSON writer for pexhost's machine-readable output: objects, arrays,
// strings (escaped), numbers and booleans, written in order with commas
// placed by the writer.
#include <string>
#include <string_view>
#include <vector>

class PexJsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // Inside an object: the key of the next value.
  void Key(std::string_view key);
  void String(std::string_view value);
  void Number(double value);
  void Integer(long value);
  void Bool(bool value);

  const std::string& Text() const { return out_; }
  static std::string Escape(const std::string& utf8);
  static void AppendEscaped(std::string& out, std::string_view utf8);
  // Appends a whole or half number (|value| < 1e15) as Number writes it;
  // false, with nothing written, for any other value.
  static bool AppendHalves(std::string& out, double value);

 private:
  void BeforeValue();
  std::string out_;
  std::vector<bool> first_;  // per open container: nothing written in it yet
  bool afterKey_ = false;
};
