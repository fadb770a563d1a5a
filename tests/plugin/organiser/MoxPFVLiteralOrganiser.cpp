#include "MoxPFVLiteralOrganiser.h"

#include <algorithm>

int MoxPFVLiteralOrganiser::Locate(int node) const {
  for (size_t i = 0; i < nodeList_.size(); ++i) {
    if (nodeList_[i] == node) return static_cast<int>(i);
  }
  return -1;
}

void MoxPFVLiteralOrganiser::Prepare() {
  nodeList_ = model_.children;
  InitialisePosList(static_cast<int>(nodeList_.size()));
  GenerateNodeIndexes();
  PlaceStopNodesAfterTheirPredecessors();
  ArrangeActAsPerLevel();
  CreateListOfLists();
  ArrangeNextActsWithRespectToCurrActs();
}

void MoxPFVLiteralOrganiser::InitialisePosList(int n) {
  for (int i = 0; i < n; ++i) levelList_.push_back(0);
}

void MoxPFVLiteralOrganiser::GenerateNodeIndexes() {
  if (nodeList_.size() != levelList_.size()) return;
  for (size_t i = 0; i < nodeList_.size(); ++i) {
    if (!model_.HasFlowView(nodeList_[i])) continue;
    for (const int successor : model_.ActivitySuccessorsOf(nodeList_[i])) {
      const int j = Locate(successor);
      if (j < 0) continue;
      if (levelList_[static_cast<size_t>(j)] < levelList_[i] + 1) {
        levelList_[static_cast<size_t>(j)] = levelList_[i] + 1;
        RecursiveUpdateNodeIndexes(successor, levelList_[i] + 1);
      }
    }
  }
}

void MoxPFVLiteralOrganiser::RecursiveUpdateNodeIndexes(int node, int level) {
  if (!model_.HasFlowView(node)) return;
  for (const int successor : model_.ActivitySuccessorsOf(node)) {
    const int j = Locate(successor);
    if (j < 0) continue;
    if (levelList_[static_cast<size_t>(j)] < level + 1) {
      levelList_[static_cast<size_t>(j)] = level + 1;
      RecursiveUpdateNodeIndexes(successor, level + 1);
    }
  }
}

void MoxPFVLiteralOrganiser::PlaceStopNodesAfterTheirPredecessors() {
  for (size_t j = 0; j < nodeList_.size(); ++j) {
    if (model_.stopNodes.count(nodeList_[j]) == 0) continue;
    for (size_t i = 0; i < nodeList_.size(); ++i) {
      if (!model_.HasFlowView(nodeList_[i])) continue;
      const auto& successors = model_.SuccessorsOf(nodeList_[i]);
      if (std::find(successors.begin(), successors.end(), nodeList_[j]) == successors.end()) {
        continue;
      }
      levelList_[j] = std::max(levelList_[j], levelList_[i] + 1);
    }
  }
}

void MoxPFVLiteralOrganiser::ArrangeActAsPerLevel() {
  const size_t n = nodeList_.size();
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      if (levelList_[i] > levelList_[j]) {
        std::swap(levelList_[i], levelList_[j]);
        std::swap(nodeList_[i], nodeList_[j]);
      }
    }
  }
}

void MoxPFVLiteralOrganiser::CreateListOfLists() {
  if (levelList_.empty()) return;
  const int highest = levelList_.back();
  for (int k = 0; k <= highest; ++k) {
    std::vector<int> list;
    for (size_t i = 0; i < nodeList_.size(); ++i) {
      if (levelList_[i] == k) list.push_back(nodeList_[i]);
    }
    levelLists_.push_back(list);
  }
}

void MoxPFVLiteralOrganiser::ArrangeNextActsWithRespectToCurrActs() {
  for (size_t k = 0; k + 1 < levelLists_.size(); ++k) {
    std::vector<int> intersection;
    for (const int node : levelLists_[k]) {
      if (!model_.HasFlowView(node)) continue;
      for (const int successor : model_.SuccessorsOf(node)) {
        const auto& next = levelLists_[k + 1];
        if (std::find(next.begin(), next.end(), successor) != next.end()) {
          intersection.push_back(successor);
        }
      }
    }
    std::vector<int> withoutRepeats;
    for (const int node : intersection) {
      if (std::find(withoutRepeats.begin(), withoutRepeats.end(), node) == withoutRepeats.end()) {
        withoutRepeats.push_back(node);
      }
    }
    levelLists_[k + 1] = withoutRepeats;
  }
}

void MoxPFVLiteralOrganiser::GetViewerOrSuperNodeSize(float* width, float* height) const {
  if (levelList_.empty()) return;
  const int highest = levelList_.back();
  int largest = 0;
  for (int k = 0; k <= highest; ++k) {
    int count = 0;
    for (const int level : levelList_) count += level == k ? 1 : 0;
    largest = std::max(largest, count);
  }
  *width = static_cast<float>(50 * highest);
  *height = static_cast<float>(50 * largest);
  if (*width > *height) *height = *width;
  if (*height > *width) *width = *height;
}

void MoxPFVLiteralOrganiser::GetActListForPosChange(int node, std::vector<int>& out) const {
  out.push_back(node);
  if (!model_.HasFlowView(node)) return;
  for (const int successor : model_.SuccessorsOf(node)) GetActListForPosChange(successor, out);
}

void MoxPFVLiteralOrganiser::ArrangeNodes(double startX, double startY) {
  Prepare();
  if (nodeList_.empty()) return;
  const int highest = levelList_.back();
  float width = 300.0f;
  float height = 200.0f;
  GetViewerOrSuperNodeSize(&width, &height);
  const double dx = highest > 0 ? static_cast<double>(width) / highest : 0.0;
  double x = startX;
  double y = startY;
  double dy = 0.0;
  for (const auto& list : levelLists_) {
    const size_t m = list.size();
    if (m > 0) {
      dy = -static_cast<double>(height) / static_cast<double>(m);
      y = static_cast<double>(height) -
          static_cast<double>(height) / (2.0 * static_cast<double>(m));
    }
    for (const int node : list) {
      if (!model_.IsPlaceable(node)) continue;
      model_.Snap(x, y);
      model_.Place(node, x, y);
      y = y + dy;
    }
    x = x + dx;
  }
}

void MoxPFVLiteralOrganiser::PositionNewNode(const std::vector<int>& nodes) {
  Prepare();
  if (nodeList_.empty()) return;
  for (const int g : nodes) {
    std::vector<int> moveList;
    std::vector<int> placedNow;
    GetActListForPosChange(g, moveList);
    const int highest = levelList_.back();
    float width = 300.0f;
    float height = 200.0f;
    GetViewerOrSuperNodeSize(&width, &height);
    const double dx = highest > 0 ? static_cast<double>(width) / highest : 0.0;
    double x = 0.0;
    double y = 0.0;
    const int i = Locate(g);
    if (i < 0) continue;
    const int level = levelList_[static_cast<size_t>(i)];
    if (level >= 1) {
      double refX = 0.0;
      double refY = 0.0;
      if (model_.ReadPosition(levelLists_[static_cast<size_t>(level) - 1].front(), refX, refY)) {
        x = refX;
        y = refY;
      }
    }
    double dy = 0.0;
    for (size_t k = static_cast<size_t>(level); k < levelLists_.size(); ++k) {
      const size_t m = levelLists_[k].size();
      if (m > 0) {
        dy = -static_cast<double>(height) / static_cast<double>(m);
        y = static_cast<double>(height) -
            static_cast<double>(height) / (2.0 * static_cast<double>(m));
      }
      x = x + dx;
      for (const int node : levelLists_[k]) {
        if (!model_.IsPlaceable(node)) continue;
        model_.Snap(x, y);
        if (std::find(moveList.begin(), moveList.end(), node) != moveList.end()) {
          double freeY = y;
          while (IsTaken(node, x, freeY, moveList, placedNow)) {
            freeY = freeY + dy;
            double ignoredX = x;
            model_.Snap(ignoredX, freeY);
          }
          model_.Place(node, x, freeY);
          placedNow.push_back(node);
        }
        y = y + dy;
      }
    }
  }
}

bool MoxPFVLiteralOrganiser::IsTaken(int node, double x, double y, const std::vector<int>& moveList,
                                     const std::vector<int>& placedNow) const {
  for (const int other : nodeList_) {
    if (other == node || !model_.IsPlaceable(other)) continue;
    const bool moves = std::find(moveList.begin(), moveList.end(), other) != moveList.end();
    const bool placed = std::find(placedNow.begin(), placedNow.end(), other) != placedNow.end();
    if (moves && !placed) continue;
    double otherX = 0.0;
    double otherY = 0.0;
    if (!model_.ReadPosition(other, otherX, otherY)) continue;
    model_.Snap(otherX, otherY);
    if (otherX == x && otherY == y) return true;
  }
  return false;
}
