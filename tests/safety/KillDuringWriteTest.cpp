// A writer killed with SIGKILL at random moments, a thousand times, over a game file of a thousand lines:
// after every kill the file is, byte for byte, the content before or after one whole write, and the
// temporary files a killed writer leaves are never read as the file and go with the next write.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "platform/IniEngine.h"
#include "platform/PosixPlatform.h"
#include "safety/ChildProcess.h"
#include "support/core/TempFolder.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;

// One key near the top of the game's file, two in the middle and one in the last section, so that the
// writes land all over the file.
const std::vector<std::string> kLoopKeys = {
    "URL",      "Port",   "Engine.GameEngine", "CacheSizeMegs", "WinDrv.WindowsClient", "MinDesiredFrameRate",
    "Pad.Last", "Counter"};  // section, key, ...

// The file after the loop wrote every value up to `last` (key i % 4 holds the last such i) into the demo
// game file padded with sections of its own to a thousand lines.
std::string contentAfter(long last) {
  static const std::string base = [] {
    std::string text = demoGameIni();
    for (int section = 0; std::count(text.begin(), text.end(), '\n') < 990; ++section) {
      text += "\r\n[Pad." + std::to_string(section) + "]\r\n";
      for (int key = 0; key < 8; ++key) text += "Key" + std::to_string(key) + "=Value " + std::to_string(key) + "\r\n";
    }
    return text + "\r\n[Pad.Last]\r\nCounter=0\r\n";
  }();
  std::string text = base;
  for (long i = std::max(0L, last - 3); i <= last; ++i) {
    text = ini::applyWrite(text, kLoopKeys[i % 4 * 2], kLoopKeys[i % 4 * 2 + 1], std::to_string(i));
  }
  return text;
}

TEST(KillDuringWrite, EveryKillLeavesTheOldOrTheNewFileAndLeftoversGoWithTheNextWrite) {
  TempFolder temp;
  const fs::path system = temp.path() / "UT" / "System", file = system / "UnrealTournament.ini";
  fs::create_directories(system);
  long last = 3;  // every key holds a value of the loop: the content is then known from the four values
  const std::string start = contentAfter(last);
  ASSERT_GE(std::count(start.begin(), start.end(), '\n'), 1000);
  writeFileBytes(file, start);
  PosixPlatform reader(PosixPlatformOptions{temp / "registry.reg", (temp.path() / "UT").string(), "", false});
  const auto leftovers = [&] { return std::distance(fs::directory_iterator(system), fs::directory_iterator()) - 1; };

  std::mt19937 random(20261206);
  int killsMidWrite = 0, killsWithProgress = 0;  // mid-write: a temporary file was left behind
  for (int kill = 0; kill < 1000; ++kill) {
    std::vector<std::string> arguments{"loop", file, std::to_string(last + 1)};
    arguments.insert(arguments.end(), kLoopKeys.begin(), kLoopKeys.end());
    ChildProcess writer(arguments);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 4001));
    writer.kill();
    // The last value written is the largest one in the file; the file must be exactly that state.
    const std::string now = readFileBytes(file);
    long newest = last;
    for (std::size_t k = 0; k < kLoopKeys.size(); k += 2) {
      const auto value = ini::findValue(now, kLoopKeys[k], kLoopKeys[k + 1]);
      ASSERT_TRUE(value.has_value()) << "kill " << kill << ": " << kLoopKeys[k + 1] << " is gone";
      newest = std::max(newest, std::stol(std::string(*value)));
    }
    ASSERT_EQ(now, contentAfter(newest)) << "kill " << kill << " left a file that no whole write made";
    killsWithProgress += newest > last;
    last = newest;
    // A leftover is never taken for the file, whatever letter case the path is spelt in.
    killsMidWrite += leftovers() > 0;
    std::string value;
    reader.getPrivateProfileString("Pad.Last", "Counter", "", value, 255, "system\\unrealtournament.ini");
    ASSERT_EQ(value, std::string(*ini::findValue(now, "Pad.Last", "Counter")));
    ASSERT_LE(leftovers(), 1) << "leftovers of earlier writers were not cleaned";
  }
  // The next write from another process cleans up after the last killed writer.
  ASSERT_TRUE(reader.writePrivateProfileString("Pad.Last", "Counter", "done", "System\\UnrealTournament.ini"));
  EXPECT_EQ(leftovers(), 0);
  EXPECT_EQ(readFileBytes(file), ini::applyWrite(contentAfter(last), "Pad.Last", "Counter", "done"));
  std::printf("[ figures  ] kills: 1000, with a write completed: %d, inside one: %d, last value: %ld\n",
              killsWithProgress, killsMidWrite, last);
  // The kills landed where they matter: both between writes and inside them.
  EXPECT_GT(killsWithProgress, 0);
  EXPECT_GT(killsMidWrite, 0);
}

}  // namespace
}  // namespace vexorel::testing
