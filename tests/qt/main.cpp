// The Qt test executable: one QApplication on the offscreen platform for every test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The offscreen screen is 800 by 600 pixels unless configured; the window tests run on
// a common desktop size, where the main window's design bounds fit.
std::string WriteScreenConfig() {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("marvek_qt_tests_screen_" + std::to_string(getpid()) + ".json");
  std::ofstream(path) << R"({"screens": [{"name": "desktop", "x": 0, "y": 0, )"
                      << R"("width": 1920, "height": 1080, "logicalDpi": 96, "dpr": 1}]})";
  return path.string();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string screenConfig = WriteScreenConfig();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screenConfig).c_str());
  QApplication app(argc, argv);
  std::remove(screenConfig.c_str());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
