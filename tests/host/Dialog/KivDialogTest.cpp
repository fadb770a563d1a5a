// Dialog widgets and boxes; commands pass notifications up to their fathers;
// the selection (CSO) holds paths to picked objects and reports each change;
// state commands pick through agents and filters, act and end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KivCSO.h"
#include "KivCSOChangeNotification.h"
#include "KivCommand.h"
#include "KivCommandStarter.h"
#include "KivCreationDictionary.h"
#include "KivDlgCheckButton.h"
#include "KivDlgCombo.h"
#include "KivDlgDialog.h"
#include "KivDlgEditor.h"
#include "KivDlgFrame.h"
#include "KivDlgNotify.h"
#include "KivDlgPushItem.h"
#include "KivIPathAccess.h"
#include "KivImplement.h"
#include "KivLeakCheck.h"
#include "KivMessageLog.h"
#include "KivStateCommand.h"

namespace {

inline constexpr IID IID_TstIActivity = KivGUID::FromName("TstIActivity");
class TstIActivity : public virtual KivBaseUnknown {
  KIV_INTERFACE(TstIActivity)
 public:
  virtual const KivString& GetLabel() const = 0;
};

class TstActivity : public KivImplement<TstIActivity> {
  KIV_CLASS(TstActivity, KivBaseUnknown, "Tests")
 public:
  explicit TstActivity(KivString label) : label_(std::move(label)) {}
  const KivString& GetLabel() const override { return label_; }

 private:
  KivString label_;
};

class TstThing : public KivImplement<> {
  KIV_CLASS(TstThing, KivBaseUnknown, "Tests")
};

inline KivString LabelOf(KivBaseUnknown* object) {
  KivVar<TstIActivity> activity = object;
  return activity ? activity->GetLabel() : KivString("<none>");
}

// One path element per object, as a pick event or a selection hands them over.
inline KivListValKivBaseUnknown_var PathsOf(std::initializer_list<KivBaseUnknown*> objects) {
  KivListValKivBaseUnknown_var paths;
  for (KivBaseUnknown* o : objects) paths.Append(KivBaseUnknown_var(KivMake<KivPathElement>(o)));
  return paths;
}

// A main window holding a hidden box, the current selection and three
// pickable activities; the framework's globals are restored after each test
// and every component made in it must be gone at its end.
class DialogTest : public LeakCheckedTest {
 protected:
  void SetUp() override {
    LeakCheckedTest::SetUp();
    KivMessageLog::Clear();
    KivMessageLog::ClearAnswers();
    main_ = KivMake<KivDlgDocument>("Main");
    box_ = new KivDlgDialog(main_, "Box");
    cso_ = KivMake<KivCSO>();
    KivCSO::SetCurrent(cso_);
    a_ = KivMake<TstActivity>("A");
    b_ = KivMake<TstActivity>("B");
    c_ = KivMake<TstActivity>("C");
  }
  void TearDown() override {
    KivCommandStarter::CancelAll();
    KivCSO::SetCurrent(nullptr);
    KivMessageLog::Clear();
    KivMessageLog::ClearAnswers();
    main_ = NULL_var;
    cso_ = NULL_var;
    a_ = b_ = c_ = NULL_var;
    ExpectNoLeak();
  }
  KivVar<KivDlgDocument> main_;
  KivDlgDialog* box_ = nullptr;
  KivVar<KivCSO> cso_;
  KivVar<TstActivity> a_, b_, c_;
};

// (A dialog's "All" button and its name buttons set each other's state: the
// chain ends because a button already in the state announces nothing.)
TEST_F(DialogTest, CheckButtonAnnouncesOnlyAChangeItWasAskedTo) {
  auto* one = new KivDlgCheckButton(new KivDlgFrame(box_, "ZitBlts", 1), "One");
  int heard = 0;
  box_->AddAnalyseNotificationCB(one, one->GetChkBModifyNotification(),
                                 [&](KivCommand*, KivNotification*, void*) { ++heard; });
  EXPECT_EQ(one->SetState(KivDlgUncheck, true), S_FALSE) << "already unchecked";
  EXPECT_EQ(one->SetState(KivDlgCheck, true), S_OK);
  EXPECT_EQ(one->SetState(KivDlgUncheck, false), S_OK);
  EXPECT_EQ(heard, 1) << "no notification when asked for none";
  EXPECT_EQ(one->SetState(0x1234), E_INVALIDARG);
  EXPECT_FALSE(one->Check(true)) << "the box is hidden: the user cannot reach it";
  box_->SetVisibility(KivDlgShow);
  EXPECT_TRUE(one->Check(true));
  EXPECT_TRUE(one->IsChecked());
  EXPECT_EQ(heard, 2);
}

TEST_F(DialogTest, CombosKeepLinesAndSelection) {
  box_->SetVisibility(KivDlgShow);
  auto* combo = new KivDlgCombo(box_, "ComboCycleTime", 0x40000);
  EXPECT_EQ(combo->GetSelect(), -1);
  EXPECT_EQ(combo->GetSelectedLine(), KivUnicodeString()) << "no line: the empty text";
  combo->SetLine("children", -1, 0x40);
  combo->SetLine("parent", -1, 0x40);
  EXPECT_EQ(combo->GetLineCount(), 2);
  EXPECT_EQ(combo->GetSelectedLine(), KivUnicodeString("children")) << "first 0x40 line";
  EXPECT_EQ(combo->SetLine("x", 5, 0), -1) << "position out of range";
  int selections = 0;
  box_->AddAnalyseNotificationCB(combo, combo->GetComboSelectNotification(),
                                 [&](KivCommand*, KivNotification*, void*) { ++selections; });
  EXPECT_TRUE(combo->ChooseLine("parent"));
  EXPECT_FALSE(combo->ChooseLine("grandparent"));
  EXPECT_EQ(combo->GetSelectedLine(), KivUnicodeString("parent"));
  EXPECT_EQ(selections, 1);
  combo->ClearLine();
  EXPECT_EQ(combo->GetLineCount(), 0);
  EXPECT_EQ(combo->GetSelect(), -1);
  EXPECT_FALSE(combo->SetSelect(0)) << "no line left to select";
}

TEST_F(DialogTest, EditorAnnouncesUserEditsOnlyInAShownSensitiveField) {
  auto* editor = new KivDlgEditor(box_, "EditorActivityName");
  int edits = 0;
  box_->AddAnalyseNotificationCB(editor, editor->GetEditModifyNotification(),
                                 [&](KivCommand*, KivNotification*, void*) { ++edits; });
  editor->SetText("GroupActivity");
  EXPECT_FALSE(editor->Type("")) << "hidden box";
  box_->SetVisibility(KivDlgShow);
  EXPECT_TRUE(editor->Type("\xC3\xA9"));
  EXPECT_EQ(edits, 1) << "a text set by the program is no edit";
  editor->SetSensitivity(false);
  EXPECT_FALSE(editor->Type("x")) << "insensitive field";
  EXPECT_EQ(box_->SetVisibility(3), E_INVALIDARG);
  EXPECT_EQ(box_->GetVisibility(), KivDlgShow);
}

TEST_F(DialogTest, WidgetsBelongToTheirParentAndDieWithIt) {
  const long before = KivBaseUnknown::LiveInstances();
  auto* frame = new KivDlgFrame(box_, "FrameActivityDlg", 0x80001);
  auto* label = new KivDlgLabel(frame, "EnterActivityName");
  EXPECT_EQ(main_->FindChild("EnterActivityName"), label);
  EXPECT_EQ(label->GetFather(), frame) << "the parent is the father command";
  box_->RequestDelayedDestruction();
  box_->RequestDelayedDestruction();  // a second request must not release twice
  EXPECT_EQ(main_->GetChildCount(), 0) << "out of its parent at once";
  EXPECT_FALSE(box_->IsVisible());
  KivDelayedDestruction::Flush();
  EXPECT_EQ(KivBaseUnknown::LiveInstances(), before - 1) << "children die with their parent";

  // A box whose parent died first is released by its last holder only.
  auto* orphan = new KivDlgDialog(main_, "Orphan");
  KivVar<KivDlgDialog> holder(orphan);  // e.g. a dialog agent watching the box
  main_ = NULL_var;
  EXPECT_EQ(orphan->GetParent(), nullptr);
  orphan->RequestDelayedDestruction();  // the owner is gone: nothing to release
  KivDelayedDestruction::Flush();
  EXPECT_EQ(orphan->RefCount(), 1u) << "only the holder's reference is left";
}

// (What a pushed item tells its father, the plug-in's scroll list menu test
// shows.)
TEST_F(DialogTest, ContextualMenuItemsAreDestroyedLater) {
  auto* menu = new KivDlgContextualMenu(main_, "Context");
  new KivDlgPushItem(menu, "HideShowScrollBar");
  new KivDlgPushItem(menu, "Other");
  menu->RemoveAllItems();
  EXPECT_EQ(menu->GetChildCount(), 0);
  EXPECT_EQ(KivDelayedDestruction::Pending(), 2u) << "released after the user event";
  KivDelayedDestruction::Flush();
}

TEST_F(DialogTest, NotificationWindowsGoToTheMessageLog) {
  auto* notify = new KivDlgNotify(main_, "Unexpected", 0x10000000);
  EXPECT_EQ(notify->DisplayBlocked("No ZitBlts Present", "Error"), KivDlgNfyAnswerOK);
  KivMessageLog::QueueAnswer(KivDlgNfyAnswerCancel);
  EXPECT_EQ(notify->DisplayBlocked("Again", "Error"), KivDlgNfyAnswerCancel) << "as queued";
  EXPECT_EQ(KivMessageLog::Last().answer, KivDlgNfyAnswerCancel);
}

class TstPing : public KivNotification {
  KIV_CLASS(TstPing, KivNotification, "Tests")
};

TEST_F(DialogTest, NotificationsTravelUpTheFathersUntilHandledAndListenersHearTheSender) {
  auto top = KivMake<KivCommand>(nullptr, "top");
  auto middle = KivMake<KivCommand>(top.get(), "middle");
  auto leaf = KivMake<KivCommand>(middle.get(), "leaf");
  auto ping = KivMake<TstPing>();
  std::vector<std::string> heard;
  top->AddAnalyseNotificationCB(leaf, ping.get(), [&](KivCommand* sender, KivNotification*, void*) {
    heard.push_back("top<-" + sender->GetName().str());
  });
  EXPECT_EQ(leaf->SendNotification(nullptr, ping), 1);
  EXPECT_EQ(heard, (std::vector<std::string>{"top<-leaf"}));
  const auto id = middle->AddAnalyseNotificationCB(
      nullptr, "TstPing", [&](KivCommand*, KivNotification*, void*) { heard.push_back("middle"); });
  leaf->SendNotification(nullptr, ping);
  EXPECT_EQ(heard.back(), "middle") << "the nearest father that handles it stops it";
  EXPECT_EQ(heard.size(), 2u);
  EXPECT_TRUE(middle->RemoveAnalyseNotificationCB(id));
  EXPECT_EQ(top->RemoveAnalyseNotificationCB(leaf, "TstPing"), 1);
  EXPECT_EQ(leaf->SendNotification(nullptr, ping), 0);

  // Listeners hear the sender itself, and a father that died is forgotten.
  int listened = 0;
  const auto listener =
      leaf->AddNotificationListener("TstPing", [&](KivCommand*, KivNotification*) { ++listened; });
  top = middle = NULL_var;
  EXPECT_EQ(leaf->GetFather(), nullptr) << "the father died first";
  EXPECT_EQ(leaf->SendNotification(nullptr, ping), 1);
  EXPECT_EQ(listened, 1);
  EXPECT_TRUE(leaf->RemoveNotificationListener(listener));
  EXPECT_EQ(leaf->SendNotification(nullptr, ping), 0);
}

std::string Labels(const KivListValKivBaseUnknown_var& paths) {
  std::string out;
  for (const auto& p : paths) out += LabelOf(KivAsPathElement(p.get())->GetLeaf()).str();
  return out;
}

TEST_F(DialogTest, ChangeNotificationsCarryAddedAndRemovedElements) {
  std::vector<std::string> heard;
  AddCallback(cso_, "KivCSOChangeNotification", [&](KivBaseUnknown*, KivNotification* n, void*) {
    auto* change = dynamic_cast<KivCSOChangeNotification*>(n);
    ASSERT_NE(change, nullptr);
    heard.push_back("+" + Labels(change->GetAddedElements()) + " -" +
                    Labels(change->GetRemovedElements()));
  });
  EXPECT_TRUE(cso_->AddElements(PathsOf({a_, b_})));
  EXPECT_FALSE(cso_->AddElement(KivMake<KivPathElement>(a_.get()))) << "already selected";
  EXPECT_TRUE(cso_->RemoveElement(KivMake<KivPathElement>(a_.get())));
  EXPECT_FALSE(cso_->RemoveElement(KivMake<KivPathElement>(a_.get())));
  EXPECT_TRUE(cso_->AddElement(KivMake<KivPathElement>(a_.get())));
  EXPECT_TRUE(cso_->Empty());
  EXPECT_FALSE(cso_->Empty()) << "emptying an empty set changes nothing";
  EXPECT_EQ(heard, (std::vector<std::string>{"+AB -", "+ -A", "+A -", "+ -BA"}));
}

// An object that knows its own path.
class TstNested : public KivImplement<KivIPathAccess> {
  KIV_CLASS(TstNested, KivBaseUnknown, "Tests")
 public:
  explicit TstNested(KivBaseUnknown* parent) : parent_(parent) {}
  KivPathElement_var GetPathElement() override {
    auto path = KivMake<KivPathElement>(parent_.get());
    path->AddChildElement(this);
    return path;
  }

 private:
  KivBaseUnknown_var parent_;
};

TEST_F(DialogTest, PathsAreTheSameWhenTheirObjectsAreAndObjectsMayKnowTheirPath) {
  auto root = KivMake<TstActivity>("R"), a = KivMake<TstActivity>("A");
  auto underRoot = KivMake<KivPathElement>(root.get());
  underRoot->AddChildElement(a);
  auto alone = KivMake<KivPathElement>(a.get());
  EXPECT_FALSE(underRoot->IsSamePath(alone)) << "same leaf, other context";
  EXPECT_EQ(underRoot->GetLeaf(), a.get());
  EXPECT_EQ(underRoot->GetFatherElement(), root.get());
  EXPECT_EQ(underRoot->GetElement(3), nullptr);
  auto cso = KivMake<KivCSO>();
  cso->AddElement(underRoot);
  cso->AddElement(alone);
  EXPECT_EQ(cso->GetSize(), 2);
  EXPECT_TRUE(cso->RemoveElementsOf(a)) << "removal by object takes every path of it";
  EXPECT_TRUE(cso->IsEmpty());
  EXPECT_EQ(underRoot->SearchObject("TstIActivity"), a.get()) << "search starts at the leaf";
  EXPECT_EQ(underRoot->SearchObject("KivIPathAccess"), nullptr);

  auto nested = KivMake<TstNested>(root.get());
  KivPathElement_var path = KivBuildPathElement(nested);
  ASSERT_TRUE(path);
  EXPECT_EQ(path->GetSize(), 2);
  EXPECT_EQ(path->GetRoot(), root.get());
  EXPECT_EQ(KivBuildPathElement(root)->GetSize(), 1);
  EXPECT_FALSE(KivBuildPathElement(nullptr));
}

using Actions = std::vector<std::vector<std::string>>;

// An exclusive (unless told otherwise) command with one agent "Activity"
// restricted to TstIActivity, a filter refusing the labels listed in
// `refused`, and one transition to the end. Given a main
// window, it shows a box instead: OK ends the command with the action,
// Cancel and window close end it without one, and the activity agent
// accumulates picks meanwhile.
class TstPickCmd : public KivStateCommand {
  KIV_CLASS(TstPickCmd, KivStateCommand, "Tests")
 public:
  explicit TstPickCmd(KivAgentBehavior agentFlags, KivDlgWindow* mainWindow = nullptr,
                      int mode = KivCommandExclusive)
      : KivStateCommand("TstPickCmd", mode, 0), agentFlags_(agentFlags), mainWindow_(mainWindow) {}

  void BuildGraph() override {
    agent_ = new KivPathElementAgent("Activity");
    agent_->SetElementType("TstIActivity");
    AddCSOClient(agent_);
    agent_->SetBehavior(agentFlags_);
    agent_->SetFilter(Filter(this, &TstPickCmd::IsAccepted));
    KivDialogState* start = GetInitialState("SelectActivity");
    start->AddDialogAgent(agent_);
    if (!mainWindow_) {
      AddTransition(start, nullptr, Action(this, &TstPickCmd::Act));
      return;
    }
    dialog_ = new KivDlgDialog(mainWindow_, "TstPickDlg");
    dialog_->SetFather(this);
    dialog_->SetVisibility(KivDlgShow);
    ok_ = new KivDialogAgent("OK");
    cancel_ = new KivDialogAgent("Cancel");
    ok_->AcceptOnNotify(dialog_, dialog_->GetDiaOKNotification());
    cancel_->AcceptOnNotify(dialog_, dialog_->GetWindCloseNotification());
    cancel_->AcceptOnNotify(dialog_, dialog_->GetDiaCANCELNotification());
    start->AddDialogAgent(ok_);
    start->AddDialogAgent(cancel_);
    AddTransition(start, nullptr, IsOutputSetCondition(cancel_));
    AddTransition(start, nullptr, IsOutputSetCondition(ok_), Action(this, &TstPickCmd::Act));
  }

  bool IsAccepted(KivDialogAgent* agent, void*) {
    ++filterCalls;
    auto* pathAgent = dynamic_cast<KivPathElementAgent*>(agent);
    const KivString label = LabelOf(pathAgent ? pathAgent->GetElementValue() : nullptr);
    for (const auto& r : refused)
      if (label == r) return false;
    return true;
  }

  bool Act(void*) {
    std::vector<std::string> labels;
    for (const auto& value : agent_->GetListOfValues())
      labels.push_back(LabelOf(KivAsPathElement(value.get())->GetLeaf()).str());
    actions.push_back(labels);
    return true;
  }

  KivPathElementAgent* agent_ = nullptr;
  std::vector<std::string> refused;
  int filterCalls = 0;
  Actions actions;
  KivDlgDialog* dialog_ = nullptr;

 protected:
  ~TstPickCmd() override {
    for (KivBaseUnknown* owned :
         std::initializer_list<KivBaseUnknown*>{agent_, ok_, cancel_, dialog_})
      if (owned) owned->RequestDelayedDestruction();
  }

 private:
  KivAgentBehavior agentFlags_;
  KivDlgWindow* mainWindow_;
  KivDialogAgent* ok_ = nullptr;
  KivDialogAgent* cancel_ = nullptr;
};

TEST_F(DialogTest, PicksThroughFilterActsOnceAndEnds) {
  auto thing = KivMake<TstThing>();
  auto cmd = KivMake<TstPickCmd>(KivAgentPickOne);
  cmd->refused = {"A"};
  ASSERT_TRUE(KivCommandStarter::StartInstance(cmd));
  EXPECT_EQ(KivCommandStarter::GetActiveStateCommand(), cmd.get());
  EXPECT_EQ(cmd->GetCurrentState()->GetName(), "SelectActivity");

  EXPECT_EQ(cmd->OfferPicks(PathsOf({thing})), 0) << "not of the element type";
  EXPECT_EQ(cmd->filterCalls, 0) << "the element type is checked before the filter";
  EXPECT_EQ(cmd->OfferPicks(PathsOf({a_})), 0) << "refused by the filter";
  EXPECT_EQ(cmd->filterCalls, 1);
  EXPECT_FALSE(cmd->agent_->IsValued());
  EXPECT_EQ(cso_->GetSize(), 0) << "a refused pick stays out of the selection";

  EXPECT_EQ(cmd->OfferPicks(PathsOf({b_})), 1);
  EXPECT_EQ(cmd->actions, (Actions{{"B"}}));
  EXPECT_TRUE(cmd->IsEnded());
  EXPECT_FALSE(cmd->WasCancelled());
  EXPECT_FALSE(cmd->IsActive());
  EXPECT_TRUE(cso_->ContainsObject(b_)) << "the agent is a client of the selection";
  EXPECT_EQ(KivCommandStarter::GetActiveStateCommand(), nullptr);
  EXPECT_EQ(cmd->OfferPicks(PathsOf({b_})), 0) << "an ended command takes nothing";
  EXPECT_EQ(cmd->actions.size(), 1u);
  // The starter's reference goes through delayed destruction.
  EXPECT_EQ(cmd->RefCount(), 2u);
  KivDelayedDestruction::Flush();
  EXPECT_EQ(cmd->RefCount(), 1u);
}

TEST_F(DialogTest, PathAgentReplacesOrTakesBackValuesByBehaviour) {
  auto agent = KivMake<KivPathElementAgent>("Single");
  agent->SetBehavior(KivAgentPickOne);
  auto pa = KivMake<KivPathElement>(a_.get()), pb = KivMake<KivPathElement>(b_.get());
  using Result = KivPathElementAgent::PickResult;
  EXPECT_EQ(agent->OfferPick(pa), Result::Accepted);
  EXPECT_EQ(agent->OfferPick(pb), Result::Accepted);
  EXPECT_EQ(agent->GetListOfValues().Size(), 1);
  EXPECT_EQ(agent->GetElementValue(), b_.get());
  EXPECT_EQ(agent->OfferPick(pb), Result::Accepted)
      << "picking the held element again is no take-back for a single-value agent";
  agent->SetBehavior(0x000000);
  EXPECT_EQ(agent->OfferPick(pa), Result::Refused) << "without the pick bit it takes no picks";
  agent->InitializeAcquisition();

  // A multi-value agent takes its only pick back when the same path (even as
  // another path object) comes again, and is unvalued then.
  agent->SetBehavior(KivAgentPickMany);
  EXPECT_EQ(agent->OfferPick(pa), Result::Accepted);
  EXPECT_EQ(agent->OfferPick(KivMake<KivPathElement>(a_.get())), Result::TakenBack);
  EXPECT_FALSE(agent->IsValued());
  EXPECT_EQ(agent->GetListOfValues().Size(), 0);
}

TEST_F(DialogTest, MultiSelectionReachesTheAgentAtOnce) {
  auto thing = KivMake<TstThing>();
  // Selected before the command starts: the selection values the agent.
  cso_->AddElements(PathsOf({a_, thing, b_, c_}));
  auto fromSelection = KivMake<TstPickCmd>(KivAgentPickMany);
  fromSelection->refused = {"C"};
  ASSERT_TRUE(KivCommandStarter::StartInstance(fromSelection));
  EXPECT_EQ(fromSelection->actions, (Actions{{"A", "B"}}))
      << "one action with every selected element that passes type and filter";
  EXPECT_TRUE(fromSelection->IsEnded());
  // (That a single-value agent ignores the selection and that an exclusive
  // command cancels the running one, the shared-command test shows.)

  // Several objects picked in one user event reach a multi-value agent together.
  cso_->Empty();
  auto picked = KivMake<TstPickCmd>(KivAgentPickMany);
  ASSERT_TRUE(KivCommandStarter::StartInstance(picked));
  EXPECT_EQ(picked->OfferPicks(PathsOf({c_, a_})), 2);
  EXPECT_EQ(picked->actions, (Actions{{"C", "A"}}));
}

TEST_F(DialogTest, PicksAccumulateUntilTheBoxIsAnsweredByOKCancelOrWindowClose) {
  auto main = KivMake<KivDlgDocument>("Main");
  for (const std::string how : {"ok", "cancel", "close"}) {
    SCOPED_TRACE(how);
    auto cmd = KivMake<TstPickCmd>(KivAgentPickMany, main.get());
    ASSERT_TRUE(KivCommandStarter::StartInstance(cmd));
    for (KivBaseUnknown* picked : {a_.get(), b_.get(), c_.get()})
      EXPECT_EQ(cmd->OfferPicks(PathsOf({picked})), 1);
    EXPECT_EQ(cso_->GetSize(), 3);
    EXPECT_EQ(cmd->OfferPicks(PathsOf({b_})), 1) << "a second pick of B takes it back";
    EXPECT_FALSE(cso_->ContainsObject(b_)) << "and takes it out of the selection";
    EXPECT_FALSE(cmd->IsEnded()) << "picks alone do not end this command";
    EXPECT_TRUE(how == "ok"       ? cmd->dialog_->PushOK()
                : how == "cancel" ? cmd->dialog_->PushCancel()
                                  : cmd->dialog_->Close());
    EXPECT_TRUE(cmd->IsEnded());
    EXPECT_EQ(cmd->actions, (how == "ok" ? Actions{{"A", "C"}} : Actions{}));
    cso_->Empty();
  }
  KivDelayedDestruction::Flush();
  EXPECT_EQ(main->GetChildCount(), 0) << "each box left the main window when its command died";
}

// An agentless start state that values the end agent from inside the action
// of the transition leading to the agent's state; the command must still end.
class TstAcceptInActionCmd : public KivStateCommand {
  KIV_CLASS(TstAcceptInActionCmd, KivStateCommand, "Tests")
 public:
  TstAcceptInActionCmd() : KivStateCommand("TstAcceptInActionCmd") {}
  void BuildGraph() override {
    close = KivMake<KivDialogAgent>("Close");
    KivDialogState* start = GetInitialState("initialState");
    KivDialogState* closing = AddDialogState("Close");
    closing->AddDialogAgent(close);
    AddTransition(start, closing, Action(this, &TstAcceptInActionCmd::Warn));
    AddTransition(closing, nullptr, IsOutputSetCondition(close));
  }
  bool Warn(void*) {
    close->Accept();
    return false;
  }
  KivDialogAgent_var close;
};

// A graph that never waits for input: the engine must stop it.
class TstLoopCmd : public KivStateCommand {
  KIV_CLASS(TstLoopCmd, KivStateCommand, "Tests")
 public:
  TstLoopCmd() : KivStateCommand("TstLoopCmd") {}
  void BuildGraph() override {
    KivDialogState* a = GetInitialState("A");
    KivDialogState* b = AddDialogState("B");
    AddTransition(a, b, Action(this, &TstLoopCmd::Count));
    AddTransition(b, a, Action(this, &TstLoopCmd::Count));
  }
  bool Count(void*) { return ++steps > 0; }
  int steps = 0;
};

TEST_F(DialogTest, AgentlessStatesMoveOnAndAGraphWithoutInputIsStopped) {
  auto accept = KivMake<TstAcceptInActionCmd>();
  ASSERT_TRUE(KivCommandStarter::StartInstance(accept));
  EXPECT_TRUE(accept->IsEnded()) << "an agent valued during an action ends in its state";
  EXPECT_FALSE(accept->GetLastActionResult()) << "the action's answer is kept";

  auto loop = KivMake<TstLoopCmd>();
  ASSERT_TRUE(KivCommandStarter::StartInstance(loop));
  EXPECT_TRUE(loop->IsEnded());
  EXPECT_TRUE(loop->WasCancelled());
  EXPECT_EQ(loop->steps, KivStateCommand::kMaxChainedTransitions);

  auto repeat = KivMake<TstPickCmd>(KivAgentPickOne);
  ASSERT_TRUE(KivCommandStarter::StartInstance(repeat));
  repeat->SetRepeatMode(true);
  repeat->OfferPicks(PathsOf({a_}));
  repeat->OfferPicks(PathsOf({b_}));
  EXPECT_FALSE(repeat->IsEnded()) << "repeat mode goes back to the initial state";
  EXPECT_EQ(repeat->actions, (Actions{{"A"}, {"B"}}));
  EXPECT_EQ(repeat->GetCurrentState()->GetName(), "SelectActivity");

  // Transitions refuse states of another command.
  auto other = KivMake<TstLoopCmd>();
  KivDialogState* mine = loop->GetInitialState("Mine");
  KivDialogState* theirs = other->GetInitialState("Theirs");
  EXPECT_EQ(loop->GetInitialState("Other name"), mine) << "one initial state";
  EXPECT_EQ(other->AddTransition(nullptr, theirs, KivStateAction()), nullptr);
  EXPECT_EQ(other->AddTransition(theirs, mine, KivStateAction()), nullptr);
  EXPECT_NE(other->AddTransition(theirs, nullptr, KivStateAction()), nullptr);
}

// A command started by class name.
KivBaseUnknown* CreateTstSharedCmd() { return new TstPickCmd(KivAgentPickOne); }

TEST_F(DialogTest, SharedCommandsSuspendTheRunningOneAndClassNamesStartCommands) {
  auto first = KivMake<TstPickCmd>(KivAgentPickOne);
  ASSERT_TRUE(KivCommandStarter::StartInstance(first));
  // (An unknown class name is refused: the frame's command test.)

  KivCreationRegistrar registrar("TstSharedCmd", &CreateTstSharedCmd);
  auto shared = KivMake<TstPickCmd>(KivAgentPickOne, nullptr, 0);
  ASSERT_TRUE(KivCommandStarter::StartInstance(shared));
  EXPECT_FALSE(first->IsActive()) << "suspended";
  EXPECT_FALSE(first->IsEnded());
  EXPECT_EQ(KivCommandStarter::GetActiveStateCommand(), shared.get());
  EXPECT_EQ(first->OfferPicks(PathsOf({a_})), 0) << "a suspended command takes no picks";
  EXPECT_EQ(shared->OfferPicks(PathsOf({a_})), 1);
  EXPECT_TRUE(shared->IsEnded());
  EXPECT_TRUE(first->IsActive()) << "resumed when the other ended";

  auto byName = KivCommandStarter::Start("TstSharedCmd");
  ASSERT_TRUE(byName) << byName.message;
  EXPECT_TRUE(first->WasCancelled()) << "the created command is exclusive";
  EXPECT_EQ(KivCommandStarter::RunningCount(), 1);
}

}  // namespace
