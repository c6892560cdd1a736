#pragma once

// Documents built directly for the edit tests, and the window's part of an
// edit (the refresh and the locator re-derivation) done the way it does it.

#include <cstdint>
#include <vector>

#include "TestWaves.h"
#include "detect/SliceDetector.h"
#include "document/Document.h"
#include "edit/EditOutcome.h"
#include "edit/Undo.h"
#include "view/LocatorSegments.h"

namespace slicewright::test {

constexpr int32_t kTestWidth = 1000;
constexpr int32_t kActiveThreshold = 30000;

inline SlicePoint Point(int32_t position, int32_t strength = 40000, bool enabled = true,
                        bool locked = false) {
  return SlicePoint{position, strength, enabled, locked};
}

// A loaded document over the samples, with the given points (sorted by the
// caller), the threshold at kActiveThreshold, the whole view and the locators
// at the file's ends; the active points are selected.
inline Document EditDocument(const std::vector<int16_t>& samples,
                             const std::vector<SlicePoint>& points = {}) {
  Document doc;
  doc.SampleRate = 44100;
  doc.AvgBytesPerSec = 88200;
  doc.SampleStream = Pcm16(samples);
  doc.DataLength = static_cast<int32_t>(doc.SampleStream.size());
  doc.PlayBuffer.assign(doc.SampleStream.size(), 0);
  doc.LoadedFileName = "loop.wav";
  doc.FileLoaded = true;
  ResetPointTables(doc);
  for (const SlicePoint& p : points) doc.SlicePoints[++doc.SlicePointCount] = p;
  doc.SlicePoints[doc.SlicePointCount + 1] = SlicePoint{doc.DataLength, 0, false, false};
  doc.Threshold = kActiveThreshold;
  doc.ViewEnd = doc.ViewLength = doc.DataLength;
  doc.RightLocatorPos = doc.DataLength;
  DetectSlicePoints(doc, kTestWidth);
  DeriveLocatorSegments(doc);
  return doc;
}

// A ramp 1, 2, 3 ... so that every sample is told apart.
inline std::vector<int16_t> Ramp(size_t count) {
  std::vector<int16_t> samples(count);
  for (size_t i = 0; i < count; ++i) samples[i] = static_cast<int16_t>(i + 1);
  return samples;
}

// What the window does with an outcome once the core has changed the document.
inline void Finish(Document& doc, const EditOutcome& outcome) {
  if (outcome.Refresh) DetectSlicePoints(doc, kTestWidth);
  if (outcome.DeriveLocatorSegments) DeriveLocatorSegments(doc);
}

inline EditOutcome UndoAndFinish(Document& doc, bool addAtCurrentLength = false) {
  const EditOutcome outcome = UndoLastOperation(doc, addAtCurrentLength);
  Finish(doc, outcome);
  return outcome;
}

inline std::vector<int32_t> PointPositions(const Document& doc) {
  std::vector<int32_t> out;
  for (int32_t k = 1; k <= doc.SlicePointCount; ++k) out.push_back(doc.SlicePoints[k].Position);
  return out;
}

inline std::vector<int32_t> ActivePositions(const Document& doc) {
  std::vector<int32_t> out;
  for (int32_t k = 1; k <= doc.ActivePointCount; ++k) out.push_back(doc.ActivePoints[k].Position);
  return out;
}

inline std::vector<int16_t> Samples(const Document& doc) {
  std::vector<int16_t> out;
  for (int32_t at = 0; at + 1 < doc.DataLength; at += BytesPerSample) out.push_back(doc.SampleAt(at));
  return out;
}

}  // namespace slicewright::test
