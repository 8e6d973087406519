#include "legend.h"

#include "axis_labels.h"

namespace plot {

namespace {
constexpr int kSwatch = 18, kSwatchGap = 4, kLegendSpace = 12;  // bar, bar to text, item to item
}  // namespace

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
