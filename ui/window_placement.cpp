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
    // Against the part that must stay in sight: on a small screen, over
    // the rest of that window may cover less than over another window.
    if (s.keep.w > 0) xEnds.push_back(s.keep.right());
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

namespace {

// Lengths along one axis of length `room` shared out among windows that
// want `want` and need at least `least`, each with its start: the wanted
// lengths when they fit; else what lies above the minima in proportion to
// what each wants beyond its minimum; else each at its minimum, neighbours
// overlapping alike, the first at the start and the last at the end.
struct Share {
  int start, length;
};
std::vector<Share> shareOut(int lo, int room, const std::vector<int>& wants, const std::vector<int>& leasts) {
  const int n = static_cast<int>(wants.size());
  std::vector<Share> out;
  if (n == 0) return out;
  long long want = 0, least = 0;
  for (int i = 0; i < n; ++i) {
    want += wants[static_cast<std::size_t>(i)];
    least += leasts[static_cast<std::size_t>(i)];
  }
  std::vector<int> lengths;
  if (least >= room) {
    for (int l : leasts) lengths.push_back(std::min(l, room));
  } else {
    // The room above the minima shared in proportion to what each wants
    // above its minimum (to its wanted length where all fit at that, and
    // beyond it in proportion to the wanted lengths).
    const bool allFit = want <= room;
    long long spare = room - (allFit ? want : least), weights = 0;
    for (int i = 0; i < n; ++i)
      weights += allFit ? wants[static_cast<std::size_t>(i)]
                        : std::max(0, wants[static_cast<std::size_t>(i)] - leasts[static_cast<std::size_t>(i)]);
    int used = 0;
    for (int i = 0; i < n; ++i) {
      const int w = wants[static_cast<std::size_t>(i)], m = leasts[static_cast<std::size_t>(i)];
      const long long weight = allFit ? w : std::max(0, w - m);
      int len = static_cast<int>((allFit ? w : m) + (weights > 0 ? spare * weight / weights : spare / n));
      if (i == n - 1) len = room - used;  // the rounding goes to the last
      lengths.push_back(len);
      used += len;
    }
  }
  long long total = 0;
  for (int l : lengths) total += l;
  // Overlap shared alike between neighbours when the minima do not fit.
  const long long overlap = std::max(0LL, total - room);
  long long at = lo;
  for (int i = 0; i < n; ++i) {
    out.push_back({static_cast<int>(at), lengths[static_cast<std::size_t>(i)]});
    at += lengths[static_cast<std::size_t>(i)];
    if (n > 1) at -= overlap / (n - 1) + (i < overlap % (n - 1) ? 1 : 0);
  }
  if (n > 1 && overlap > 0) out.back().start = lo + room - out.back().length;
  return out;
}

}  // namespace

std::vector<ScreenRect> tileWindows(const ScreenRect& area, const std::vector<WindowSize>& sizes) {
  std::vector<ScreenRect> out;
  if (sizes.empty()) return out;
  std::vector<int> wantW, minW;
  for (const WindowSize& s : sizes) {
    wantW.push_back(s.wantW);
    minW.push_back(s.minW);
  }
  long long least = 0;
  for (int m : minW) least += m;
  if (least <= area.w || sizes.size() < 3) {
    for (const Share& x : shareOut(area.x, area.w, wantW, minW)) out.push_back({x.start, area.y, x.length, area.h});
    return out;
  }
  // Too narrow for a row: the first window in a column of its own, the
  // others one below the other in a second column as wide as the widest
  // of them needs, so that no window is cut to a strip of its width.
  int colWant = 0, colMin = 0;
  std::vector<int> wantH, minH;
  for (std::size_t i = 1; i < sizes.size(); ++i) {
    colWant = std::max(colWant, sizes[i].wantW);
    colMin = std::max(colMin, sizes[i].minW);
    wantH.push_back(sizes[i].wantH);
    minH.push_back(sizes[i].minH);
  }
  const std::vector<Share> cols = shareOut(area.x, area.w, {sizes[0].wantW, colWant}, {sizes[0].minW, colMin});
  out.push_back({cols[0].start, area.y, cols[0].length, area.h});
  for (const Share& y : shareOut(area.y, area.h, wantH, minH))
    out.push_back({cols[1].start, y.start, cols[1].length, y.length});
  return out;
}
