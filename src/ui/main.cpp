// Velkar: the damage calculator's window.
#include "VelkarApp.h"

int main(int argc, char** argv) {
  if (const std::optional<int> nExit = CVelkarApp::AnswerWithoutWindow(argc, argv)) return *nExit;
  CVelkarApp app(argc, argv);
  return app.Run();
}
