#pragma once
// The status buttons of one activity: a data extension of "PhysicalActivity"
// that builds the buttons configured for the activity's type (once, from the
// shared configuration document), draws them around the activity's PERT node,
// follows the node when it moves or changes size, shows and hides them by
// name, and has the list commands refresh them. It owns its button reps.
#include "KivExtension.h"
#include "KivHashDico.h"
#include "MoxIZitBltMgr.h"

class MoxIZitBltCBSubscriber;

class MoxEZitBltMgr : public KivExtend<KivExtension, MoxIZitBltMgr> {
  KIV_CLASS(MoxEZitBltMgr, KivExtension, "MoxPexViewers")
 public:
  MoxEZitBltMgr();

  int Init(KivViewer* viewer) override;
  HRESULT GetAllZitBlts(KivListValKivUnicodeString** names) override;
  HRESULT SetZitBltStatus(const KivUnicodeString& name, unsigned char status) override;
  HRESULT GetZitBltStatus(const KivUnicodeString& name, unsigned char& status) override;
  HRESULT FindZitBlt(const KivUnicodeString& name, MoxZitBltRep** rep) override;
  int Remove() override;
  void UpdatePositions() override;
  void UpdateZitBltReps(const KivUnicodeString& name) override;
  unsigned char GetDomDocument(KivVar<KivIDOMDocument>& document) override;
  void UpdateAllZitBltReps() override;
  MoxIZitBltButton_var GetZitBltButton(const KivUnicodeString& name) override;

  // Places one button at its location around the node box of centre (x, y)
  // and size (w, h), and sets its drag limits to that box.
  static void PositionBtn(MoxZitBltRep* rep, double x, double y, double w, double h);

  bool IsInitialised() const { return initialised_; }
  // The node box of the last placement.
  void GetNodeBox(double& x, double& y, double& w, double& h) const;

 protected:
  ~MoxEZitBltMgr() override;

 private:
  void InitializeData();
  void DeleteButtons();
  KivVar<MoxIZitBltCBSubscriber> GetSubscriber();
  // Refreshes the button of that name through its list command; false when
  // the activity has no such command.
  bool RefreshThroughCommand(const KivUnicodeString& name);

  bool initialised_ = false;
  KivHashDico<MoxZitBltRep*> buttons_{10};
  unsigned char allStatus_ = 1;
  double nodeX_ = 0.0;
  double nodeY_ = 0.0;
  double nodeW_ = 0.0;
  double nodeH_ = 0.0;
  // Whether the node box above has been read from the node at least once:
  // a node may well sit at (0, 0).
  bool placed_ = false;
};
