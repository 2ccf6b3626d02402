// Runs GoogleTest inside a QApplication, so that widget tests can create windows.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/PrivateSettings.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  // The program's settings (its recently opened files) go to a folder of the test run's own,
  // never to the settings of the person running the tests.
  QTemporaryDir settings;
  telvoran::test::UsePrivateSettings(settings.path());
  QApplication app(argc, argv);
  // As at start-up: the application title is set before any window is made.
  QApplication::setApplicationName("Telvoran");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
