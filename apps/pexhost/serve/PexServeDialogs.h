#pragma once
// What the page draws as forms: the dialog windows shown to the user, each
// as a tree of its widgets with what a person sees and can change (text,
// lines and selection, check state, sensitivity, OK and Cancel), and the
// contextual menu while one is open. The page drives them back through the
// script steps that name the dialog and the widget (type, select, check,
// activate, ok, cancel, close, choose).
#include <nlohmann/json.hpp>

class KivDialog;

class PexServeDialogs {
 public:
  // The shown dialog windows, oldest first (the last one is on top).
  static nlohmann::json Shown();
  // One dialog object and everything inside it.
  static nlohmann::json Widget(KivDialog& widget);
  // The open contextual menu's items, or null.
  static nlohmann::json OpenMenu();
};
