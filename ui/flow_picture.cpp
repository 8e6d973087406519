// The flow view's picture: both planes at a size the user chooses, PNG or SVG.
#include <algorithm>
#include <cctype>

#include "FlowWindow.h"
#include "Veltaro.h"
#include "caption.h"
#include "picture_size_dialog.h"
#include "save_file.h"

namespace {

bool endsWithSvg(const std::string& path) {
  if (path.size() < 4) return false;
  std::string end = path.substr(path.size() - 4);
  for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return end == ".svg";
}

}  // namespace

long FlowWindow::onCmdSavePicture(FXObject*, FXSelector, void*) {
  if (af_.currentN == 0) return 1;
  // The planes as they are on the screen, unless another size is asked.
  int w = sectionCanvas->getWidth() + circleCanvas->getWidth(), h = sectionCanvas->getHeight();
  if (!askPictureSize(this, "Picture size", w, h)) return 1;
  const FXString path = chooseSaveFile(this, "Save picture", "flow.png",
                                       "PNG image (*.png)\nSVG picture (*.svg)\nAll files (*)");
  if (path.empty()) return 1;
  std::string why;
  if (!savePicture(path.text(), w, h, why)) FXMessageBox::error(this, MBOX_OK, "Save picture", "%s", why.c_str());
  return 1;
}

bool FlowWindow::savePicture(const std::string& path, int w, int h, std::string& why) {
  if (af_.currentN == 0) {
    why = "There is no section to draw yet";
    return false;
  }
  const std::string caption = (af_.name.empty() ? plot::sectionCaption(af_.alphaDeg, af_.eR1, af_.hR1, af_.currentN)
                                                : plot::sectionCaption(af_.name, af_.alphaDeg, af_.currentN)) +
                              "; flow view";
  const std::vector<plot::SvgPanel> panels =
      plot::flowPictureToSave(af_, caption, linesSpinner->getValue(), colour(), body(), w, h);
  return endsWithSvg(path) ? plot::writeSvgFile(path, panels, why) : writePngPicture(getApp(), panels, path, why);
}
