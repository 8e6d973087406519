#include "beside_owner.h"

#include "window_placement.h"

void placeBesideOwner(FXTopWindow* window, int wantW, int wantH) {
  // Where the owner is on the screen, asked of the window system: the
  // position the toolkit keeps is not told of every move.
  const FXWindow* owner = window->getOwner();
  FXint x = owner->getX(), y = owner->getY();
  if (owner->id()) owner->translateCoordinatesTo(x, y, window->getRoot(), 0, 0);
  const FXWindow* root = window->getRoot();
  const ScreenRect at =
      placeBeside({x, y, owner->getWidth(), owner->getHeight()}, wantW, wantH, root->getWidth(), root->getHeight());
  window->position(at.x, at.y, at.w, at.h);
}
