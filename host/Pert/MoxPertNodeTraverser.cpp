#include "MoxPertNodeTraverser.h"

#include "MoxPertController.h"
#include "MoxPertNodeAccess.h"

MoxPertNodeTraverser::MoxPertNodeTraverser(MoxPertController* controller)
    : controller_(controller) {}

MoxPertNodeTraverser::~MoxPertNodeTraverser() = default;

HRESULT MoxPertNodeTraverser::ShowChildrenNodes(const KivBaseUnknown_var& superNode) {
  current_ = superNode;
  if (!controller_ || !superNode) return E_FAIL;
  return controller_->ShowChildren(superNode);
}

HRESULT MoxPertNodeTraverser::HideChildrenNodes(const KivBaseUnknown_var& superNode) {
  current_ = superNode;
  if (!controller_ || !superNode) return E_FAIL;
  return controller_->HideChildren(superNode);
}

HRESULT MoxPertNodeTraverser::ChangePertNodeShape(int state) {
  return ChangePertNodeShape(current_, state);
}

HRESULT MoxPertNodeTraverser::ChangePertNodeShape(const KivBaseUnknown_var& node, int state) {
  if (state != 1 && state != 2) return E_INVALIDARG;
  KivPertNodeData data;
  if (!node || !MoxPertNodeAccess::Read(node.get(), data)) return E_FAIL;
  current_ = node;
  if (data.superNodeState != state) {
    data.superNodeState = state;
    const HRESULT hr = MoxPertNodeAccess::Write(node.get(), data);
    if (FAILED(hr)) return hr;
  }
  if (controller_ && controller_->IsNodeDrawn(node)) controller_->RefreshPertNode(node, 1);
  return S_OK;
}
