#pragma once
// A text field. SetText is the program's change and sends nothing; Type is
// the user's edit and sends the edit-modify notification.
#include "KivDialog.h"

class KivDlgEditor : public KivDialog {
  KIV_CLASS(KivDlgEditor, KivDialog, "Dialog")
 public:
  KivDlgEditor(KivDialog* parent, const KivString& name, KivDlgStyle style = 0)
      : KivDialog(parent, name, style) {}

  void SetText(const KivUnicodeString& text) { text_ = text; }
  const KivUnicodeString& GetText() const { return text_; }
  KivNotification* GetEditModifyNotification() {
    return NotificationOf<KivDlgEditModifyNotification>();
  }
  // Replaces the text as the user would; false when the field is not
  // reachable (hidden or insensitive).
  bool Type(const KivUnicodeString& text);

 protected:
  ~KivDlgEditor() override = default;

 private:
  KivUnicodeString text_;
};
