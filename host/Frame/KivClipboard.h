#pragma once
// The application clipboard (clipboard type 0): the activities last copied
// and the document they belong to. Copying remembers the activities
// themselves; pasting makes new copies of them, so one copy can be pasted
// several times. Opening the clipboard (for writing) empties it; closing it
// keeps what it holds.
#include "KivList.h"
#include "KivProcessDocument.h"

class KivClipboard {
 public:
  static void Open();
  static void Close();
  static bool IsOpen();
  // Replaces the content (opening and closing the clipboard around it).
  static void Put(KivProcessDocument* document, const KivListValKivBaseUnknown_var& activities);
  static void Empty();
  // Activities that were deleted since they were copied are dropped.
  static KivListValKivBaseUnknown_var GetActivities();
  static KivProcessDocument* GetDocument();
  static bool IsEmpty() { return GetActivities().IsEmpty(); }
};
