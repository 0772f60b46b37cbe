// Velkar: the damage calculator's window.
#include "VelkarApp.h"

int main(int argc, char** argv) {
  CVelkarApp app(argc, argv);
  return app.Run();
}
