#include "picture_size_dialog.h"

#include <algorithm>
#include <string>

#include "number_text.h"
#include "saved_picture.h"

bool askPictureSize(FXWindow* owner, const char* caption, int& w, int& h) {
  FXDialogBox box(owner, caption, DECOR_TITLE | DECOR_BORDER | DECOR_CLOSE, 0, 0, 0, 0, 10, 10, 10, 10, 6, 6);
  auto* grid = new FXMatrix(&box, 2, MATRIX_BY_COLUMNS);
  NumberField fields[2];
  const char* const labels[2] = {"Width", "Height"};
  int* sides[2] = {&w, &h};
  for (int k = 0; k < 2; ++k) {
    fields[k].label = labels[k];
    fields[k].decimals = -1;
    fields[k].value = std::clamp(*sides[k], plot::kMinPictureSide, plot::kMaxPictureSide);
    new FXLabel(grid, (std::string(labels[k]) + " (pixels)").c_str(), nullptr, JUSTIFY_RIGHT | LAYOUT_FILL_X | LAYOUT_CENTER_Y);
    // Enter in either field accepts the box.  No character filter: what is
    // typed arrives as typed, and a refusal quotes it.
    fields[k].widget = new FXTextField(grid, 6, &box, FXDialogBox::ID_ACCEPT,
                                       TEXTFIELD_ENTER_ONLY | FRAME_SUNKEN | FRAME_THICK);
    showNumber(fields[k]);
  }
  auto* buttons = new FXHorizontalFrame(&box, LAYOUT_FILL_X | PACK_UNIFORM_WIDTH);
  new FXButton(buttons, "&OK", nullptr, &box, FXDialogBox::ID_ACCEPT,
               BUTTON_INITIAL | BUTTON_DEFAULT | FRAME_RAISED | FRAME_THICK | LAYOUT_RIGHT);
  new FXButton(buttons, "&Cancel", nullptr, &box, FXDialogBox::ID_CANCEL, FRAME_RAISED | FRAME_THICK | LAYOUT_RIGHT);
  const std::string accepted = "a whole number from " + std::to_string(plot::kMinPictureSide) + " to " +
                               std::to_string(plot::kMaxPictureSide);
  // The width's text selected, so that typing replaces it (once the box
  // exists: a field takes the focus only in a window of the display).
  box.create();
  fields[0].widget->setFocus();
  fields[0].widget->selectAll();
  for (;;) {
    if (!box.execute(PLACEMENT_OWNER)) return false;
    bool good = true;
    for (NumberField& f : fields)
      if (good)
        good = commitNumber(&box, f, accepted, [&](double v) {
          return v >= plot::kMinPictureSide && v <= plot::kMaxPictureSide ? std::string()
                                                                          : outOfRange(f.label, v, accepted);
        });
    if (!good) continue;
    w = static_cast<int>(fields[0].value);
    h = static_cast<int>(fields[1].value);
    return true;
  }
}
