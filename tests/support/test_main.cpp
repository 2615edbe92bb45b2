// Test entry: a QApplication for the widgets, on the offscreen platform whether or not a display
// is set, unless QT_QPA_PLATFORM names another (QT_QPA_PLATFORM=xcb shows the windows).
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
