#include "picture_saving.h"

#include <cctype>

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

void savePictureAsked(FXWindow* owner, const char* defaultName, int w, int h, const PictureBuilder& build) {
  const char* const caption = "Save picture";
  if (!askPictureSize(owner, "Picture size", w, h)) return;
  const FXString path =
      chooseSaveFile(owner, caption, defaultName, "PNG image (*.png)\nSVG picture (*.svg)\nAll files (*)");
  if (path.empty()) return;
  std::string why;
  if (!writePicture(owner->getApp(), build(w, h), path.text(), why))
    FXMessageBox::error(owner, MBOX_OK, caption, "%s", why.c_str());
}

bool writePicture(FXApp* app, const std::vector<plot::SvgPanel>& panels, const std::string& path, std::string& why) {
  return endsWithSvg(path) ? plot::writeSvgFile(path, panels, why) : writePngPicture(app, panels, path, why);
}

int pictureHeight(const std::string& caption, int w, int plotsHeight) {
  return plot::captionPanel(caption, w).height + plotsHeight;
}
