// SPDX-License-Identifier: MIT
// The benchmark program: a Qt application on the offscreen platform with the
// program's resources, then every registered benchmark.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <windows.h>
#include "res/resources.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  SetModuleResources(&g_zorvResources);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
