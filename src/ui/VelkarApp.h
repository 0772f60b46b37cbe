// CVelkarApp: the application object. Run restores the last setup into the
// main window and shows it until it is closed (which saves the setup again), then destroys the data
// store with every record it holds; the process ends when Run returns.
#pragma once

#include <QApplication>

class CVelkarApp : public QApplication {
  Q_OBJECT

public:
  CVelkarApp(int& argc, char** argv);
  ~CVelkarApp() override;

  // Runs the main window modally and releases the store afterwards; the
  // process's exit code.
  int Run();
};
