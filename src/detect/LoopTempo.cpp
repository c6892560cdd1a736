#include "detect/LoopTempo.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace slicewright {

std::optional<int32_t> ParseWholeNumber(const std::string& text) {
  int32_t value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc{} || ptr != last || first == last) return std::nullopt;
  return value;
}

std::string BpmCaption(double bpm) {
  // One decimal, halves away from zero as the read-out has always shown them.
  const long double tenths = std::round(static_cast<long double>(bpm) * 10.0L);
  char text[64];
  std::snprintf(text, sizeof text, "%4.1Lf BPM", tenths / 10.0L);
  return text;
}

LoopTempoUpdate UpdateLoopTempo(Document& doc, const std::string& barsText, const std::string& beatsText) {
  LoopTempoUpdate update;
  const auto bars = ParseWholeNumber(barsText);
  const auto beats = ParseWholeNumber(beatsText);
  if (!bars || !beats || *bars < 0 || *beats < 0 || *bars > UINT16_MAX || *beats > UINT16_MAX) {
    return update;
  }
  const int64_t regionBytes = int64_t{doc.RightLocatorPos} - doc.LeftLocatorPos;
  if (regionBytes <= 0 || doc.SampleRate <= 0) return update;
  doc.LoopBars = static_cast<uint16_t>(*bars);
  doc.LoopBeats = static_cast<uint16_t>(*beats);
  const double seconds = static_cast<double>(regionBytes) / 2.0 / doc.SampleRate;
  doc.LoopBpm = 60.0 / seconds * (4.0 * doc.LoopBars + doc.LoopBeats);
  update.caption = BpmCaption(doc.LoopBpm);
  update.templateEnabled = doc.LoopBars != 0 || doc.LoopBeats != 0;
  return update;
}

}  // namespace slicewright
