#include "svg.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "atomic_file.h"

namespace plot {

namespace {

// "Orange" -> "orange"; a name of several words ("Dark Green") loses its
// blanks as the SVG keywords do.
std::string colourKeyword(const std::string& name) {
  std::string out;
  for (char c : name)
    if (c != ' ') out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out.empty() ? "black" : out;
}

std::string escaped(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string element(const Primitive& p) {
  const std::string colour = colourKeyword(p.colour);
  char buf[256];
  switch (p.kind) {
    case Primitive::Fill:
      std::snprintf(buf, sizeof buf, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>",
                    p.x1, p.y1, std::max(0, p.x2), std::max(0, p.y2), colour.c_str());
      return buf;
    case Primitive::Line:
      std::snprintf(buf, sizeof buf, "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"%s\"%s/>",
                    p.x1, p.y1, p.x2, p.y2, colour.c_str(),
                    p.dashed ? " stroke-dasharray=\"4,4\"" : "");
      return buf;
    case Primitive::Ellipse:
      std::snprintf(buf, sizeof buf,
                    "<ellipse cx=\"%g\" cy=\"%g\" rx=\"%g\" ry=\"%g\" fill=\"none\" stroke=\"%s\"/>",
                    p.x1 + p.x2 / 2.0, p.y1 + p.y2 / 2.0, std::max(0, p.x2) / 2.0,
                    std::max(0, p.y2) / 2.0, colour.c_str());
      return buf;
    case Primitive::Text:
      std::snprintf(buf, sizeof buf, "<text x=\"%d\" y=\"%d\" fill=\"%s\">", p.x1, p.y1,
                    colour.c_str());
      return buf + escaped(p.text) + "</text>";
  }
  return {};
}

}  // namespace

std::string svgDocument(const std::vector<SvgPanel>& panels) {
  int width = 0, height = 0;
  for (const SvgPanel& p : panels) {
    width = std::max(width, p.width);
    height += std::max(0, p.height);
  }
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  char buf[256];
  std::snprintf(buf, sizeof buf,
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                "viewBox=\"0 0 %d %d\" font-family=\"DejaVu Sans, sans-serif\" font-size=\"12\" "
                "stroke-width=\"1\">\n",
                width, height, width, height);
  out += buf;
  int top = 0;
  for (const SvgPanel& p : panels) {
    // A nested svg clips what lies outside its box, as the canvas does.
    std::snprintf(buf, sizeof buf, "<svg x=\"0\" y=\"%d\" width=\"%d\" height=\"%d\">\n", top,
                  std::max(0, p.width), std::max(0, p.height));
    out += buf;
    for (const Primitive& q : p.drawing) out += element(q) + "\n";
    out += "</svg>\n";
    top += std::max(0, p.height);
  }
  out += "</svg>\n";
  return out;
}

bool writeSvgFile(const std::string& path, const std::vector<SvgPanel>& panels, std::string& why) {
  return files::writeAtomically(path, svgDocument(panels), why);
}

}  // namespace plot
