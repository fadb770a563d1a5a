#include <string>
#include <vector>

#include "KivCreationDictionary.h"
#include "KivDialogTestSupport.h"
#include "KivDlgDialog.h"
#include "KivStateCommand.h"

namespace {

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

// The current selection and three pickable activities.
class StateCommandTest : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    cso_ = KivMake<KivCSO>();
    KivCSO::SetCurrent(cso_);
    a_ = KivMake<TstActivity>("A");
    b_ = KivMake<TstActivity>("B");
    c_ = KivMake<TstActivity>("C");
  }
  void TearDown() override {
    KivCommandStarter::CancelAll();
    KivCSO::SetCurrent(nullptr);
    cso_ = NULL_var;
    a_ = b_ = c_ = NULL_var;
    DialogFixture::TearDown();
  }
  KivVar<KivCSO> cso_;
  KivVar<TstActivity> a_, b_, c_;
};

TEST_F(StateCommandTest, PicksThroughFilterActsOnceAndEnds) {
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

TEST_F(StateCommandTest, PathAgentReplacesOrTakesBackValuesByBehaviour) {
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
  EXPECT_FALSE(agent->IsValued());
  EXPECT_EQ(agent->GetValue(), nullptr);

  // A multi-value agent takes its only pick back when the same path (even as
  // another path object) comes again, and is unvalued then.
  agent->SetBehavior(KivAgentPickMany);
  EXPECT_EQ(agent->OfferPick(pa), Result::Accepted);
  EXPECT_EQ(agent->OfferPick(KivMake<KivPathElement>(a_.get())), Result::TakenBack);
  EXPECT_FALSE(agent->IsValued());
  EXPECT_EQ(agent->GetListOfValues().Size(), 0);
}

TEST_F(StateCommandTest, MultiSelectionReachesTheAgentAtOnce) {
  auto thing = KivMake<TstThing>();
  // Selected before the command starts: the selection values the agent.
  cso_->AddElements(PathsOf({a_, thing, b_, c_}));
  auto fromSelection = KivMake<TstPickCmd>(KivAgentPickMany);
  fromSelection->refused = {"C"};
  ASSERT_TRUE(KivCommandStarter::StartInstance(fromSelection));
  EXPECT_EQ(fromSelection->actions, (Actions{{"A", "B"}}))
      << "one action with every selected element that passes type and filter";
  EXPECT_TRUE(fromSelection->IsEnded());

  // A single-value agent ignores the selection and waits for a pick.
  auto single = KivMake<TstPickCmd>(KivAgentPickOne);
  ASSERT_TRUE(KivCommandStarter::StartInstance(single));
  EXPECT_TRUE(single->actions.empty());
  EXPECT_FALSE(single->IsEnded());

  // Several objects picked in one user event reach a multi-value agent together.
  cso_->Empty();
  auto picked = KivMake<TstPickCmd>(KivAgentPickMany);
  ASSERT_TRUE(KivCommandStarter::StartInstance(picked));
  EXPECT_TRUE(single->IsEnded()) << "an exclusive command cancels the running one";
  EXPECT_TRUE(single->WasCancelled());
  EXPECT_EQ(picked->OfferPicks(PathsOf({c_, a_})), 2);
  EXPECT_EQ(picked->actions, (Actions{{"C", "A"}}));
}

TEST_F(StateCommandTest, PicksAccumulateUntilTheBoxIsAnsweredByOKCancelOrWindowClose) {
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

TEST_F(StateCommandTest, AgentlessStatesMoveOnAndAGraphWithoutInputIsStopped) {
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

TEST_F(StateCommandTest, SharedCommandsSuspendTheRunningOneAndClassNamesStartCommands) {
  auto first = KivMake<TstPickCmd>(KivAgentPickOne);
  ASSERT_TRUE(KivCommandStarter::StartInstance(first));
  EXPECT_FALSE(KivCommandStarter::Start("TstNoSuchCmd")) << "unknown class";

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
