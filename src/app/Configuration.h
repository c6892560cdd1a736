#pragma once

#include <cstdint>
#include <string>

#include "app/ColourText.h"
#include "app/ConfigStore.h"
#include "app/RecentFiles.h"

namespace slicewright {

// The five colours of the waveform view.
struct ViewColours {
  Colour BGColour = 0x000000;
  Colour LineColour = 0x0000FF;
  Colour WaveColour = 0x008000;
  Colour DivColour = 0x0000FF;
  Colour PlayColour = 0x808080;

  bool operator==(const ViewColours&) const = default;
};

// The colours used when a stored colour text cannot be read.
ViewColours FallbackColours();

// Everything that persists between runs, with its start value.
struct Settings {
  // Folders of the four file dialogs.
  std::string OpenDir;
  std::string SaveDir;
  std::string SaveSFDir;
  std::string SaveMidDir;
  ViewColours Colours;
  RecentFileList RecentFiles;
  std::string ControlPanelPath;
  int32_t SavedLeft = 0;
  int32_t SavedTop = 0;
  int32_t SavedWidth = 0;
  int32_t SavedHeight = 0;
  bool Maximized = false;
  bool ShowSampleIcons = true;
  bool ShowLockIcons = true;
  bool ShowDisabledIcons = true;
  bool AweFilterOption = false;
  bool PanelAtTop = false;
};

// Start values that depend on the machine.
struct ConfigDefaults {
  std::string DialogFolder;      // the user's desktop folder
  std::string ControlPanelPath;  // the sound control program
};

// The window placement used when nothing is stored.
constexpr int32_t DefaultLeft = 54;
constexpr int32_t DefaultTop = 104;
constexpr int32_t DefaultWidth = 640;
constexpr int32_t DefaultHeight = 480;

// File patterns of the dialogs; a folder equal to its dialog's pattern is
// not a folder and is not stored.
inline constexpr const char* WavePattern = "*.wav";
inline constexpr const char* MidiPattern = "*.mid";
inline constexpr const char* SoundFontPattern = "*.sf2";
inline constexpr const char* SfzPattern = "*.sfz";

std::string BoolText(bool value);
// Only the exact text "true" is true.
bool TextToBool(const std::string& text);

// Reads every value in its fixed order into settings, creating each missing
// value with its default at once. A colour text that cannot be read gives
// the fallback colours and ends the reading of colours. Returns false when
// the store could not be opened; settings then keep their start values
// except the placement, which takes the default placement.
bool ReadConfiguration(ConfigStore& store, Settings& settings, const ConfigDefaults& defaults);

struct WriteOutcome {
  bool opened = false;
  // Values that could not be stored; the rest were still written.
  int failedWrites = 0;
};

// Writes every value back in its fixed order.
WriteOutcome WriteConfiguration(ConfigStore& store, const Settings& settings);

}  // namespace slicewright
