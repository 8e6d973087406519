// Save dialogs and PNG pictures of the windows' drawings.
#include "save_file.h"

#include <FXPNGImage.h>

#include <algorithm>

#include "atomic_file.h"
#include "fox_paint.h"

FXString chooseSaveFile(FXWindow* owner, const char* caption, const char* name, const char* patterns) {
  const FXString path = FXFileDialog::getSaveFilename(owner, caption, name, patterns);
  if (path.empty()) return path;
  // A folder is not asked about: the write refuses it with a message.
  if (FXStat::exists(path) && !FXStat::isDirectory(path) &&
      FXMessageBox::question(owner, MBOX_YES_NO, caption, "%s already exists.\nReplace it?",
                             path.text()) != MBOX_CLICKED_YES)
    return FXString();
  return path;
}

bool writePngPicture(FXApp* app, const std::vector<plot::SvgPanel>& panels, const std::string& path,
                     std::string& why) {
  FXint w = 0, h = 0;
  for (const plot::SvgPanel& p : panels) {
    w = std::max(w, p.width);
    h += std::max(0, p.height);
  }
  if (w <= 0 || h <= 0) {
    why = "There is no picture to save";
    return false;
  }
  FXImage image(app, nullptr, IMAGE_OWNED | IMAGE_KEEP, w, h);
  image.create();
  {
    FXDCWindow dc(&image);
    dc.setForeground(fxcolorfromname("White"));  // beside a narrower panel
    dc.fillRectangle(0, 0, w, h);
    FXint top = 0;
    for (const plot::SvgPanel& p : panels) {
      if (p.width <= 0 || p.height <= 0) continue;
      dc.setClipRectangle(0, top, p.width, p.height);
      plot::Drawing moved = p.drawing;
      plot::translate(moved, 0, top);
      paintDrawing(dc, app, moved);
      top += p.height;
    }
  }
  image.restore();

  FXMemoryStream stream;
  stream.open(FXStreamSave, nullptr);
  const bool encoded = fxsavePNG(stream, image.getData(), w, h);
  FXuchar* data = nullptr;
  FXuval size = 0;
  stream.takeBuffer(data, size);
  stream.close();
  const std::string bytes(reinterpret_cast<const char*>(data), encoded ? size : 0);
  FXFREE(&data);
  if (!encoded) {
    why = "Cannot encode the picture as PNG";
    return false;
  }
  return files::writeAtomically(path, bytes, why);
}
