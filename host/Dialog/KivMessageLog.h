#pragma once
// The host's log of the messages shown to the user in notification windows.
// There is no screen: a blocking message is recorded here and answered at
// once, with the answer a script queued beforehand or the first button.
#include <deque>
#include <vector>

#include "KivString.h"
#include "KivUnicodeString.h"

struct KivLoggedMessage {
  KivString dialogName;
  long style = 0;
  KivUnicodeString title;
  KivUnicodeString text;
  int answer = 0;
};

class KivMessageLog {
 public:
  static void Record(const KivLoggedMessage& message);
  static std::vector<KivLoggedMessage> GetMessages();
  static int Count();
  // The last message, or an empty one.
  static KivLoggedMessage Last();
  static void Clear();

  // The answer given to the next blocking message (FIFO).
  static void QueueAnswer(int answer);
  // Takes the next queued answer, or `fallback` when none is queued.
  static int TakeAnswer(int fallback);
  static void ClearAnswers();
};
