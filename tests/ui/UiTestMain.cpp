#include "UiTestMain.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

std::vector<UiTestFactory_t>& RegisteredUiTests() {
  static std::vector<UiTestFactory_t> arrFactory;
  return arrFactory;
}

// ui_tests [TestClass] [QtTest options and functions]: without a class
// name every class runs. The window saves its setup when it closes: HOME and
// XDG_CONFIG_HOME point at a temporary folder, never at the user's own.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QTemporaryDir home;
  if (!home.isValid()) qFatal("cannot create a temporary home folder");
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
  QApplication app(argc, argv);
  const char* pszOnly =
      argc > 1 && argv[1][0] != '-' && std::strchr(argv[1], '(') == nullptr ? argv[1] : nullptr;
  std::vector<char*> arrArg(argv, argv + argc);
  int nFailed = 0;
  bool bFound = false;
  for (const UiTestFactory_t& factory : RegisteredUiTests()) {
    const std::unique_ptr<QObject> pTest = factory();
    const bool bThis =
        pszOnly != nullptr && std::strcmp(pTest->metaObject()->className(), pszOnly) == 0;
    if (pszOnly != nullptr && !bThis) continue;
    bFound = true;
    if (bThis) {
      std::vector<char*> arrRest = arrArg;
      arrRest.erase(arrRest.begin() + 1);
      nFailed += QTest::qExec(pTest.get(), static_cast<int>(arrRest.size()), arrRest.data());
    } else {
      nFailed += QTest::qExec(pTest.get(), argc, argv);
    }
  }
  if (!bFound) qWarning("no test class %s", pszOnly);
  return nFailed == 0 && bFound ? 0 : 1;
}
