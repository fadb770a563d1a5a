#include "PexLineEditor.h"

#include <histedit.h>

namespace {
// Lines kept for recall; plenty for one session.
constexpr int kHistorySize = 1000;
}  // namespace

PexLineEditor::PexLineEditor(const char* program, std::FILE* in, std::FILE* out, std::FILE* err)
    : editor_(el_init(program, in, out, err)), history_(history_init()) {
  HistEvent event;
  history(history_, &event, H_SETSIZE, kHistorySize);
  history(history_, &event, H_SETUNIQUE, 1);
  el_set(editor_, EL_CLIENTDATA, this);
  el_set(editor_, EL_PROMPT, &PexLineEditor::Prompt);
  el_set(editor_, EL_EDITOR, "emacs");
  el_set(editor_, EL_HIST, history, history_);
  el_set(editor_, EL_SIGNAL, 1);
  el_source(editor_, nullptr);  // the person's ~/.editrc, when there is one
}

PexLineEditor::~PexLineEditor() {
  el_end(editor_);
  history_end(history_);
}

char* PexLineEditor::Prompt(editline* editor) {
  void* data = nullptr;
  el_get(editor, EL_CLIENTDATA, &data);
  return static_cast<PexLineEditor*>(data)->prompt_.data();
}

bool PexLineEditor::ReadLine(const std::string& prompt, std::string& line) {
  prompt_ = prompt;
  int count = 0;
  const char* read = el_gets(editor_, &count);
  if (!read || count <= 0) return false;
  line.assign(read, static_cast<std::size_t>(count));
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (line.find_first_not_of(" \t") != std::string::npos) {
    HistEvent event;
    history(history_, &event, H_ENTER, line.c_str());
  }
  return true;
}
