#pragma once
// A unit of changes of a process document that stands or falls as a whole.
// Opening a unit records the state of every object of the document; when the
// unit is rolled back (explicitly, or by its end without Commit) every object
// gets its fields back, deleted objects come back with the same identity
// (handles held elsewhere stay valid), objects made inside the unit are
// detached, and the views hear it: kind 8 for each activity made inside the
// unit, then kind 3 for each activity whose children or precedence links
// changed. Recording is linear in the size of the document.
//
//   KivDocumentChangeUnit unit(document);
//   if (!BuildEverything() || unit.HasFailedChanges()) unit.Rollback();
//   else unit.Commit();
#include <memory>

#include "KivProcessDocument.h"

class KivDocumentChangeUnit {
 public:
  explicit KivDocumentChangeUnit(KivProcessDocument* document);
  ~KivDocumentChangeUnit();
  KivDocumentChangeUnit(const KivDocumentChangeUnit&) = delete;
  KivDocumentChangeUnit& operator=(const KivDocumentChangeUnit&) = delete;

  // Keeps the changes; the unit forgets what it recorded.
  void Commit();
  // Puts the document back as it was when the unit opened (once).
  void Rollback();
  // True when a change of the document was refused since the unit opened.
  bool HasFailedChanges() const;

 private:
  struct Record;
  static void Forget(class KivSPPFlowNode* node);
  static void Forget(class KivSPPItemBase* item);
  KivVar<KivProcessDocument> document_;
  int failedAtStart_ = 0;
  std::unique_ptr<Record> record_;
};
