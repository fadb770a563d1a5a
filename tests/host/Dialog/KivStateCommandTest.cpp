#include <string>
#include <vector>

#include "KivCreationDictionary.h"
#include "KivDialogTestSupport.h"
#include "KivDlgDialog.h"
#include "KivStateCommand.h"

namespace {

// One agent "Activity" restricted to TstIActivity, a filter refusing the
// labels listed in `refused`, and one transition to the end (or, with
// `waitForOK`, an OK agent that ends the command and leaves the activity
// agent to accumulate picks).
class TstPickCmd : public KivStateCommand {
  KIV_CLASS(TstPickCmd, KivStateCommand, "Tests")
 public:
  explicit TstPickCmd(KivAgentBehavior agentFlags, bool waitForOK = false,
                      KivDlgWindow* mainWindow = nullptr)
      : KivStateCommand("TstPickCmd", KivCommandExclusive, 0),
        agentFlags_(agentFlags),
        waitForOK_(waitForOK),
        mainWindow_(mainWindow) {}

  void BuildGraph() override {
    agent_ = new KivPathElementAgent("Activity");
    agent_->SetElementType("TstIActivity");
    AddCSOClient(agent_);
    agent_->SetBehavior(agentFlags_);
    agent_->SetFilter(Filter(this, &TstPickCmd::IsAccepted));
    KivDialogState* start = GetInitialState("SelectActivity");
    start->AddDialogAgent(agent_);
    if (!waitForOK_) {
      AddTransition(start, nullptr, Action(this, &TstPickCmd::Act));
      return;
    }
    dialog_ = new KivDlgDialog(mainWindow_, "TstPickDlg");
    dialog_->SetFather(this);
    dialog_->SetVisibility(KivDlgShow);
    ok_ = new KivDialogAgent("OK");
    ok_->AcceptOnNotify(dialog_, dialog_->GetDiaOKNotification());
    start->AddDialogAgent(ok_);
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
  std::vector<std::vector<std::string>> actions;
  KivDlgDialog* dialog_ = nullptr;

 protected:
  ~TstPickCmd() override {
    if (agent_) agent_->RequestDelayedDestruction();
    if (ok_) ok_->RequestDelayedDestruction();
    if (dialog_) dialog_->RequestDelayedDestruction();
  }

 private:
  KivAgentBehavior agentFlags_;
  bool waitForOK_;
  KivDlgWindow* mainWindow_;
  KivDialogAgent* ok_ = nullptr;
};

KivListValKivBaseUnknown_var PathsOf(std::initializer_list<KivBaseUnknown*> objects) {
  KivListValKivBaseUnknown_var paths;
  for (KivBaseUnknown* o : objects) paths.Append(KivBaseUnknown_var(KivMake<KivPathElement>(o)));
  return paths;
}

class StateCommandTest : public DialogFixture {};

TEST_F(StateCommandTest, PicksThroughFilterActsOnceAndEnds) {
  auto cso = KivMake<KivCSO>();
  KivCSO::SetCurrent(cso);
  auto a = KivMake<TstActivity>("A"), b = KivMake<TstActivity>("B");
  auto thing = KivMake<TstThing>();
  auto cmd = KivMake<TstPickCmd>(KivAgentPickOne);
  cmd->refused = {"A"};
  ASSERT_TRUE(KivCommandStarter::StartInstance(cmd));
  EXPECT_EQ(KivCommandStarter::GetActiveStateCommand(), cmd.get());
  EXPECT_EQ(cmd->GetCurrentState()->GetName(), "SelectActivity");

  EXPECT_EQ(cmd->OfferPicks(PathsOf({thing})), 0) << "not of the element type";
  EXPECT_EQ(cmd->filterCalls, 0) << "the element type is checked before the filter";
  EXPECT_EQ(cmd->OfferPicks(PathsOf({a})), 0) << "refused by the filter";
  EXPECT_EQ(cmd->filterCalls, 1);
  EXPECT_FALSE(cmd->agent_->IsValued());
  EXPECT_EQ(cso->GetSize(), 0) << "a refused pick stays out of the selection";
  EXPECT_TRUE(cmd->actions.empty());

  EXPECT_EQ(cmd->OfferPicks(PathsOf({b})), 1);
  EXPECT_EQ(cmd->actions, (std::vector<std::vector<std::string>>{{"B"}}));
  EXPECT_TRUE(cmd->IsEnded());
  EXPECT_FALSE(cmd->WasCancelled());
  EXPECT_FALSE(cmd->IsActive());
  EXPECT_TRUE(cso->ContainsObject(b)) << "the agent is a client of the selection";
  EXPECT_EQ(KivCommandStarter::GetActiveStateCommand(), nullptr);
  EXPECT_EQ(cmd->OfferPicks(PathsOf({b})), 0) << "an ended command takes nothing";
  EXPECT_EQ(cmd->actions.size(), 1u);
  // The starter's reference goes through delayed destruction.
  EXPECT_EQ(cmd->RefCount(), 2u);
  KivDelayedDestruction::Flush();
  EXPECT_EQ(cmd->RefCount(), 1u);
}

TEST_F(StateCommandTest, PathAgentReplacesOrTakesBackValuesByBehaviour) {
  auto a = KivMake<TstActivity>("A"), b = KivMake<TstActivity>("B");
  auto agent = KivMake<KivPathElementAgent>("Single");
  agent->SetBehavior(KivAgentPickOne);
  auto pa = KivMake<KivPathElement>(a.get()), pb = KivMake<KivPathElement>(b.get());
  EXPECT_EQ(agent->OfferPick(pa), KivPathElementAgent::PickResult::Accepted);
  EXPECT_EQ(agent->OfferPick(pb), KivPathElementAgent::PickResult::Accepted);
  EXPECT_EQ(agent->GetListOfValues().Size(), 1);
  EXPECT_EQ(agent->GetElementValue(), b.get());
  EXPECT_EQ(agent->OfferPick(pb), KivPathElementAgent::PickResult::Accepted)
      << "picking the held element again is no take-back for a single-value agent";
  agent->SetBehavior(0x000000);
  EXPECT_EQ(agent->OfferPick(pa), KivPathElementAgent::PickResult::Refused)
      << "without the pick bit the agent takes no picks";
  agent->InitializeAcquisition();
  EXPECT_FALSE(agent->IsValued());
  EXPECT_EQ(agent->GetValue(), nullptr);

  // A multi-value agent takes its only pick back when the same path (even as
  // another path object) comes again, and is unvalued then.
  agent->SetBehavior(KivAgentPickMany);
  EXPECT_EQ(agent->OfferPick(pa), KivPathElementAgent::PickResult::Accepted);
  EXPECT_EQ(agent->OfferPick(KivMake<KivPathElement>(a.get())),
            KivPathElementAgent::PickResult::TakenBack);
  EXPECT_FALSE(agent->IsValued());
  EXPECT_EQ(agent->GetListOfValues().Size(), 0);
}

TEST_F(StateCommandTest, RepeatedPickingAccumulatesAndTakesAPickBack) {
  auto cso = KivMake<KivCSO>();
  KivCSO::SetCurrent(cso);
  auto main = KivMake<KivDlgDocument>("Main");
  auto a = KivMake<TstActivity>("A"), b = KivMake<TstActivity>("B"), c = KivMake<TstActivity>("C");
  auto cmd = KivMake<TstPickCmd>(KivAgentPickMany, true, main.get());
  ASSERT_TRUE(KivCommandStarter::StartInstance(cmd));
  EXPECT_EQ(cmd->OfferPicks(PathsOf({a})), 1);
  EXPECT_EQ(cmd->OfferPicks(PathsOf({b})), 1);
  EXPECT_EQ(cmd->OfferPicks(PathsOf({c})), 1);
  EXPECT_EQ(cso->GetSize(), 3);
  EXPECT_EQ(cmd->OfferPicks(PathsOf({b})), 1) << "a second pick of B takes it back";
  EXPECT_FALSE(cso->ContainsObject(b)) << "and takes it out of the selection";
  EXPECT_TRUE(cmd->actions.empty()) << "picks alone do not end this command";
  EXPECT_TRUE(cmd->dialog_->PushOK());
  EXPECT_EQ(cmd->actions, (std::vector<std::vector<std::string>>{{"A", "C"}}));
  EXPECT_TRUE(cmd->IsEnded());
}

TEST_F(StateCommandTest, MultiSelectionReachesTheAgentAtOnce) {
  auto cso = KivMake<KivCSO>();
  KivCSO::SetCurrent(cso);
  auto a = KivMake<TstActivity>("A"), b = KivMake<TstActivity>("B"), c = KivMake<TstActivity>("C");
  auto thing = KivMake<TstThing>();
  // Selected before the command starts: the selection values the agent.
  cso->AddElements(PathsOf({a, thing, b, c}));
  auto fromSelection = KivMake<TstPickCmd>(KivAgentPickMany);
  fromSelection->refused = {"C"};
  ASSERT_TRUE(KivCommandStarter::StartInstance(fromSelection));
  EXPECT_EQ(fromSelection->actions, (std::vector<std::vector<std::string>>{{"A", "B"}}))
      << "one action with every selected element that passes type and filter";
  EXPECT_TRUE(fromSelection->IsEnded());

  // A single-value agent ignores the selection and waits for a pick.
  auto single = KivMake<TstPickCmd>(KivAgentPickOne);
  ASSERT_TRUE(KivCommandStarter::StartInstance(single));
  EXPECT_TRUE(single->actions.empty());
  EXPECT_FALSE(single->IsEnded());

  // Several objects picked in one user event reach a multi-value agent together.
  cso->Empty();
  auto picked = KivMake<TstPickCmd>(KivAgentPickMany);
  ASSERT_TRUE(KivCommandStarter::StartInstance(picked));
  EXPECT_TRUE(single->IsEnded()) << "an exclusive command cancels the running one";
  EXPECT_TRUE(single->WasCancelled());
  EXPECT_EQ(picked->OfferPicks(PathsOf({c, a})), 2);
  EXPECT_EQ(picked->actions, (std::vector<std::vector<std::string>>{{"C", "A"}}));
}

// A command whose box ends it on OK (with an action), on Cancel and on
// window close (without one).
class TstBoxCmd : public KivStateCommand {
  KIV_CLASS(TstBoxCmd, KivStateCommand, "Tests")
 public:
  explicit TstBoxCmd(KivDlgWindow* main) : KivStateCommand("TstBoxCmd"), main_(main) {}
  void BuildGraph() override {
    dialog = new KivDlgDialog(main_, "TstBox");
    dialog->SetFather(this);
    okAgent = new KivDialogAgent("OK");
    cancelAgent = new KivDialogAgent("Cancel");
    okAgent->AcceptOnNotify(dialog, dialog->GetDiaOKNotification());
    cancelAgent->AcceptOnNotify(dialog, dialog->GetWindCloseNotification());
    cancelAgent->AcceptOnNotify(dialog, dialog->GetDiaCANCELNotification());
    KivDialogState* open = GetInitialState("Open");
    AddTransition(open, AddDialogState("Shown"), Action(this, &TstBoxCmd::Show));
    KivDialogState* shown = FindState("Shown");
    shown->AddDialogAgent(cancelAgent);
    shown->AddDialogAgent(okAgent);
    AddTransition(shown, nullptr, IsOutputSetCondition(cancelAgent));
    AddTransition(shown, nullptr, IsOutputSetCondition(okAgent), Action(this, &TstBoxCmd::Apply));
  }
  bool Show(void*) { return dialog->SetVisibility(KivDlgShow) == S_OK; }
  bool Apply(void*) {
    ++applied;
    return true;
  }
  KivDlgDialog* dialog = nullptr;
  KivDialogAgent* okAgent = nullptr;
  KivDialogAgent* cancelAgent = nullptr;
  int applied = 0;

 protected:
  ~TstBoxCmd() override {
    dialog->RequestDelayedDestruction();
    okAgent->RequestDelayedDestruction();
    cancelAgent->RequestDelayedDestruction();
  }

 private:
  KivDlgWindow* main_;
};

TEST_F(StateCommandTest, DialogAgentsEndTheCommandOnOKCancelAndWindowClose) {
  auto main = KivMake<KivDlgDocument>("Main");
  for (const std::string how : {"ok", "cancel", "close"}) {
    SCOPED_TRACE(how);
    auto cmd = KivMake<TstBoxCmd>(main.get());
    ASSERT_TRUE(KivCommandStarter::StartInstance(cmd));
    EXPECT_EQ(cmd->GetCurrentState()->GetName(), "Shown") << "an agentless state moves on at once";
    EXPECT_TRUE(cmd->dialog->IsVisible());
    cmd->dialog->SetOKSensitivity(false);
    EXPECT_FALSE(cmd->dialog->PushOK()) << "an insensitive OK cannot be pressed";
    EXPECT_FALSE(cmd->IsEnded());
    cmd->dialog->SetOKSensitivity(true);
    const bool answered = how == "ok"       ? cmd->dialog->PushOK()
                          : how == "cancel" ? cmd->dialog->PushCancel()
                                            : cmd->dialog->Close();
    EXPECT_TRUE(answered);
    EXPECT_TRUE(cmd->IsEnded());
    EXPECT_EQ(cmd->applied, how == "ok" ? 1 : 0);
  }
  KivDelayedDestruction::Flush();
  EXPECT_EQ(main->GetChildCount(), 0) << "each box left the main window when its command died";
}

// Values the end agent from inside the action of the transition that leads
// to the agent's state; the command must still end.
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

TEST_F(StateCommandTest, AgentValuedDuringAnActionEndsTheCommandInItsState) {
  auto cmd = KivMake<TstAcceptInActionCmd>();
  ASSERT_TRUE(KivCommandStarter::StartInstance(cmd));
  EXPECT_TRUE(cmd->IsEnded());
  EXPECT_FALSE(cmd->GetLastActionResult()) << "the action's answer is kept";
}

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

TEST_F(StateCommandTest, GraphWithoutInputIsStoppedAndRepeatModeRestarts) {
  auto loop = KivMake<TstLoopCmd>();
  ASSERT_TRUE(KivCommandStarter::StartInstance(loop));
  EXPECT_TRUE(loop->IsEnded());
  EXPECT_TRUE(loop->WasCancelled());
  EXPECT_EQ(loop->steps, KivStateCommand::kMaxChainedTransitions);

  auto repeat = KivMake<TstPickCmd>(KivAgentPickOne);
  ASSERT_TRUE(KivCommandStarter::StartInstance(repeat));
  repeat->SetRepeatMode(true);
  auto a = KivMake<TstActivity>("A"), b = KivMake<TstActivity>("B");
  repeat->OfferPicks(PathsOf({a}));
  repeat->OfferPicks(PathsOf({b}));
  EXPECT_FALSE(repeat->IsEnded()) << "repeat mode goes back to the initial state";
  EXPECT_EQ(repeat->actions, (std::vector<std::vector<std::string>>{{"A"}, {"B"}}));
  EXPECT_EQ(repeat->GetCurrentState()->GetName(), "SelectActivity");
}

TEST_F(StateCommandTest, TransitionsRefuseForeignStates) {
  auto one = KivMake<TstLoopCmd>(), other = KivMake<TstLoopCmd>();
  KivDialogState* mine = one->GetInitialState("Mine");
  KivDialogState* theirs = other->GetInitialState("Theirs");
  EXPECT_EQ(one->GetInitialState("Other name"), mine) << "one initial state";
  EXPECT_EQ(one->AddTransition(nullptr, mine, KivStateAction()), nullptr);
  EXPECT_EQ(one->AddTransition(mine, theirs, KivStateAction()), nullptr);
  EXPECT_NE(one->AddTransition(mine, nullptr, KivStateAction()), nullptr);
}

// A command started by class name; non-exclusive, so it suspends the one
// that runs.
KivBaseUnknown* CreateTstSharedCmd() { return new TstPickCmd(KivAgentPickOne); }

TEST_F(StateCommandTest, StartByClassNameSuspendsAndResumesTheRunningCommand) {
  auto first = KivMake<TstPickCmd>(KivAgentPickOne);
  ASSERT_TRUE(KivCommandStarter::StartInstance(first));
  EXPECT_FALSE(KivCommandStarter::Start("TstNoSuchCmd")) << "unknown class";

  KivCreationRegistrar registrar("TstSharedCmd", &CreateTstSharedCmd);
  // TstPickCmd is exclusive; make a shared one by hand to see suspension.
  class TstShared : public KivStateCommand {
   public:
    TstShared() : KivStateCommand("TstShared", 0, 0) {}
    void BuildGraph() override {
      agent = KivMake<KivDialogAgent>("Done");
      GetInitialState("Wait")->AddDialogAgent(agent);
      AddTransition(GetInitialState("Wait"), nullptr, KivStateAction());
    }
    KivDialogAgent_var agent;
  };
  auto shared = KivMake<TstShared>();
  ASSERT_TRUE(KivCommandStarter::StartInstance(shared));
  EXPECT_FALSE(first->IsActive()) << "suspended";
  EXPECT_FALSE(first->IsEnded());
  EXPECT_EQ(KivCommandStarter::GetActiveStateCommand(), shared.get());
  auto a = KivMake<TstActivity>("A");
  EXPECT_EQ(first->OfferPicks(PathsOf({a})), 0) << "a suspended command takes no picks";
  shared->agent->Accept();
  EXPECT_TRUE(shared->IsEnded());
  EXPECT_TRUE(first->IsActive()) << "resumed when the other ended";

  auto byName = KivCommandStarter::Start("TstSharedCmd");
  ASSERT_TRUE(byName) << byName.message;
  EXPECT_TRUE(first->WasCancelled()) << "the created command is exclusive";
  EXPECT_EQ(KivCommandStarter::RunningCount(), 1);
}

}  // namespace
