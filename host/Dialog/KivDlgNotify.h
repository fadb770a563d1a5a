#pragma once
// A notification window: a message with a title, shown blocking. The message
// goes to the host's message log (KivMessageLog) with the window's name and
// style; DisplayBlocked returns the answer at once.
#include "KivDlgWindow.h"

// Style bits: the kind of message and the buttons offered.
inline constexpr KivDlgStyle KivDlgNfyError = 0x10000000;
inline constexpr KivDlgStyle KivDlgNfyOKButton = 0x200;
// A modal error with one acknowledge button (0x10000200).
inline constexpr KivDlgStyle KivDlgNfyErrorOK = KivDlgNfyError | KivDlgNfyOKButton;

// Answers (buttons).
inline constexpr int KivDlgNfyAnswerOK = 1;
inline constexpr int KivDlgNfyAnswerCancel = 2;

class KivDlgNotify : public KivDlgWindow {
  KIV_CLASS(KivDlgNotify, KivDlgWindow, "Dialog")
 public:
  KivDlgNotify(KivDialog* parent, const KivString& name, KivDlgStyle style = KivDlgNfyError)
      : KivDlgWindow(parent, name, style) {}

  // Records the message and returns the answer (OK unless a script queued
  // another). The text and title stay readable on the window.
  int DisplayBlocked(const KivUnicodeString& text, const KivUnicodeString& title);
  const KivUnicodeString& GetText() const { return text_; }

 protected:
  ~KivDlgNotify() override = default;

 private:
  KivUnicodeString text_;
};
