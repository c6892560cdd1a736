#pragma once

#include <cstdint>

#include "document/Document.h"

namespace slicewright {

// What detection tells the view while it runs; the view draws from it.
class DetectionObserver {
 public:
  virtual ~DetectionObserver() = default;
  // The run starts: the segment strip is blanked.
  virtual void RunStarted() {}
  // The scan has read this many bytes of the sample data.
  virtual void ScanProgress(int32_t /*bytesRead*/) {}
  // A disabled point that is not active: the view may draw its icon.
  virtual void InactiveDisabledPoint(const SlicePoint& /*point*/) {}
  // ActivePoints is rebuilt: the view draws the marks and presents the image.
  virtual void ActivePointsSelected() {}
  // The table holds PointLimit points after this run.
  virtual void PointLimitReached() {}
};

// Rescans the audio when RescanPending is set, then selects the active points
// at Threshold. viewWidth is the width of the waveform area, for ActivePointX.
void DetectSlicePoints(Document& doc, int32_t viewWidth, DetectionObserver& observer);
void DetectSlicePoints(Document& doc, int32_t viewWidth = 0);

// The scan alone: finds, refines and rates every slice point, replacing the
// table, and clears RescanPending.
void ScanSlicePoints(Document& doc, DetectionObserver& observer);

// Steps of the scan, exposed for tests: the block envelope detector that
// appends onsets to an emptied table, and the refinement that moves each onset
// back before its attack and walks it to a local minimum of loudness.
void FindOnsets(Document& doc, DetectionObserver& observer);
void RefineSlicePoints(Document& doc);

// The selection alone: rebuilds ActivePoints, ActivePointCount and ActivePointX.
void SelectActivePoints(Document& doc, int32_t viewWidth, DetectionObserver& observer);

// Strength of a point from the swing after it against the swing before it.
int32_t PointStrength(const uint8_t* data, int32_t dataLength, int32_t position, int32_t nextPosition);

}  // namespace slicewright
