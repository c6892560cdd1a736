#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "app/ColourText.h"
#include "app/Configuration.h"
#include "app/RecentFiles.h"

namespace slicewright {
namespace {

// A value store in memory that records the order of reads and writes.
class MemoryStore : public ConfigStore {
 public:
  std::map<std::string, std::string> values;
  std::vector<std::string> reads;
  std::vector<std::string> writes;
  std::set<std::string> refusedWrites;
  bool canOpen = true;
  bool open = false;

  bool Open() override { return open = canOpen; }
  std::optional<std::string> Read(const std::string& name) override {
    EXPECT_TRUE(open);
    reads.push_back(name);
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  bool Write(const std::string& name, const std::string& text) override {
    EXPECT_TRUE(open);
    writes.push_back(name);
    if (refusedWrites.count(name)) return false;
    values[name] = text;
    return true;
  }
  void Close() override { open = false; }
};

const ConfigDefaults kDefaults{"/home/user/Desktop", "pavucontrol"};

TEST(ConfigColourText, NamesAndHexForms) {
  EXPECT_EQ(ColourToText(0x000000), "clBlack");
  EXPECT_EQ(ColourToText(0x00FF00), "clLime");
  EXPECT_EQ(ColourToText(0x808080), "clGray");
  EXPECT_EQ(ColourToText(0x80000005), "clWindow");
  EXPECT_EQ(ColourToText(ColourNone), "clNone");
  EXPECT_EQ(ColourToText(0xFF7F00), "$00FF7F00");
  EXPECT_EQ(ColourToText(0x00ABCDEF), "$00ABCDEF");

  EXPECT_EQ(TextToColour("clBlue"), 0xFF0000u);
  EXPECT_EQ(TextToColour("CLBLUE"), 0xFF0000u);
  EXPECT_EQ(TextToColour("clinfobk"), 0x80000018u);
  EXPECT_EQ(TextToColour("$0000FF00"), 0x00FF00u);
  EXPECT_EQ(TextToColour("$ff"), 0xFFu);
  EXPECT_EQ(TextToColour("255"), 0xFFu);
  EXPECT_EQ(TextToColour("-2147483643"), 0x80000005u);
  EXPECT_EQ(TextToColour("blue"), std::nullopt);
  EXPECT_EQ(TextToColour(""), std::nullopt);
  EXPECT_EQ(TextToColour("$"), std::nullopt);
  EXPECT_EQ(TextToColour("12abc"), std::nullopt);
  EXPECT_EQ(TextToColour("$100000000"), std::nullopt);
}

TEST(ConfigRead, FirstStartCreatesEveryValueInOrderWithDefaults) {
  MemoryStore store;
  Settings settings;
  ASSERT_TRUE(ReadConfiguration(store, settings, kDefaults));
  const std::vector<std::string> order{"OpenDir",    "SaveDir",    "SaveSFDir",    "SaveMidDir", "BGColour",
                                       "LineColour", "WaveColour", "DivColour",    "PlayColour", "File1",
                                       "File2",      "File3",      "File4",        "CPLoc",      "Height",
                                       "Width",      "Left",       "Top",          "Max",        "ShowIcon",
                                       "ShowLock",   "ShowEnable", "FilterEnable", "PanelAtTop"};
  EXPECT_EQ(store.reads, order);
  EXPECT_EQ(store.writes, order);
  EXPECT_EQ(store.values.size(), 24u);
  EXPECT_EQ(store.values["OpenDir"], "/home/user/Desktop");
  EXPECT_EQ(store.values["BGColour"], "clBlack");
  EXPECT_EQ(store.values["LineColour"], "clRed");
  EXPECT_EQ(store.values["WaveColour"], "clGreen");
  EXPECT_EQ(store.values["DivColour"], "clRed");
  EXPECT_EQ(store.values["PlayColour"], "clGray");
  EXPECT_EQ(store.values["File1"], "");
  EXPECT_EQ(store.values["CPLoc"], "pavucontrol");
  EXPECT_EQ(store.values["Height"], "480");
  EXPECT_EQ(store.values["Width"], "640");
  EXPECT_EQ(store.values["Left"], "54");
  EXPECT_EQ(store.values["Top"], "104");
  EXPECT_EQ(store.values["Max"], "false");
  EXPECT_EQ(store.values["ShowIcon"], "true");
  EXPECT_EQ(store.values["FilterEnable"], "false");
  EXPECT_EQ(store.values["PanelAtTop"], "false");
  EXPECT_EQ(settings.SavedLeft, 54);
  EXPECT_EQ(settings.SavedTop, 104);
  EXPECT_EQ(settings.SavedWidth, 640);
  EXPECT_EQ(settings.SavedHeight, 480);
  EXPECT_FALSE(store.open);
}

TEST(ConfigRead, BooleansAreTrueOnlyForExactText) {
  MemoryStore store;
  store.values = {{"ShowIcon", "True"},     {"ShowLock", "TRUE"}, {"ShowEnable", "true"},
                  {"FilterEnable", "true"}, {"Max", "true"},      {"PanelAtTop", "yes"}};
  Settings settings;
  ReadConfiguration(store, settings, kDefaults);
  EXPECT_FALSE(settings.ShowSampleIcons);
  EXPECT_FALSE(settings.ShowLockIcons);
  EXPECT_TRUE(settings.ShowDisabledIcons);
  EXPECT_TRUE(settings.AweFilterOption);
  EXPECT_TRUE(settings.Maximized);
  EXPECT_FALSE(settings.PanelAtTop);
}

TEST(ConfigRead, ColoursByNameAndNumberAndTheFallbackSet) {
  MemoryStore store;
  store.values = {{"BGColour", "clBlue"}, {"WaveColour", "$0000FF00"}};
  Settings settings;
  ReadConfiguration(store, settings, kDefaults);
  EXPECT_EQ(settings.Colours.BGColour, 0xFF0000u);
  EXPECT_EQ(settings.Colours.WaveColour, 0x00FF00u);
  EXPECT_EQ(settings.Colours.LineColour, 0x0000FFu);

  MemoryStore bad;
  bad.values = {{"BGColour", "clWhite"}, {"LineColour", "blue"}};
  Settings fallback;
  ReadConfiguration(bad, fallback, kDefaults);
  EXPECT_EQ(fallback.Colours, FallbackColours());
  EXPECT_EQ(fallback.Colours.WaveColour, 0xFF7F00u);
  EXPECT_EQ(bad.values.count("DivColour"), 0u);
  EXPECT_EQ(bad.values.count("PlayColour"), 0u);
  // Reading goes on after the colours.
  EXPECT_EQ(bad.values.count("File1"), 1u);
}

TEST(ConfigRead, PlacementTextThatIsNotANumberTakesItsDefault) {
  MemoryStore store;
  store.values = {{"Height", "tall"}, {"Width", "800"}, {"Left", "-20"}, {"Top", ""}};
  Settings settings;
  ReadConfiguration(store, settings, kDefaults);
  EXPECT_EQ(settings.SavedHeight, 480);
  EXPECT_EQ(settings.SavedWidth, 800);
  EXPECT_EQ(settings.SavedLeft, -20);
  EXPECT_EQ(settings.SavedTop, 104);
}

TEST(ConfigRead, UnopenableStoreKeepsStartValuesAndDefaultPlacement) {
  MemoryStore store;
  store.canOpen = false;
  Settings settings;
  EXPECT_FALSE(ReadConfiguration(store, settings, kDefaults));
  EXPECT_TRUE(store.reads.empty());
  EXPECT_EQ(settings.Colours, ViewColours{});
  EXPECT_TRUE(settings.ShowSampleIcons);
  EXPECT_EQ(settings.SavedWidth, 640);
  EXPECT_EQ(settings.SavedHeight, 480);
}

TEST(ConfigWrite, WritesInOrderAndSkipsPatternFolders) {
  MemoryStore store;
  Settings settings;
  settings.OpenDir = "/music";
  settings.SaveDir = "*.wav";
  settings.SaveMidDir = "";
  settings.SaveSFDir = "/banks";
  settings.Colours.WaveColour = 0x00FF00;
  settings.RecentFiles = {"/a.wav", "", "/c.wav", ""};
  settings.SavedWidth = 800;
  settings.Maximized = true;
  settings.PanelAtTop = true;
  const WriteOutcome outcome = WriteConfiguration(store, settings);
  EXPECT_TRUE(outcome.opened);
  EXPECT_EQ(outcome.failedWrites, 0);
  const std::vector<std::string> order{
      "OpenDir", "SaveSFDir", "BGColour", "LineColour", "WaveColour",   "DivColour", "PlayColour", "File1",
      "File2",   "File3",     "File4",    "CPLoc",      "Height",       "Width",     "Left",       "Top",
      "Max",     "ShowIcon",  "ShowLock", "ShowEnable", "FilterEnable", "PanelAtTop"};
  EXPECT_EQ(store.writes, order);
  EXPECT_EQ(store.values["WaveColour"], "clLime");
  EXPECT_EQ(store.values["File2"], "");
  EXPECT_EQ(store.values["Width"], "800");
  EXPECT_EQ(store.values["Max"], "true");
  EXPECT_EQ(store.values["PanelAtTop"], "true");
}

TEST(ConfigWrite, FailuresAreCountedAndTheRestIsWritten) {
  MemoryStore store;
  store.refusedWrites = {"BGColour", "Top"};
  const WriteOutcome outcome = WriteConfiguration(store, Settings{});
  EXPECT_EQ(outcome.failedWrites, 2);
  EXPECT_EQ(store.values.count("PanelAtTop"), 1u);

  MemoryStore closed;
  closed.canOpen = false;
  const WriteOutcome none = WriteConfiguration(closed, Settings{});
  EXPECT_FALSE(none.opened);
  EXPECT_TRUE(closed.writes.empty());
}

TEST(ConfigRoundTrip, WhatIsWrittenIsReadBack) {
  MemoryStore store;
  Settings written;
  written.OpenDir = "/loops";
  written.Colours = FallbackColours();
  written.Colours.PlayColour = 0x80000005;
  written.RecentFiles = {"/x,y.wav", "", "", "/z.wav"};
  written.ShowLockIcons = false;
  written.SavedLeft = 10;
  WriteConfiguration(store, written);
  Settings read;
  ReadConfiguration(store, read, kDefaults);
  EXPECT_EQ(read.OpenDir, "/loops");
  EXPECT_EQ(read.Colours, written.Colours);
  EXPECT_EQ(read.RecentFiles, written.RecentFiles);
  EXPECT_FALSE(read.ShowLockIcons);
  EXPECT_EQ(read.SavedLeft, 10);
}

TEST(ConfigRecentFiles, NewFilesGoOnTopAndTheOpenFileIsHidden) {
  RecentFileList files{"/1.wav", "/2.wav", "/3.wav", "/4.wav"};
  auto visible = UpdateRecentFiles(files, "/5.wav", true);
  EXPECT_EQ(files, (RecentFileList{"/5.wav", "/1.wav", "/2.wav", "/3.wav"}));
  EXPECT_EQ(visible, (RecentFileVisibility{false, true, true, true}));

  // Among the first three: the order stays.
  visible = UpdateRecentFiles(files, "/2.wav", true);
  EXPECT_EQ(files, (RecentFileList{"/5.wav", "/1.wav", "/2.wav", "/3.wav"}));
  EXPECT_EQ(visible, (RecentFileVisibility{true, true, false, true}));

  // The fourth moves to the top.
  visible = UpdateRecentFiles(files, "/3.wav", true);
  EXPECT_EQ(files, (RecentFileList{"/3.wav", "/5.wav", "/1.wav", "/2.wav"}));

  // A missing file is not added; after a close every filled slot shows.
  RecentFileList sparse{"/a.wav", "", "", ""};
  visible = UpdateRecentFiles(sparse, "/gone.wav", false);
  EXPECT_EQ(sparse, (RecentFileList{"/a.wav", "", "", ""}));
  visible = UpdateRecentFiles(sparse, "", false);
  EXPECT_EQ(visible, (RecentFileVisibility{true, false, false, false}));

  // Comparison is case-sensitive.
  RecentFileList cased{"/A.wav", "", "", ""};
  UpdateRecentFiles(cased, "/a.wav", true);
  EXPECT_EQ(cased, (RecentFileList{"/a.wav", "/A.wav", "", ""}));
}

}  // namespace
}  // namespace slicewright
