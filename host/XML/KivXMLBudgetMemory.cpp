#include "KivXMLBudgetMemory.h"

#include <cstdlib>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>

XERCES_CPP_NAMESPACE_USE

KivXMLBudgetMemory::~KivXMLBudgetMemory() {
  while (blocks_) deallocate(blocks_ + 1);
}

void* KivXMLBudgetMemory::allocate(XMLSize_t size) {
  if (size > budget_ - held_) {
    exceeded_ = true;
    throw OutOfMemoryException();
  }
  auto* block = static_cast<Block*>(std::malloc(sizeof(Block) + size));
  if (!block) throw OutOfMemoryException();
  *block = Block{nullptr, blocks_, size};
  if (blocks_) blocks_->previous = block;
  blocks_ = block;
  held_ += size;
  return block + 1;
}

void KivXMLBudgetMemory::deallocate(void* p) {
  if (!p) return;
  Block* block = static_cast<Block*>(p) - 1;
  if (block->previous)
    block->previous->next = block->next;
  else
    blocks_ = block->next;
  if (block->next) block->next->previous = block->previous;
  held_ -= block->size;
  std::free(block);
}

MemoryManager* KivXMLBudgetMemory::getExceptionMemoryManager() {
  return XMLPlatformUtils::fgMemoryManager;
}
