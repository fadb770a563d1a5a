#pragma once
// A Xerces memory manager with a ceiling on the bytes the parser holds at
// once. The parser builds an attribute value, or text, in one buffer that
// grows as entity references expand; counting bytes as they are allocated
// stops a value built from a large entity used many times long before it
// reaches gigabytes, which counting references or finished values cannot.
#include <cstddef>
#include <xercesc/framework/MemoryManager.hpp>

class KivXMLBudgetMemory : public XERCES_CPP_NAMESPACE::MemoryManager {
 public:
  explicit KivXMLBudgetMemory(std::size_t budget) : budget_(budget) {}
  // Frees whatever the parser still holds: after an out-of-memory unwind
  // Xerces does not release everything itself.
  ~KivXMLBudgetMemory() override;
  KivXMLBudgetMemory(const KivXMLBudgetMemory&) = delete;
  KivXMLBudgetMemory& operator=(const KivXMLBudgetMemory&) = delete;

  // Throws Xerces' OutOfMemoryException, which the parser is built to
  // unwind from, once the bytes held would pass the budget.
  void* allocate(XMLSize_t size) override;
  void deallocate(void* p) override;
  // Exceptions are built outside the budget so that the refusal itself can
  // be reported.
  XERCES_CPP_NAMESPACE::MemoryManager* getExceptionMemoryManager() override;

  bool Exceeded() const { return exceeded_; }
  std::size_t Budget() const { return budget_; }

 private:
  struct alignas(std::max_align_t) Block {
    Block* previous;
    Block* next;
    std::size_t size;
  };

  std::size_t budget_;
  Block* blocks_ = nullptr;  // all blocks held, most recent first
  std::size_t held_ = 0;
  bool exceeded_ = false;
};
