#pragma once
// Trace modules: named channels of diagnostic lines. A module is registered
// once per process with a description and an output ("STDERR"); it writes
// only when switched on through the environment variable "KivTraces", a list
// of module names separated by commas, colons or blanks ("ALL" switches on
// every module).
#include <string>
#include <vector>

class KivTrace {
 public:
  // Registers the module, or joins the module of that name if it exists.
  KivTrace(const char* name, const char* description, const char* output = "STDERR");
  ~KivTrace();
  KivTrace(const KivTrace&) = delete;
  KivTrace& operator=(const KivTrace&) = delete;

  const std::string& Name() const { return name_; }
  bool IsActive() const;
  // Writes one line "[module] text" when active.
  void Write(const std::string& text) const;
  // printf-style.
  void Print(const char* format, ...) const __attribute__((format(printf, 2, 3)));

  struct Module {
    std::string name;
    std::string description;
    std::string output;
  };
  // Every module registered in the process, in registration order.
  static std::vector<Module> RegisteredModules();
  // Re-reads "KivTraces"; tests call it after changing the environment.
  static void ReloadActivation();

 private:
  std::string name_;
};

// The entry and exit lines of one operation: "<operation> -->" when made,
// "<operation> <--" when it goes out of scope, on every way out.
//
//   KivTraceScope trace(MoxZitBltModelTrace(), "MoxEZitBltMgr::Init");
class KivTraceScope {
 public:
  KivTraceScope(const KivTrace& trace, const char* operation)
      : trace_(trace), operation_(operation) {
    trace_.Print("%s -->", operation_);
  }
  ~KivTraceScope() { trace_.Print("%s <--", operation_); }
  KivTraceScope(const KivTraceScope&) = delete;
  KivTraceScope& operator=(const KivTraceScope&) = delete;

 private:
  const KivTrace& trace_;
  const char* operation_;
};
