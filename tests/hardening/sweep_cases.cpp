#include "sweep_cases.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace sweep {

std::uint64_t Rng::next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Rng::uniform(double lo, double hi) {
  const double u = static_cast<double>(next() >> 11) * 0x1.0p-53;
  return lo + (hi - lo) * u;
}

double Rng::logUniform(double lo, double hi) {
  return std::exp(uniform(std::log(lo), std::log(hi)));
}

int Rng::integer(int lo, int hi) {
  const std::uint64_t span = static_cast<std::uint64_t>(static_cast<long long>(hi) - lo + 1);
  return static_cast<int>(lo + static_cast<long long>(next() % span));
}

bool Rng::chance(double p) { return uniform(0.0, 1.0) < p; }

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string num(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.9g", v);
  return buf;
}

// Texts no number option can take: each must be refused with exit code 2.
const char* const kJunkReal[] = {"abc", "", "nan", "inf", "-inf", "1e999", "12abc", "--", "1..2", "+-3"};
const char* const kJunkInt[] = {"abc", "", " ", "--", "12abc", "99999999999999999999999", "x7"};

template <std::size_t N>
const char* pick(Rng& r, const char* const (&list)[N]) {
  return list[r.integer(0, static_cast<int>(N) - 1)];
}

// A real option: usually a value from the range a user meets, sometimes
// junk text.  Adds nothing when the option is left at its default.
void realOption(Rng& r, CliCase& c, const char* name, double value, bool valid) {
  if (r.chance(0.3)) return;
  c.args.push_back(name);
  if (r.chance(0.04)) {
    c.args.push_back(pick(r, kJunkReal));
    c.mustRefuse = true;
    return;
  }
  c.args.push_back(num(value));
  if (!valid) c.mustRefuse = true;
}

// The same for a whole number.
void intOption(Rng& r, CliCase& c, const char* name, int value, bool valid) {
  if (r.chance(0.3)) return;
  c.args.push_back(name);
  if (r.chance(0.04)) {
    c.args.push_back(pick(r, kJunkInt));
    c.mustRefuse = true;
    return;
  }
  c.args.push_back(std::to_string(value));
  if (!valid) c.mustRefuse = true;
}

// Boundary-layer parameters across and beyond their ranges.
struct BlParams {
  double re_mill, eta_e, kv, cfs, str_u, str_l;
  int np;
};

BlParams blParams(Rng& r) {
  BlParams p{};
  const double pr = r.uniform(0, 1);
  p.re_mill = pr < 0.05 ? 0.0 : pr < 0.1 ? -r.logUniform(0.001, 1000) : r.logUniform(0.001, 1000);
  // Small grids are fast and large ones slow: most cases spread evenly in
  // the logarithm of the accepted 2..821, so that both ends are covered,
  // the rest anywhere in 0..1000.
  p.np = r.chance(0.2) ? r.integer(0, 1000) : static_cast<int>(r.logUniform(2, 822));
  p.kv = r.uniform(0.5, 3.0);
  p.eta_e = r.logUniform(0.1, 50.0);
  p.cfs = r.chance(0.05) ? 0.0 : r.uniform(0.0, 5.0);
  // Arc length from the stagnation point; a surface is about one chord long.
  p.str_u = r.chance(0.1) ? 0.0 : r.uniform(0.0, 2.5);
  p.str_l = r.chance(0.1) ? 0.0 : r.uniform(0.0, 2.5);
  return p;
}

// The viscous analysis runs up to 80 sweeps of the march: its cases keep
// to grids of at most 201 points across the layer, so that a computation
// that settles stays well inside the time limit of a case.
constexpr int kViscousMaxNp = 201;
constexpr int kViscousMaxN = 600;

void blOptions(Rng& r, CliCase& c) {
  BlParams p = blParams(r);
  if (c.viscous && p.np > kViscousMaxNp) p.np = 2 + p.np % (kViscousMaxNp - 1);
  realOption(r, c, "--re-mill", p.re_mill, p.re_mill > 0);
  realOption(r, c, "--eta-e", p.eta_e, true);
  realOption(r, c, "--kv", p.kv, p.kv >= 1);
  realOption(r, c, "--cfs", p.cfs, p.cfs > 0);
  realOption(r, c, "--str-u", p.str_u, true);
  realOption(r, c, "--str-l", p.str_l, true);
  intOption(r, c, "--np", p.np, p.np >= 2 && p.np <= 821);
}

void sectionOptions(Rng& r, CliCase& c, int maxN = 5000) {
  const double alpha = r.chance(0.05) ? r.uniform(-90, 90) : r.uniform(-65, 65);
  realOption(r, c, "--alpha", alpha, std::fabs(alpha) <= 65);
  const double e = r.chance(0.05) ? 0.0 : r.chance(0.05) ? r.uniform(-0.5, 1.5) : r.uniform(0, 1);
  realOption(r, c, "--e", e, e >= 0 && e <= 1);
  const double h = r.chance(0.05) ? r.uniform(-1.2, 1.2) : r.uniform(-0.8, 0.8);
  realOption(r, c, "--h", h, std::fabs(h) <= 0.8);
  // 1..5000, the small counts as often as the large ones; any N is taken.
  intOption(r, c, "--n", static_cast<int>(r.logUniform(1, maxN + 1)), true);
}

// A table of arc length and edge velocity: mostly a surface the march can
// take (node 1 the stagnation point, s rising, ue > 0 behind it), sometimes
// one that breaks a rule of the table.
std::string surfaceTable(Rng& r, bool& bad) {
  const int nodes = r.chance(0.1) ? r.integer(0, 700) : r.integer(3, 400);
  const double length = r.logUniform(0.05, 3.0);
  const double ueScale = r.logUniform(0.1, 3.0);
  const int flaw = r.chance(0.2) ? r.integer(1, 6) : 0;
  const int where = nodes > 0 ? r.integer(1, nodes) : 1;
  std::string text = "# s ue\n";
  for (int j = 1; j <= nodes; ++j) {
    const double s = length * (j - 1) / std::max(1, nodes - 1);
    // Accelerating near the stagnation point, decelerating towards the end.
    const double x = s / length;
    double ue = j == 1 ? 0.0 : ueScale * std::sqrt(x) * (1.6 - 0.8 * x) + r.uniform(0, 1e-3);
    std::string row = num(s) + " " + num(ue);
    if (flaw != 0 && j == where) switch (flaw) {
        case 1: row = num(s) + " nan"; break;
        case 2: row = num(s) + " " + num(ue) + " 7"; break;
        case 3: row = num(s) + " -1"; break;
        case 4: row = "0.5x " + num(ue); break;
        case 5: row = num(-s - 1.0) + " " + num(ue); break;
        default: row = num(s); break;
      }
    text += row + "\n";
  }
  bad = flaw != 0 || nodes < 3 || nodes > 600;
  return text;
}

CliCase makeCli(Rng& r) {
  CliCase c;
  const double mode = r.uniform(0, 1);
  if (mode < 0.62) {  // one section
    c.bl = r.chance(0.6);
    c.viscous = c.bl && r.chance(0.25);
    sectionOptions(r, c, c.viscous ? kViscousMaxN : 5000);
    c.save = r.chance(0.35);
    if (c.bl && !c.viscous && r.chance(0.2)) c.recalc = r.integer(1, 2);
  } else if (mode < 0.8) {  // a polar sweep
    c.sweep = true;
    c.bl = r.chance(0.5);
    c.viscous = c.bl && r.chance(0.2);
    sectionOptions(r, c, c.viscous ? kViscousMaxN : 5000);
    c.args.push_back("--sweep");
    if (r.chance(0.15)) {
      const char* const junk[] = {"1:2", "a:b:c", "0:10:0", "-70:0:1", "0:1:1:2", "nan:1:1", "0:5:-1", ""};
      c.args.push_back(pick(r, junk));
      c.mustRefuse = true;
    } else {
      // Up or down, the step's sign leading from the first angle to the last.
      const double a0 = r.uniform(-65, 65);
      const double step = r.uniform(0.5, 10) * (a0 > 0 ? -1 : 1) * (r.chance(0.3) ? -1 : 1);
      const int count = r.integer(2, 4);
      const double a1 = std::max(-65.0, std::min(65.0, a0 + step * (count - 1)));
      c.args.push_back(num(a0) + ":" + num(a1) + ":" + num(step));
    }
    c.save = r.chance(0.25);
  } else {  // one surface from a table
    bool bad = false;
    c.surfaceTable = surfaceTable(r, bad);
    c.args = {"--surface", r.chance(0.03) ? "missing.txt" : "surface.txt"};
    if (bad || c.args[1] == "missing.txt") c.mustRefuse = true;
  }
  blOptions(r, c);
  // The closure of the turbulent layer: it needs a boundary layer.  A
  // turbulent start needs a table whose first node is not the stagnation
  // point, which these are not.
  if (r.chance(0.3)) {
    c.args.push_back("--turbulence");
    c.args.push_back(r.chance(0.85) ? "sa" : "algebraic");
    if (!c.bl && c.surfaceTable.empty()) c.mustRefuse = true;
  }
  if (!c.surfaceTable.empty() && r.chance(0.1)) {
    c.args.insert(c.args.end(), {"--start-theta", num(r.logUniform(1e-5, 1.0)), "--start-h", num(r.uniform(1.0, 2.5))});
    c.mustRefuse = true;
  }
  if (c.save) c.args.push_back("--save");
  if (c.bl) c.args.push_back("--bl");
  if (c.viscous) c.args.push_back("--viscous");
  if (c.recalc > 0) {
    c.args.push_back("--recalc");
    c.args.push_back(std::to_string(c.recalc));
  }
  if (!c.sweep && r.chance(0.35)) {
    c.json = r.chance(0.7) ? "summary.json" : "-";
    c.args.push_back("--json");
    c.args.push_back(c.json);
  }
  c.args.push_back("--outdir");
  c.args.push_back(".");
  return c;
}

// A real that the library is handed unchecked: in range, beyond it, or not
// a number at all.
double wild(Rng& r, double lo, double hi) {
  const double p = r.uniform(0, 1);
  if (p < 0.02) return kNaN;
  if (p < 0.04) return r.chance(0.5) ? kInf : -kInf;
  if (p < 0.08) return 0.0;
  if (p < 0.12) return -r.uniform(lo, hi);
  return r.uniform(lo, hi);
}

LibCase makeLib(Rng& r) {
  LibCase c;
  const double kind = r.uniform(0, 1);
  if (kind < 0.6) {
    c.kind = LibCase::Section;
    c.alpha = r.uniform(-65, 65);
    c.e = r.chance(0.05) ? 0.0 : r.uniform(0, 1);
    c.h = r.uniform(-0.8, 0.8);
    c.n = static_cast<int>(r.logUniform(1, 5001));
  } else if (kind < 0.8) {
    c.kind = LibCase::RawContour;
    c.n = r.integer(-2, 1300);
    const int given = r.chance(0.8) ? std::max(0, c.n + 1) : r.integer(0, 1400);
    double s = 0;
    for (int i = 0; i < given; ++i) {
      s += wild(r, 0.0, 0.05);
      c.s.push_back(s);
      c.v.push_back(wild(r, -2.0, 2.0));
    }
  } else {
    c.kind = LibCase::RawSurface;
    c.nodes = r.integer(-1, 650);
    // Node 1 at the stagnation point, then mostly a rising arc length and
    // a positive speed, with the odd value out of line.
    const bool clean = r.chance(0.6);
    double s = 0;
    for (int j = 1; j <= std::min(c.nodes, 600); ++j) {
      if (j > 1) s += clean ? r.uniform(1e-4, 0.01) : wild(r, 1e-4, 0.01);
      c.s.push_back(s);
      c.v.push_back(j == 1 ? 0.0 : clean ? 0.5 + r.uniform(0, 1) : wild(r, 0.0, 2.0));
    }
  }
  c.re_mill = r.chance(0.7) ? r.logUniform(0.001, 1000) : wild(r, 0.001, 1000);
  c.eta_e = r.chance(0.8) ? r.logUniform(0.1, 50) : wild(r, 0.1, 50);
  c.kv = r.chance(0.8) ? r.uniform(0.5, 3) : wild(r, 0.5, 3);
  c.cfs = r.chance(0.8) ? r.uniform(0, 5) : wild(r, 0, 5);
  for (int s = 0; s <= 1; ++s) {
    c.str[s] = r.chance(0.8) ? r.uniform(0, 2.5) : wild(r, 0, 2.5);
    c.sinv[s] = r.chance(0.8) ? r.uniform(0, 2.5) : wild(r, 0, 2.5);
  }
  c.np = r.chance(0.5) ? r.integer(-5, 1000) : static_cast<int>(r.logUniform(1, 1001));
  c.recalc = r.integer(0, 1);
  return c;
}

}  // namespace

Case makeCase(std::uint64_t seed, long index) {
  Rng r(seed * 0x100000001B3ull + static_cast<std::uint64_t>(index));
  Case c;
  c.kind = r.chance(0.75) ? Case::Cli : Case::Lib;
  if (c.kind == Case::Cli)
    c.cli = makeCli(r);
  else
    c.lib = makeLib(r);
  return c;
}

std::string shellWords(const std::vector<std::string>& args) {
  std::string out;
  for (const std::string& a : args) {
    std::string q = "'";
    for (char ch : a) q += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    out += (out.empty() ? "" : " ") + q + "'";
  }
  return out;
}

std::string Case::describe() const {
  if (kind == Cli) return "veltaro-cli " + shellWords(cli.args);
  const LibCase& l = lib;
  const char* kinds[] = {"section", "raw contour", "raw surface"};
  std::string d = std::string("library, ") + kinds[l.kind];
  if (l.kind == LibCase::Section)
    d += ": alpha " + num(l.alpha) + ", e " + num(l.e) + ", h " + num(l.h) + ", N " + std::to_string(l.n);
  if (l.kind == LibCase::RawContour)
    d += ": N " + std::to_string(l.n) + ", " + std::to_string(l.s.size()) + " points";
  if (l.kind == LibCase::RawSurface) d += ": " + std::to_string(l.nodes) + " nodes";
  d += "; Re(mill) " + num(l.re_mill) + ", ETAe " + num(l.eta_e) + ", Kv " + num(l.kv) + ", Np " +
       std::to_string(l.np) + ", Cfs " + num(l.cfs) + ", Str " + num(l.str[0]) + "/" + num(l.str[1]) +
       ", Sinv " + num(l.sinv[0]) + "/" + num(l.sinv[1]) + ", recalc " + std::to_string(l.recalc);
  return d;
}

}  // namespace sweep
