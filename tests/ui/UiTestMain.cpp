#include "UiTestMain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

std::vector<UiTestFactory_t>& RegisteredUiTests() {
  static std::vector<UiTestFactory_t> arrFactory;
  return arrFactory;
}

// Runs every registered test class on one QApplication. The window saves its
// setup and builds under the home folder: HOME and XDG_CONFIG_HOME point at a
// temporary folder, never at the user's own. The offscreen screen is a
// desktop's 1600 by 1000 pixels at 96 dpi, so the windows beside the main
// window have room (its file is closed at the end of its block, before Qt
// reads it).
int main(int argc, char** argv) {
  const QTemporaryDir home;
  if (!home.isValid()) qFatal("cannot create a temporary home folder");
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") {
    const QString strScreen = home.filePath(QStringLiteral("screen.json"));
    QFile screen(strScreen);
    if (!screen.open(QIODevice::WriteOnly) ||
        screen.write(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1600,
                         "height": 1000, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0)
      qFatal("cannot write the offscreen screen's configuration");
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + strScreen.toLocal8Bit());
  }
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
  QApplication app(argc, argv);
  int nFailed = 0;
  for (const UiTestFactory_t& factory : RegisteredUiTests())
    nFailed += QTest::qExec(factory().get(), argc, argv);
  return nFailed == 0 ? 0 : 1;
}
