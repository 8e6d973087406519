// Replaying toolkit-free drawing primitives on a FOX device context.
#include "fox_paint.h"

void paintDrawing(FXDCWindow& dc, FXApp* app, const plot::Drawing& drawing) {
  dc.setFont(app->getNormalFont());  // text needs a font selected first
  const std::string* colour = nullptr;  // the colour set last: a name is looked up once a run
  for (const plot::Primitive& p : drawing) {
    if (!colour || *colour != p.colour) dc.setForeground(fxcolorfromname(p.colour.c_str()));
    colour = &p.colour;
    switch (p.kind) {
      case plot::Primitive::Fill:
        dc.fillRectangle(p.x1, p.y1, p.x2, p.y2);
        break;
      case plot::Primitive::Line:
        dc.setLineStyle(p.dashed ? LINE_ONOFF_DASH : LINE_SOLID);
        dc.drawLine(p.x1, p.y1, p.x2, p.y2);
        break;
      case plot::Primitive::Text:
        dc.drawText(p.x1, p.y1, p.text.c_str(), static_cast<FXuint>(p.text.size()));
        break;
      case plot::Primitive::Ellipse:
        dc.setLineStyle(LINE_SOLID);
        dc.drawEllipse(p.x1, p.y1, p.x2, p.y2);
        break;
    }
  }
  dc.setLineStyle(LINE_SOLID);
}
