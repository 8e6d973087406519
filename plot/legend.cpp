#include "legend.h"

#include "axis_labels.h"

namespace plot {

namespace {

constexpr int kSwatch = 18, kSwatchGap = 4, kLegendSpace = 12;  // bar, bar to text, item to item

std::string shown(const LegendItem& item, bool initials) {
  return initials ? std::string(item.text, 1) : std::string(item.text);
}

int width(std::initializer_list<LegendItem> items, bool bars, bool initials) {
  int total = 0;
  for (const LegendItem& item : items) total += (bars ? kSwatch + kSwatchGap : 0) + textWidth(shown(item, initials));
  return total + (bars ? kLegendSpace : kCharWidth) * (static_cast<int>(items.size()) - 1);
}

}  // namespace

void drawTitle(Drawing& d, const std::string& title, const std::string& meaning, int left, int right,
               int w, int h) {
  placeText(d, left, kTextAscent + 2, title, w, h);
  const int xMeaning = left + textWidth(title) + kCharWidth;
  if (!meaning.empty() && xMeaning + textWidth(meaning) + kCharWidth <= right)
    placeText(d, xMeaning, kTextAscent + 2, meaning, w, h);
}

LegendFit fitLegend(std::initializer_list<LegendItem> items, const std::string& title, int left, int right) {
  const int clear = left + textWidth(title) + kCharWidth;  // the legend begins here or later
  for (const LegendFit form : {LegendFit{true, 0, true, false}, LegendFit{true, 0, false, false},
                               LegendFit{true, 0, false, true}}) {
    const int x = right - width(items, form.bars, form.initials);
    if (x >= clear) return {true, x, form.bars, form.initials};
  }
  return {};
}

void drawLegend(Drawing& d, std::initializer_list<LegendItem> items, const LegendFit& fit, int w, int h) {
  if (!fit.shown) return;
  const int baseline = kTextAscent + 2;
  int x = fit.x;
  for (const LegendItem& item : items) {
    const std::string text = shown(item, fit.initials);
    if (fit.bars) {
      d.push_back({Primitive::Fill, item.colour, false, x, baseline - 5, kSwatch, 3, {}});
      x += kSwatch + kSwatchGap;
      placeText(d, x, baseline, text, w, h);
      x += textWidth(text) + kLegendSpace;
    } else {
      placeText(d, x, baseline, text, w, h, item.colour);
      x += textWidth(text) + kCharWidth;
    }
  }
}

}  // namespace plot
