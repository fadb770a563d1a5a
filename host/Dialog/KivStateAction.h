#pragma once
// What a transition does and when it may fire. Both are small values that
// wrap a member function of the command through a pointer:
//   Action(this, &MyCmd::Apply)            bool (MyCmd::*)(void* data)
//   Condition(this, &MyCmd::IsReady)       bool (MyCmd::*)(void* data)
#include <functional>
#include <utility>

class KivStateAction {
 public:
  using Method = std::function<bool(void*)>;
  KivStateAction() = default;
  KivStateAction(Method run, Method undo = {}, Method redo = {}, void* data = nullptr)
      : run_(std::move(run)), undo_(std::move(undo)), redo_(std::move(redo)), data_(data) {}

  explicit operator bool() const { return static_cast<bool>(run_); }
  bool Run() const { return run_ ? run_(data_) : true; }
  bool HasUndo() const { return static_cast<bool>(undo_); }
  bool HasRedo() const { return static_cast<bool>(redo_); }
  bool Undo() const { return undo_ ? undo_(data_) : false; }
  bool Redo() const { return redo_ ? redo_(data_) : false; }

 private:
  Method run_, undo_, redo_;
  void* data_ = nullptr;
};

class KivStateCondition {
 public:
  using Test = std::function<bool()>;
  KivStateCondition() = default;
  explicit KivStateCondition(Test test) : test_(std::move(test)) {}
  explicit operator bool() const { return static_cast<bool>(test_); }
  bool Evaluate() const { return !test_ || test_(); }

 private:
  Test test_;
};

// Wraps an optional member function; an empty method pointer gives an empty function.
template <class Cmd>
std::function<bool(void*)> KivBindStateMethod(Cmd* self, bool (Cmd::*method)(void*)) {
  if (!self || !method) return {};
  return [self, method](void* data) { return (self->*method)(data); };
}
