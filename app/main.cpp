// Veltaro: the Joukowski aerofoil window and its boundary-layer window.
// All work happens in the windows' message handlers on this one thread.
#include <fx.h>

#include "Veltaro.h"

int main(int argc, char* argv[]) {
  FXApp app("Veltaro", "FOX Veltaro");
  app.init(argc, argv, true);
  new Veltaro(&app);
  app.create();
  return app.run();
}
