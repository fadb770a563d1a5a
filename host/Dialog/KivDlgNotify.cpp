#include "KivDlgNotify.h"

#include "KivMessageLog.h"

int KivDlgNotify::DisplayBlocked(const KivUnicodeString& text, const KivUnicodeString& title) {
  text_ = text;
  SetTitle(title);
  const int answer = KivMessageLog::TakeAnswer(KivDlgNfyAnswerOK);
  KivMessageLog::Record({GetName(), GetStyle(), title, text, answer});
  return answer;
}
