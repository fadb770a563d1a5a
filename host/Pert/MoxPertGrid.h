#pragma once
// The PERT grid drawn beneath a chart: light lines every 25 units (the cell
// borders), so that the cell centres 12.5 + 25k where nodes snap lie between
// them. It covers the cells of a box it is fitted to, with one cell to spare.
// The lines are two polylines (one running up and down through the vertical
// lines, one to and fro through the horizontal ones; their joins lie on the
// border lines). They are made when the scene is drawn, not on each fit, and
// there are never more than kMaxLines a direction: over a wider chart the
// lines skip cells (every 2nd, 4th, ... cell border), so that a chart whose
// nodes lie a billion units apart costs what a small one does.
#include "Kiv2DBagRep.h"

class MoxPertGrid : public Kiv2DBagRep {
  KIV_CLASS(MoxPertGrid, Kiv2DBagRep, "Pert")
 public:
  static constexpr int kLineColor = 254;  // light grey
  static constexpr long kMaxLines = 512;

  // The grid is decoration: pictures and viewpoint resets frame the chart,
  // not the spare cells around it.
  MoxPertGrid() { SetCountsForFraming(false); }

  // Covers exactly the cells of `box` plus one on each side; an empty box
  // takes every line away.
  void Fit(const Kiv2DBoundingBox& box);
  // Covers `box` as well as what it covers now.
  void Extend(const Kiv2DBoundingBox& box);
  // The area covered (empty when there are no lines).
  const Kiv2DBoundingBox& GetCoveredBox() const { return covered_; }
  // Vertical plus horizontal lines drawn.
  int GetLineCount() const;
  // The distance between two neighbouring lines: the cell, or a power-of-two
  // multiple of it over a wide area.
  double GetLineSpacing() const;

  void CollectDrawItems(std::vector<KivDrawItem>& out, const Kiv3x3Matrix& world,
                        const KivGraphicAttributes& outer) const override;

 protected:
  ~MoxPertGrid() override;
  Kiv2DBoundingBox ComputeBoundingBox() const override;

 private:
  void Cover(const Kiv2DBoundingBox& cells);
  // Makes the lines for the covered area if it changed since.
  void Build() const;

  Kiv2DBoundingBox covered_;
  mutable bool built_ = true;
  mutable int lines_ = 0;
};
