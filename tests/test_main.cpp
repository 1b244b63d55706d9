// SPDX-License-Identifier: MIT
// The test program: a Qt application on the offscreen platform (no display
// needed) with the program's resources, then every GoogleTest suite.
#include <gtest/gtest.h>

#include <QApplication>

#include <windows.h>
#include "res/resources.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  SetModuleResources(&g_zorvResources);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
