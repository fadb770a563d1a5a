#pragma once
// The base of the commands that fill the list behind a status button. One
// command exists per (activity, list button): the activity's subscriber
// (MoxIZitBltCBSubscriber) makes it from the configuration, the button rep
// activates it with itself as caller, and the command fills that rep:
// RemoveAllItems, AppendItem per item, DrawScrollList.
//
// A command hears the document's activity notifications through the
// subscriber of its activity, which passes on only those about that
// activity. When one concerns the list (HandleEvent), the list of that name
// is rebuilt on the activity and on each of its ancestors, each once.
#include "KivCommand.h"
#include "KivIDOMDocument.h"
#include "KivList.h"
#include "KivString.h"
#include "KivUnicodeString.h"

class MoxZitBltRep;
class MoxBaseScrollListZitBltRep;
class KivNotification;

class MoxBaseListZitBltCmd : public KivCommand {
  KIV_CLASS(MoxBaseListZitBltCmd, KivCommand, "MoxPexViewers")
 public:
  // `caller` a ZitBlt rep: the command serves that button from now on and
  // fills it. Any other caller: nothing. Returns 0.
  HRESULT Activate(KivCommand* caller, KivNotification* notification) override;

  // An activity notification about the owner (publisher, notification,
  // client data, as the host's callbacks pass them).
  virtual void OnActivityCallback(KivBaseUnknown* publisher, KivNotification* notification,
                                  void* data);
  // Rebuilds the list shown by `rep`; nothing for a null rep.
  virtual void UpdateZitbltData(MoxZitBltRep* rep) = 0;
  // Whether a notification of `kind` about `object` changes this list. The
  // base answers the kinds 3, 17, 18 and 29.
  virtual bool HandleEvent(int kind, KivBaseUnknown* object);
  // Whether the list shows items assigned to the activities that precede
  // the owner, so that their assignments concern it too.
  virtual bool ShowsItemsOfPrecedingActivities() const { return false; }

  const KivUnicodeString& GetZitBltName() const { return zitBltName_; }
  void SetZitBltName(const KivUnicodeString& name) { zitBltName_ = name; }
  // The activity whose list this is. Not held: the activity owns the
  // subscriber that owns the command.
  KivBaseUnknown* GetOwner() const { return owner_; }

  // The items (KivISPPItem) assigned to an activity, appended to `items`.
  static void GetFirstFirstAssignedItems(KivBaseUnknown* activity,
                                         KivListValKivBaseUnknown_var& items);
  // A user-defined attribute of the owner as text: a long or a double in
  // decimal, a string as it is; empty when the owner has no such attribute.
  KivUnicodeString GetAttributeValue(const KivUnicodeString& name) const;
  // The status-bar configuration file and its document, parsed once for all
  // list commands (empty while it is missing or malformed).
  static KivString GetConfigFile();
  static KivIDOMDocument_var GetUserDefinedAttributeDOMDoc();

 protected:
  // Parses the status-bar file unless it is parsed already.
  explicit MoxBaseListZitBltCmd(KivBaseUnknown* owner = nullptr);
  ~MoxBaseListZitBltCmd() override = default;
  // The list `rep` is, emptied (its button grey until rows come); null when
  // `rep` is no list. Every fill starts with it.
  static MoxBaseScrollListZitBltRep* EmptyList(MoxZitBltRep* rep);
  // The filter of the input lists: a product input link added or removed,
  // a product or assembly assigned or unassigned.
  static bool ChangesInputs(int kind, KivBaseUnknown* object);

 private:
  KivBaseUnknown* owner_ = nullptr;
  KivUnicodeString zitBltName_;
};
