#include "app/Configuration.h"

#include <charconv>
#include <optional>

namespace slicewright {
namespace {

std::string ReadValue(ConfigStore& store, const std::string& name, const std::string& defaultText) {
  if (auto text = store.Read(name)) return *text;
  // A missing value is created at once; a failure here only means it is
  // created again at the next start.
  store.Write(name, defaultText);
  return defaultText;
}

// A stored number that is not a whole decimal takes its default.
int32_t ReadNumber(ConfigStore& store, const std::string& name, int32_t defaultValue) {
  const std::string text = ReadValue(store, name, std::to_string(defaultValue));
  int32_t value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (first == last || ec != std::errc{} || ptr != last) return defaultValue;
  return value;
}

bool ReadBool(ConfigStore& store, const std::string& name, bool defaultValue) {
  return TextToBool(ReadValue(store, name, BoolText(defaultValue)));
}

// The five colours are read as one block: the first text that is not a
// colour gives the fallback set, and the remaining colours are not read.
ViewColours ReadColours(ConfigStore& store, const ViewColours& start) {
  ViewColours colours = start;
  Colour* targets[] = {&colours.BGColour, &colours.LineColour, &colours.WaveColour, &colours.DivColour,
                       &colours.PlayColour};
  const char* names[] = {"BGColour", "LineColour", "WaveColour", "DivColour", "PlayColour"};
  for (int i = 0; i < 5; ++i) {
    const std::optional<Colour> value = TextToColour(ReadValue(store, names[i], ColourToText(*targets[i])));
    if (!value) return FallbackColours();
    *targets[i] = *value;
  }
  return colours;
}

}  // namespace

ViewColours FallbackColours() {
  ViewColours colours;
  colours.WaveColour = 0xFF7F00;
  return colours;
}

std::string BoolText(bool value) { return value ? "true" : "false"; }

bool TextToBool(const std::string& text) { return text == "true"; }

bool ReadConfiguration(ConfigStore& store, Settings& settings, const ConfigDefaults& defaults) {
  if (!store.Open()) {
    settings.SavedLeft = DefaultLeft;
    settings.SavedTop = DefaultTop;
    settings.SavedWidth = DefaultWidth;
    settings.SavedHeight = DefaultHeight;
    return false;
  }
  settings.OpenDir = ReadValue(store, "OpenDir", defaults.DialogFolder);
  settings.SaveDir = ReadValue(store, "SaveDir", defaults.DialogFolder);
  settings.SaveSFDir = ReadValue(store, "SaveSFDir", defaults.DialogFolder);
  settings.SaveMidDir = ReadValue(store, "SaveMidDir", defaults.DialogFolder);
  settings.Colours = ReadColours(store, settings.Colours);
  for (int i = 0; i < RecentFileCount; ++i) {
    settings.RecentFiles[i] = ReadValue(store, "File" + std::to_string(i + 1), "");
  }
  settings.ControlPanelPath = ReadValue(store, "CPLoc", defaults.ControlPanelPath);
  settings.SavedHeight = ReadNumber(store, "Height", DefaultHeight);
  settings.SavedWidth = ReadNumber(store, "Width", DefaultWidth);
  settings.SavedLeft = ReadNumber(store, "Left", DefaultLeft);
  settings.SavedTop = ReadNumber(store, "Top", DefaultTop);
  settings.Maximized = ReadBool(store, "Max", false);
  settings.ShowSampleIcons = ReadBool(store, "ShowIcon", true);
  settings.ShowLockIcons = ReadBool(store, "ShowLock", true);
  settings.ShowDisabledIcons = ReadBool(store, "ShowEnable", true);
  settings.AweFilterOption = ReadBool(store, "FilterEnable", false);
  settings.PanelAtTop = ReadBool(store, "PanelAtTop", false);
  store.Close();
  return true;
}

WriteOutcome WriteConfiguration(ConfigStore& store, const Settings& settings) {
  WriteOutcome outcome;
  if (!store.Open()) return outcome;
  outcome.opened = true;
  auto write = [&](const std::string& name, const std::string& text) {
    if (!store.Write(name, text)) ++outcome.failedWrites;
  };
  auto writeFolder = [&](const std::string& name, const std::string& folder, const char* pattern) {
    if (!folder.empty() && folder != pattern) write(name, folder);
  };
  writeFolder("OpenDir", settings.OpenDir, WavePattern);
  writeFolder("SaveDir", settings.SaveDir, WavePattern);
  writeFolder("SaveMidDir", settings.SaveMidDir, MidiPattern);
  writeFolder("SaveSFDir", settings.SaveSFDir, SoundFontPattern);
  write("BGColour", ColourToText(settings.Colours.BGColour));
  write("LineColour", ColourToText(settings.Colours.LineColour));
  write("WaveColour", ColourToText(settings.Colours.WaveColour));
  write("DivColour", ColourToText(settings.Colours.DivColour));
  write("PlayColour", ColourToText(settings.Colours.PlayColour));
  for (int i = 0; i < RecentFileCount; ++i) write("File" + std::to_string(i + 1), settings.RecentFiles[i]);
  write("CPLoc", settings.ControlPanelPath);
  write("Height", std::to_string(settings.SavedHeight));
  write("Width", std::to_string(settings.SavedWidth));
  write("Left", std::to_string(settings.SavedLeft));
  write("Top", std::to_string(settings.SavedTop));
  write("Max", BoolText(settings.Maximized));
  write("ShowIcon", BoolText(settings.ShowSampleIcons));
  write("ShowLock", BoolText(settings.ShowLockIcons));
  write("ShowEnable", BoolText(settings.ShowDisabledIcons));
  write("FilterEnable", BoolText(settings.AweFilterOption));
  write("PanelAtTop", BoolText(settings.PanelAtTop));
  store.Close();
  return outcome;
}

}  // namespace slicewright
