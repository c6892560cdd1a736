#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/LevelSummary.h"
#include "document/Samples.h"

namespace slicewright {

// Every position and length in the document is a byte offset into the
// 16-bit mono sample data; sample i starts at byte 2i.
constexpr int32_t BytesPerSample = 2;
constexpr int32_t PointLimit = 8192;
// The point tables hold PointLimit points plus the fixed start and end entries.
constexpr int32_t PointTableSize = PointLimit + 2;
// Threshold right after a load: above every strength detection can give.
constexpr int32_t ThresholdAfterLoad = 65536;
// Rates a recording can mean. A rate of 0 would divide by zero, and one of
// millions stretches the detector windows over the whole file.
constexpr int32_t LowestSampleRate = 1;
constexpr int32_t HighestSampleRate = 768000;

struct SlicePoint {
  int32_t Position = 0;
  int32_t Strength = 0;
  bool Enabled = false;
  bool Locked = false;

  bool operator==(const SlicePoint&) const = default;
};

// Whether a point cuts the audio at the given threshold.
inline bool IsActive(const SlicePoint& p, int32_t threshold) {
  return (p.Strength > threshold && p.Enabled) || p.Locked;
}

// The operation the one-level undo record describes.
enum class UndoKind {
  None,
  Add,
  Kill,  // only Undo of Add writes it
  Edit,  // a point dragged
  Enable,
  Disable,
  Unlock,
  Lock,
  Reverse,
  Silence,
  PasteSegment,
  PasteKeep,
  PasteNew,
  Crop,
};

// Kinds that saved the whole audio rather than a stretch of it.
inline bool IsWholeAudioKind(UndoKind kind) {
  return kind == UndoKind::PasteKeep || kind == UndoKind::PasteNew || kind == UndoKind::Crop;
}

// The one-level undo record: which operation was last, and the bytes or the
// point it touched. A whole-audio change also keeps what belongs to the audio
// it replaced: the point table (Paste All And Keep) and the locators (Crop).
struct UndoRecord {
  UndoKind Kind = UndoKind::None;
  int32_t UndoStart = 0;
  int32_t UndoLength = 0;
  int32_t UndoIndex = 0;
  std::vector<uint8_t> UndoStream;
  std::vector<SlicePoint> SavedPoints;
  int32_t SavedLeftLocator = 0;
  int32_t SavedRightLocator = 0;

  void Clear() {
    Kind = UndoKind::None;
    UndoStart = 0;
    UndoLength = 0;
    UndoStream.clear();
    SavedPoints.clear();
  }
};

// The whole state of the one open document. Core functions take it by
// reference; the window owns the single instance.
struct Document {
  Document();

  // Format of the sample data.
  int32_t SampleRate = 0;
  int32_t AvgBytesPerSec = 0;
  uint16_t BitsPerSample = 16;
  uint16_t Channels = 1;
  int32_t DataLength = 0;

  // Signed 16-bit little-endian PCM; SampleStream.size() == DataLength.
  std::vector<uint8_t> SampleStream;
  // The levels of SampleStream in blocks, for drawing any view quickly. Kept
  // in step by SamplesReplaced and SamplesChanged.
  LevelSummary Levels;
  // After SampleStream was given new contents of any length.
  void SamplesReplaced() { Levels.Build(SampleStream); }
  // After bytes [start, start + length) of SampleStream were changed in place.
  void SamplesChanged(int32_t start, int32_t length) { Levels.Update(SampleStream, start, length); }

  std::vector<uint8_t> PlayBuffer;
  int32_t PlayBufferLength = 0;
  int32_t PlayBufferStart = 0;
  bool PlayBufferStale = false;

  // Entries 0 and Count + 1 are the fixed start and end entries.
  std::vector<SlicePoint> SlicePoints;
  int32_t SlicePointCount = 0;
  std::vector<SlicePoint> ActivePoints;
  int32_t ActivePointCount = 0;
  // Column of each active point on the full-file scale of the waveform area.
  std::vector<double> ActivePointX;

  int32_t Threshold = 65535;
  int32_t SelectedSegment = 1;
  bool SegmentSelected = false;

  int32_t ViewStart = 0;
  int32_t ViewEnd = 0;
  int32_t ViewLength = 0;
  double ZoomFactor = 1.0;

  int32_t LeftLocatorPos = 0;
  int32_t RightLocatorPos = 0;
  int32_t LeftLocatorSegment = 1;
  int32_t RightLocatorSegment = 1;

  std::string LoadedFileName;
  // The loaded file's own format in words ("24-bit PCM, 48000 Hz, stereo,
  // 0:12.5") when it was converted on loading; empty when it was read as
  // 16-bit PCM WAV. The sample data is 16-bit mono either way.
  std::string SourceFormat;
  bool FileLoaded = false;
  bool RescanPending = false;
  bool WaveImageStale = true;

  // Loop tempo as last computed; read by the MIDI template writer.
  uint16_t LoopBars = 0;
  uint16_t LoopBeats = 0;
  double LoopBpm = 0.0;

  UndoRecord Undo;

  bool HasFile() const { return !LoadedFileName.empty(); }

  // The view shows the whole data, at zoom 1.
  void ViewWholeFile() {
    ViewStart = 0;
    ViewEnd = DataLength;
    ViewLength = DataLength;
    ZoomFactor = 1.0;
  }

  // Signed sample whose first byte is at the given offset; the caller keeps
  // the offset inside the data.
  int16_t SampleAt(int32_t byteOffset) const {
    return DecodeSample(&SampleStream[static_cast<size_t>(byteOffset)]);
  }

  // Segment k runs from ActivePoints[k - 1] up to ActivePoints[k].
  int32_t SegmentStart(int32_t k) const { return ActivePoints[k - 1].Position; }
  int32_t SegmentEnd(int32_t k) const { return ActivePoints[k].Position; }
  int32_t SegmentCount() const { return ActivePointCount + 1; }
  // The segment whose bytes [start, end) hold the byte: one on a bound
  // belongs to the segment that starts there (the later of coinciding bounds).
  int32_t SegmentHolding(double byte) const;
};

// Empties the point tables and sets the fixed entries for the current length.
void ResetPointTables(Document& doc);

}  // namespace slicewright
