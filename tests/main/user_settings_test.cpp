// Checks the settings kept between starts: defaults, the round trip, the placement rules, the
// reset after a failed read, and the recent-file list.
#include "user_settings.h"

#include <gtest/gtest.h>

#include <map>

namespace tolvane::app {
namespace {

class MapStore : public SettingsStore {
 public:
  std::optional<std::string> Value(const std::string& name) const override {
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  void SetValue(const std::string& name, const std::string& value) override {
    values[name] = value;
  }
  bool readFailed() const override { return failed; }
  std::map<std::string, std::string> values;
  bool failed = false;
};

UserSettings filled() {
  UserSettings settings;
  settings.WordProcessor = "gedit";
  settings.CurDir = "/home/user/piles";
  settings.DefSIUnits = 2;
  settings.DefWindowsPos = true;
  settings.DefWindowsState = kWindowMaximized;
  settings.DefBoundLeft = 10;
  settings.DefBoundTop = 20;
  settings.DefBoundWidth = 900;
  settings.DefBoundHeight = 700;
  settings.recent.putFirst("/home/user/piles/a.tv9d");
  settings.recent.putFirst("/home/user/piles/b.tv9d");
  return settings;
}

TEST(UserSettingsTest, AnEmptyStoreGivesTheDefaults) {
  MapStore store;
  UserSettings settings;
  settings.CurDir = "/opt/tolvane";
  readSettings(store, settings);
  EXPECT_EQ(settings.WordProcessor, "");
  EXPECT_EQ(settings.CurDir, "/opt/tolvane");
  EXPECT_EQ(settings.DefSIUnits, 1);
  EXPECT_FALSE(settings.DefWindowsPos);
  EXPECT_EQ(settings.recent.NumberPrevFile(), 0);
}

TEST(UserSettingsTest, RoundTripUnderTheValueNames) {
  MapStore store;
  writeSettings(store, filled());
  EXPECT_EQ(store.values.at("Word Processor"), "gedit");
  EXPECT_EQ(store.values.at("Directory"), "/home/user/piles");
  EXPECT_EQ(store.values.at("SIUnits"), "2");
  EXPECT_EQ(store.values.at("WindowsPos"), "1");
  EXPECT_EQ(store.values.at("WindowsState"), "2");
  EXPECT_EQ(store.values.at("BoundLeft"), "10");
  EXPECT_EQ(store.values.at("BoundHeight"), "700");
  EXPECT_EQ(store.values.at("File1"), "/home/user/piles/b.tv9d");
  EXPECT_EQ(store.values.at("File2"), "/home/user/piles/a.tv9d");
  EXPECT_EQ(store.values.at("File10"), "");

  UserSettings read;
  readSettings(store, read);
  const UserSettings expected = filled();
  EXPECT_EQ(read.WordProcessor, expected.WordProcessor);
  EXPECT_EQ(read.CurDir, expected.CurDir);
  EXPECT_EQ(read.DefSIUnits, 2);
  EXPECT_TRUE(read.DefWindowsPos);
  EXPECT_EQ(read.DefWindowsState, kWindowMaximized);
  EXPECT_EQ(read.DefBoundLeft, 10);
  EXPECT_EQ(read.DefBoundTop, 20);
  EXPECT_EQ(read.DefBoundWidth, 900);
  EXPECT_EQ(read.DefBoundHeight, 700);
  EXPECT_EQ(read.recent.PrevFile(), expected.recent.PrevFile());
  EXPECT_EQ(read.recent.NumberPrevFile(), 2);
}

TEST(UserSettingsTest, EmptyProcessorAndFolderKeepTheCurrentOnes) {
  MapStore store;
  store.values = {{"Word Processor", ""}, {"Directory", ""}};
  UserSettings settings;
  settings.WordProcessor = "kate";
  settings.CurDir = "/srv";
  readSettings(store, settings);
  EXPECT_EQ(settings.WordProcessor, "kate");
  EXPECT_EQ(settings.CurDir, "/srv");
}

TEST(UserSettingsTest, RecentFilesCloseUpOverEmptyEntries) {
  MapStore store;
  store.values = {{"File1", ""}, {"File2", "/p/b.tv9d"}, {"File5", "/p/e.tv9d"}};
  UserSettings settings;
  readSettings(store, settings);
  EXPECT_EQ(settings.recent.NumberPrevFile(), 2);
  EXPECT_EQ(settings.recent.PrevFile()[0], "/p/b.tv9d");
  EXPECT_EQ(settings.recent.PrevFile()[1], "/p/e.tv9d");
  EXPECT_EQ(settings.recent.PrevFile()[2], "");
}

TEST(UserSettingsTest, PlacementCountsOnlyWhenFlaggedAndComplete) {
  MapStore store;
  writeSettings(store, filled());
  store.values.erase("BoundTop");
  UserSettings settings;
  readSettings(store, settings);
  EXPECT_FALSE(settings.DefWindowsPos);
  EXPECT_EQ(settings.DefSIUnits, 2);  // the rest is read

  writeSettings(store, filled());
  store.values["WindowsPos"] = "0";
  readSettings(store, settings);
  EXPECT_FALSE(settings.DefWindowsPos);
}

TEST(UserSettingsTest, FailedReadResetsAllButTheFolder) {
  const auto expectReset = [](const UserSettings& settings) {
    EXPECT_EQ(settings.WordProcessor, "");
    EXPECT_EQ(settings.DefSIUnits, 1);
    EXPECT_FALSE(settings.DefWindowsPos);
    EXPECT_EQ(settings.recent.NumberPrevFile(), 0);
  };
  // A store that cannot be read.
  MapStore unreadable;
  writeSettings(unreadable, filled());
  unreadable.failed = true;
  UserSettings settings = filled();
  readSettings(unreadable, settings);
  expectReset(settings);
  EXPECT_EQ(settings.CurDir, "/home/user/piles");

  // Values that are not what they should be.
  for (const auto& [name, value] : {std::pair{"SIUnits", "metric"}, std::pair{"SIUnits", "3"},
                                    std::pair{"BoundLeft", "1.5"}, std::pair{"WindowsPos", ""}}) {
    MapStore store;
    writeSettings(store, filled());
    store.values[name] = value;
    UserSettings read = filled();
    readSettings(store, read);
    SCOPED_TRACE(std::string(name) + "=" + value);
    expectReset(read);
  }
}

TEST(RecentFilesTest, PutFirstMovesUpOrPushesDown) {
  RecentFiles recent;
  recent.putFirst("a");
  recent.putFirst("b");
  recent.putFirst("c");
  EXPECT_EQ(recent.PrevFile()[0], "c");
  EXPECT_EQ(recent.PrevFile()[1], "b");
  EXPECT_EQ(recent.PrevFile()[2], "a");
  EXPECT_EQ(recent.NumberPrevFile(), 3);
  // The same file again stays once, at the top.
  recent.putFirst("a");
  EXPECT_EQ(recent.PrevFile()[0], "a");
  EXPECT_EQ(recent.PrevFile()[1], "c");
  EXPECT_EQ(recent.PrevFile()[2], "b");
  recent.putFirst("a");
  EXPECT_EQ(recent.PrevFile()[0], "a");
  EXPECT_EQ(recent.PrevFile()[1], "c");
  EXPECT_EQ(recent.NumberPrevFile(), 3);
}

TEST(RecentFilesTest, TheEleventhFilePushesOutTheOldest) {
  RecentFiles recent;
  for (int n = 1; n <= 11; ++n) recent.putFirst("f" + std::to_string(n));
  EXPECT_EQ(recent.NumberPrevFile(), 10);
  EXPECT_EQ(recent.PrevFile()[0], "f11");
  EXPECT_EQ(recent.PrevFile()[9], "f2");
  // The last entry moved up loses nothing.
  recent.putFirst("f2");
  EXPECT_EQ(recent.PrevFile()[0], "f2");
  EXPECT_EQ(recent.PrevFile()[1], "f11");
  EXPECT_EQ(recent.PrevFile()[9], "f3");
}

TEST(RecentFilesTest, CaptionDropsTheCurrentFolder) {
  RecentFiles recent;
  recent.putFirst("/home/user/other/b.tv9d");
  recent.putFirst("/home/user/piles/sub/a.tv9d");
  EXPECT_EQ(recent.Caption(1, "/home/user/piles"), "1 sub/a.tv9d");
  EXPECT_EQ(recent.Caption(1, "/home/user/piles/"), "1 sub/a.tv9d");
  EXPECT_EQ(recent.Caption(2, "/home/user/piles"), "2 /home/user/other/b.tv9d");
  // A folder whose name only starts the same is not the current one.
  EXPECT_EQ(recent.Caption(1, "/home/user/pil"), "1 /home/user/piles/sub/a.tv9d");
  EXPECT_EQ(recent.Caption(1, ""), "1 /home/user/piles/sub/a.tv9d");
}

}  // namespace
}  // namespace tolvane::app
