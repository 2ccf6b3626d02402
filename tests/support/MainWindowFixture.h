#pragma once

#include <gtest/gtest.h>

#include "support/FakeStrings.h"
#include "support/MainWindowWithArchive.h"
#include "support/TempDir.h"

namespace telvoran::test {

// A test of a shown main window over numbered texts, with a folder of its own for the archives
// it opens.
class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override { main.show(); }

  FakeStrings strings = NumberedStrings();
  MainWindowWithArchive window{strings, "/"};
  ScriptedDialogs& dialogs = window.dialogs;
  MainWindow& main = window.main;
  TempDir dir;
};

}  // namespace telvoran::test
