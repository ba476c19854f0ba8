// A writer killed with SIGKILL at random moments, a thousand times, over a game file of a thousand
// lines: after every kill the file is, byte for byte, the content before or after one whole write, and
// the temporary files a killed writer leaves are never read as the file and go with the next write.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "platform/IniEngine.h"
#include "platform/PosixPlatform.h"
#include "safety/ChildProcess.h"
#include "safety/LoopKeys.h"
#include "support/core/TempFolder.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;
using safety::kLoopKeys;

constexpr int kKills = 1000;

// The demo game file padded with sections of its own to a thousand lines, ending in the loop's last key.
std::string gameSizedFile() {
  std::string text = demoGameIni();
  for (int section = 0; std::count(text.begin(), text.end(), '\n') < 990; ++section) {
    text += "\r\n[Pad." + std::to_string(section) + "]\r\n";
    for (int key = 0; key < 8; ++key) text += "Key" + std::to_string(key) + "=Value " + std::to_string(key) + "\r\n";
  }
  return text + "\r\n[Pad.Last]\r\nCounter=0\r\n";
}

// The file as it is after the loop wrote every value up to `last`: key i % 4 holds the last such i.
std::string contentAfter(const std::string& base, long last) {
  std::string text = base;
  for (long i = std::max(0L, last - 3); i <= last; ++i) {
    const auto& [section, key] = kLoopKeys[static_cast<std::size_t>(i) % kLoopKeys.size()];
    text = ini::applyWrite(text, section, key, std::to_string(i));
  }
  return text;
}

std::vector<std::string> leftovers(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name != "UnrealTournament.ini") names.push_back(name);
  }
  return names;
}

TEST(KillDuringWrite, EveryKillLeavesTheOldOrTheNewFileAndLeftoversGoWithTheNextWrite) {
  TempFolder temp;
  const fs::path system = temp.path() / "UT" / "System";
  fs::create_directories(system);
  const std::string file = (system / "UnrealTournament.ini").string();
  const std::string base = gameSizedFile();
  ASSERT_GE(std::count(base.begin(), base.end(), '\n'), 1000);
  // Every key holds a value of the loop already: the content is then known from the four values.
  long last = static_cast<long>(kLoopKeys.size()) - 1;
  writeFileBytes(file, contentAfter(base, last));

  PosixPlatformOptions options;
  options.registryFile = temp / "registry.reg";
  options.currentDirectory = (temp.path() / "UT").string();
  options.wineLookup = false;
  PosixPlatform reader(options);

  std::mt19937 random(20261206);
  std::uniform_int_distribution<int> delayMicroseconds(0, 4000);
  int killsMidWrite = 0;  // kills that left a temporary file behind: the writer was inside a write
  int killsWithProgress = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    ChildProcess writer({"loop", file, std::to_string(last + 1)});
    ASSERT_TRUE(writer.started());
    ASSERT_EQ(writer.read(1), "r");
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    writer.kill();

    const std::string now = readFileBytes(file);
    // The last value written is the largest one in the file; the file must be exactly that state.
    long newest = last;
    for (const auto& [section, key] : kLoopKeys) {
      const auto value = ini::findValue(now, section, key);
      ASSERT_TRUE(value.has_value()) << "kill " << kill << ": " << section << "/" << key << " is gone";
      newest = std::max(newest, std::stol(std::string(*value)));
    }
    ASSERT_EQ(now, contentAfter(base, newest)) << "kill " << kill << " left a file that no whole write made";
    if (newest > last) ++killsWithProgress;
    last = newest;

    // A leftover is never taken for the file, whatever letter case the path is spelt in.
    const auto left = leftovers(system);
    if (!left.empty()) ++killsMidWrite;
    std::string value;
    reader.getPrivateProfileString("Pad.Last", "Counter", "", value, 255, "system\\unrealtournament.ini");
    ASSERT_EQ(value, std::string(*ini::findValue(now, "Pad.Last", "Counter")));
    ASSERT_LE(left.size(), 1u) << "leftovers of earlier writers were not cleaned: " << left.front();
  }
  // The next write from another process cleans up after the last killed writer.
  ASSERT_TRUE(reader.writePrivateProfileString("Pad.Last", "Counter", "done", "System\\UnrealTournament.ini"));
  EXPECT_TRUE(leftovers(system).empty());
  EXPECT_EQ(readFileBytes(file), ini::applyWrite(contentAfter(base, last), "Pad.Last", "Counter", "done"));

  std::printf(
      "[ figures  ] kills: %d, with a write completed: %d, inside a write (temporary file left): %d, "
      "last value written: %ld\n",
      kKills, killsWithProgress, killsMidWrite, last);
  // The figures show the kills landed where they matter: both between writes and inside them.
  EXPECT_GT(killsWithProgress, 0);
  EXPECT_GT(killsMidWrite, 0);
}

}  // namespace
}  // namespace vexorel::testing
