#pragma once
// Reads the lines a person types at a terminal with line editing and a
// history of the session's lines (libedit): arrows, Ctrl+R and the other
// emacs keys work as in a login shell.
#include <cstdio>
#include <string>

struct editline;
struct history;

class PexLineEditor {
 public:
  // `in`, `out`, `err`: the terminal's streams.
  PexLineEditor(const char* program, std::FILE* in, std::FILE* out, std::FILE* err);
  ~PexLineEditor();
  PexLineEditor(const PexLineEditor&) = delete;
  PexLineEditor& operator=(const PexLineEditor&) = delete;

  // The next line without its newline; false at the end of input (Ctrl+D).
  // Lines with text enter the history.
  bool ReadLine(const std::string& prompt, std::string& line);

 private:
  static char* Prompt(editline* editor);

  editline* editor_ = nullptr;
  struct history* history_ = nullptr;
  std::string prompt_;
};
