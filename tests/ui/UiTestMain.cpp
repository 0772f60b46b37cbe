#include "UiTestMain.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

std::vector<UiTestFactory_t>& RegisteredUiTests() {
  static std::vector<UiTestFactory_t> arrFactory;
  return arrFactory;
}

// Runs every registered test class on one QApplication. The window saves its
// setup and builds under the home folder: HOME and XDG_CONFIG_HOME point at a
// temporary folder, never at the user's own.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QTemporaryDir home;
  if (!home.isValid()) qFatal("cannot create a temporary home folder");
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
  QApplication app(argc, argv);
  int nFailed = 0;
  for (const UiTestFactory_t& factory : RegisteredUiTests())
    nFailed += QTest::qExec(factory().get(), argc, argv);
  return nFailed == 0 ? 0 : 1;
}
