#include "legend.h"

#include "axis_labels.h"

namespace plot {

namespace {
constexpr int kSwatch = 18, kSwatchGap = 4, kLegendSpace = 12;  // bar, bar to text, item to item
}  // namespace

void drawTitle(Drawing& d, const std::string& title, const std::string& meaning, int left, int right,
               int w, int h) {
  placeText(d, left, kTextAscent + 2, title, w, h);
  const int xMeaning = left + textWidth(title) + kCharWidth;
  if (!meaning.empty() && xMeaning + textWidth(meaning) + kCharWidth <= right)
    placeText(d, xMeaning, kTextAscent + 2, meaning, w, h);
}

int legendWidth(std::initializer_list<LegendItem> items) {
  int width = 0;
  for (const LegendItem& item : items) width += kSwatch + kSwatchGap + textWidth(item.text);
  return width + kLegendSpace * (static_cast<int>(items.size()) - 1);
}

void drawLegend(Drawing& d, std::initializer_list<LegendItem> items, int x, int w, int h) {
  const int baseline = kTextAscent + 2;
  for (const LegendItem& item : items) {
    d.push_back({Primitive::Fill, item.colour, false, x, baseline - 5, kSwatch, 3, {}});
    x += kSwatch + kSwatchGap;
    placeText(d, x, baseline, item.text, w, h);
    x += textWidth(item.text) + kLegendSpace;
  }
}

}  // namespace plot
