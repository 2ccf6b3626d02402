// Runs GoogleTest inside a QApplication, so that widget tests can create windows.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  // As at start-up: the application title is set before any window is made.
  QApplication::setApplicationName("Telvoran");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
