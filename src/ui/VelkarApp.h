// CVelkarApp: the application object. Run shows the main window until it is
// closed, then destroys the data store with every record it holds; the
// process ends when Run returns.
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
