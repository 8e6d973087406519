#include "window_placement.h"

#include <algorithm>
#include <cstdlib>
#include <set>

long long overlapArea(const ScreenRect& a, const ScreenRect& b) {
  const long long w = std::min(a.right(), b.right()) - std::max(a.x, b.x);
  const long long h = std::min(a.bottom(), b.bottom()) - std::max(a.y, b.y);
  return (w > 0 && h > 0) ? w * h : 0;
}

namespace {

// Candidate spans (start, length) of a window along one axis of the area
// from lo to hi: the wanted length, the minimum, and the lengths between
// that fill a gap between edges; each at the area's edges and against the
// edges of the windows shown.
struct Span {
  int start, length;
};
std::vector<Span> spans(int lo, int hi, int want, int least, const std::vector<int>& starts,
                        const std::vector<int>& ends) {
  const int room = std::max(1, hi - lo);
  want = std::clamp(want, 1, room);
  least = std::clamp(least, 1, want);
  std::set<int> lengths{want, least};
  std::vector<int> fromEdges{lo}, toEdges{hi};
  fromEdges.insert(fromEdges.end(), ends.begin(), ends.end());
  toEdges.insert(toEdges.end(), starts.begin(), starts.end());
  for (int a : fromEdges)
    for (int b : toEdges)
      if (b - a >= least && b - a < want) lengths.insert(b - a);
  std::vector<Span> out;
  for (int len : lengths) {
    std::set<int> at{lo, hi - len};
    for (int e : ends) at.insert(e);
    for (int s : starts) at.insert(s - len);
    for (int a : at) out.push_back({std::clamp(a, lo, hi - len), len});
  }
  return out;
}

}  // namespace

ScreenRect placeWindow(const ScreenRect& area, const WindowSize& size, const std::vector<ShownWindow>& shown) {
  std::vector<int> xStarts, xEnds, yStarts, yEnds;
  for (const ShownWindow& s : shown) {
    xStarts.push_back(s.frame.x);
    xEnds.push_back(s.frame.right());
    yStarts.push_back(s.frame.y);
    yEnds.push_back(s.frame.bottom());
  }
  const std::vector<Span> xs = spans(area.x, area.right(), size.wantW, size.minW, xStarts, xEnds);
  const std::vector<Span> ys = spans(area.y, area.bottom(), size.wantH, size.minH, yStarts, yEnds);

  // Right of the main window, level with it.
  const int prefX = shown.empty() ? area.x : shown.front().frame.right();
  const int prefY = shown.empty() ? area.y : shown.front().frame.y;
  ScreenRect best;
  double bestCost = 0;
  bool any = false;
  for (const Span& sx : xs)
    for (const Span& sy : ys) {
      const ScreenRect r{sx.start, sy.start, sx.length, sy.length};
      double cost = 0;
      for (const ShownWindow& s : shown)
        cost += static_cast<double>(overlapArea(r, s.frame)) + 1000.0 * static_cast<double>(overlapArea(r, s.keep));
      const double wanted = static_cast<double>(std::min(size.wantW, area.w)) * std::min(size.wantH, area.h);
      cost += 0.1 * (wanted - static_cast<double>(r.w) * r.h);
      cost += 1e-3 * (std::abs(r.x - prefX) + std::abs(r.y - prefY));
      if (!any || cost < bestCost) {
        best = r;
        bestCost = cost;
        any = true;
      }
    }
  return best;
}

std::vector<ScreenRect> tileWindows(const ScreenRect& area, const std::vector<WindowSize>& sizes) {
  const int n = static_cast<int>(sizes.size());
  std::vector<ScreenRect> out;
  if (n == 0) return out;
  long long want = 0, least = 0;
  for (const WindowSize& s : sizes) {
    want += s.wantW;
    least += s.minW;
  }
  std::vector<int> widths;
  if (least >= area.w) {
    for (const WindowSize& s : sizes) widths.push_back(std::min(s.minW, area.w));
  } else {
    // The room above the minima shared in proportion to what each wants
    // above its minimum (to its wanted width where all fit at that, and
    // beyond it in proportion to the wanted widths).
    const bool allFit = want <= area.w;
    long long base = allFit ? want : least, spare = area.w - base, weights = 0;
    for (const WindowSize& s : sizes) weights += allFit ? s.wantW : std::max(0, s.wantW - s.minW);
    int used = 0;
    for (int i = 0; i < n; ++i) {
      const WindowSize& s = sizes[static_cast<std::size_t>(i)];
      const long long weight = allFit ? s.wantW : std::max(0, s.wantW - s.minW);
      int w = static_cast<int>((allFit ? s.wantW : s.minW) + (weights > 0 ? spare * weight / weights : spare / n));
      if (i == n - 1) w = area.w - used;  // the rounding goes to the last
      widths.push_back(w);
      used += w;
    }
  }
  long long total = 0;
  for (int w : widths) total += w;
  // Overlap shared alike between neighbours when the minima do not fit.
  const long long overlap = std::max(0LL, total - area.w);
  long long x = area.x;
  for (int i = 0; i < n; ++i) {
    out.push_back({static_cast<int>(x), area.y, widths[static_cast<std::size_t>(i)], area.h});
    x += widths[static_cast<std::size_t>(i)];
    if (n > 1) x -= overlap / (n - 1) + (i < overlap % (n - 1) ? 1 : 0);
  }
  if (n > 1 && overlap > 0) out.back().x = area.right() - out.back().w;
  return out;
}
