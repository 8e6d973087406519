// Veltaro: the Joukowski aerofoil window and its boundary-layer window.
// All work happens in the windows' message handlers on this one thread.
#include <fx.h>

#include "Veltaro.h"

int main(int argc, char* argv[]) {
  FXApp app("Veltaro", "FOX Veltaro");
  app.init(argc, argv, true);
  auto* win = new Veltaro(&app);
  app.create();
  const int code = app.run();
  // Deleted here, while the application is whole, so that the polar
  // window's computation is stopped and its thread joined before anything
  // it reaches goes.  The window leaves the application's list of windows
  // as it goes, so the application does not delete it a second time.
  delete win;
  return code;
}
