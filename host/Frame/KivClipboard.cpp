#include "KivClipboard.h"

#include "KivISPPActivity.h"

namespace {
struct Content {
  KivVar<KivProcessDocument> document;
  KivListValKivBaseUnknown_var activities;
  bool open = false;
};
Content& TheClipboard() {
  static Content content;
  return content;
}
}  // namespace

void KivClipboard::Open() {
  Empty();
  TheClipboard().open = true;
}

void KivClipboard::Close() { TheClipboard().open = false; }

bool KivClipboard::IsOpen() { return TheClipboard().open; }

void KivClipboard::Put(KivProcessDocument* document,
                       const KivListValKivBaseUnknown_var& activities) {
  Open();
  TheClipboard().document = document;
  TheClipboard().activities = activities;
  Close();
}

void KivClipboard::Empty() {
  TheClipboard().document = NULL_var;
  TheClipboard().activities.RemoveAll();
}

KivListValKivBaseUnknown_var KivClipboard::GetActivities() {
  KivListValKivBaseUnknown_var alive;
  for (const auto& held : TheClipboard().activities) {
    KivISPPActivity_var activity = held;
    if (activity && activity->IsAttached()) alive.Append(held);
  }
  return alive;
}

KivProcessDocument* KivClipboard::GetDocument() { return TheClipboard().document.get(); }
