#include "KivMessageLog.h"

namespace {
std::vector<KivLoggedMessage>& Messages() {
  static std::vector<KivLoggedMessage> messages;
  return messages;
}
std::deque<int>& Answers() {
  static std::deque<int> answers;
  return answers;
}
}  // namespace

void KivMessageLog::Record(const KivLoggedMessage& message) { Messages().push_back(message); }
std::vector<KivLoggedMessage> KivMessageLog::GetMessages() { return Messages(); }
int KivMessageLog::Count() { return static_cast<int>(Messages().size()); }
KivLoggedMessage KivMessageLog::Last() {
  return Messages().empty() ? KivLoggedMessage{} : Messages().back();
}
void KivMessageLog::Clear() { Messages().clear(); }

void KivMessageLog::QueueAnswer(int answer) { Answers().push_back(answer); }
int KivMessageLog::TakeAnswer(int fallback) {
  if (Answers().empty()) return fallback;
  const int answer = Answers().front();
  Answers().pop_front();
  return answer;
}
void KivMessageLog::ClearAnswers() { Answers().clear(); }
