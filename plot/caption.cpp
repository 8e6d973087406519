#include "caption.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace plot {

std::string sectionCaption(double alphaDeg, double eR1, double hR1, int n) {
  char text[160];
  std::snprintf(text, sizeof text, "Section: alpha %g, e/R1 %g, h/R1 %g, N %d", alphaDeg, eR1, hR1, n);
  return text;
}

std::string sectionCaption(const std::string& name, double alphaDeg, int n) {
  char text[80];
  std::snprintf(text, sizeof text, ", alpha %g, N %d", alphaDeg, n);
  return "Section: " + name + text;
}

std::string sectionCaption(const aerofoil::Joukowski& af) {
  return af.name.empty() ? sectionCaption(af.alphaDeg, af.eR1, af.hR1, af.currentN)
                         : sectionCaption(af.name, af.alphaDeg, af.currentN);
}

std::string turbulenceNote(bl::Turbulence model) {
  return model == bl::ComputationParameters{}.turbulence
             ? std::string()
             : std::string("; turbulence model ") + bl::turbulence_title(model);
}

std::string surfaceCaption(const std::string& section, bl::Surface which) {
  return section + "; " + bl::name(which);
}

std::string polarCaption(const PolarSetup& p) {
  char text[240];
  char transition[80];
  if (p.free)
    std::snprintf(transition, sizeof transition, "free transition");
  else if (p.trip)
    std::snprintf(transition, sizeof transition, "trip at x/c %g (upper), %g (lower)", p.xtr_u, p.xtr_l);
  else
    std::snprintf(transition, sizeof transition, "Str u %g, Str l %g", p.str_u, p.str_l);
  std::snprintf(text, sizeof text, "; Re(mill) %g, %s, Np %d%s", p.re_mill, transition, p.np,
                p.viscous ? "; viscous" : "");
  char section[80];
  if (p.section.empty())
    std::snprintf(section, sizeof section, "Section: e/R1 %g, h/R1 %g, N %d", p.eR1, p.hR1, p.n);
  else
    std::snprintf(section, sizeof section, ", N %d", p.n);
  return (p.section.empty() ? std::string(section) : "Section: " + p.section + section) + text +
         turbulenceNote(p.turbulence);
}

namespace {

constexpr int kCaptionMargin = 6;  // left and right of the text

std::string trimmed(std::string line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

// The text cut after every blank that follows a mark in marks (after every
// blank when marks is empty), each piece keeping its blank.
std::vector<std::string> piecesOf(const std::string& text, const std::string& marks) {
  std::vector<std::string> pieces(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    pieces.back() += text[i];
    if (text[i] == ' ' && (marks.empty() || (i > 0 && marks.find(text[i - 1]) != std::string::npos)))
      pieces.emplace_back();
  }
  return pieces;
}

}  // namespace

std::vector<std::string> captionLines(const std::string& text, int width) {
  // The places to break: after "; " or ", ", and within a piece too wide
  // for a line of its own after any blank (a single word wider than the
  // panel stays whole).  As many to a line as fit.
  const int room = width - 2 * kCaptionMargin;
  const auto fits = [&](const std::string& s) { return textWidth(trimmed(s)) <= room; };
  std::vector<std::string> tokens;
  for (const std::string& piece : piecesOf(text, ";,")) {
    const std::vector<std::string> words = fits(piece) ? std::vector<std::string>{piece} : piecesOf(piece, "");
    tokens.insert(tokens.end(), words.begin(), words.end());
  }
  std::vector<std::string> lines;
  std::string line;
  for (const std::string& token : tokens) {
    if (!line.empty() && !fits(line + token)) {
      lines.push_back(trimmed(line));
      line.clear();
    }
    line += token;
  }
  if (!trimmed(line).empty()) lines.push_back(trimmed(line));
  return lines;
}

SvgPanel captionPanel(const std::string& text, int width) {
  const std::vector<std::string> lines = captionLines(text, width);
  const int height = kCaptionHeight + kCaptionLineHeight * (std::max<int>(1, static_cast<int>(lines.size())) - 1);
  SvgPanel panel{{}, width, height};
  panel.drawing.push_back({Primitive::Fill, "White", false, 0, 0, width, height, {}});
  for (std::size_t i = 0; i < lines.size(); ++i)
    placeText(panel.drawing, kCaptionMargin, 4 + kTextAscent + kCaptionLineHeight * static_cast<int>(i), lines[i],
              width, height);
  return panel;
}

}  // namespace plot
