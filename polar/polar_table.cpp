// The polar as a text table, the layout of veltaro-cli --sweep and of the
// polar window's saved file.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "polar.h"
#include "core/surface_result.h"

namespace polar {

namespace {

std::string format(const char* fmt, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, fmt, v);
  return buf;
}

// A number in its field, or "-" there where there is none.
std::string orDash(const char* fmt, double v, int width) {
  if (std::isnan(v)) return std::string(static_cast<std::size_t>(width - 1), ' ') + "-";
  return format(fmt, v);
}

// A position, or "-" in its field when it does not occur on the surface.
std::string position(double v, int width) {
  char fmt[16];
  std::snprintf(fmt, sizeof fmt, "%%%d.4f", width);
  return orDash(fmt, v, width);
}

std::string surfaceColumns(const SurfacePoint& s) {
  return " " + position(s.s_tr, 8) + " " + position(s.xc_tr, 8) + " " + position(s.s_inv, 8) + " " +
         position(s.xc_inv, 9);
}

// The shortest decimal text that reads back as v, in plain decimals where
// they are short (10, not 1e+01).
std::string exact(double v) {
  char buf[40];
  const bool plain = std::fabs(v) >= 1e-4 && std::fabs(v) < 1e15;
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    if (std::strtod(buf, nullptr) == v && !(plain && std::strchr(buf, 'e'))) break;
  }
  return buf;
}

}  // namespace

std::string settingsHeader(const Settings& s, const std::string& program) {
  std::string text;
  const std::string n = std::to_string(aerofoil::clampPoints(s.section.n));
  if (s.section.kind == aerofoil::SectionKind::joukowski) {
    text += "# " + program + ", polar of the Joukowski aerofoil\n";
    text += "# Section: e/R1 = " + exact(s.section.eR1) + ", h/R1 = " + exact(s.section.hR1) + ", N = " + n + "\n";
  } else {
    const std::string name = s.model ? s.model->name() : std::string("the section");
    text += "# " + program + ", polar of " + name + "\n";
    text += "# Section: " + name + ", N = " + n + "\n";
  }
  if (!s.boundary_layer) return text;
  const bl::ComputationParameters& p = s.params;
  text += "# Boundary layer: Re(mill) = " + exact(p.re_mill) + ", Np = " + std::to_string(p.np_in) +
          ", ETAe = " + exact(p.eta_e) + ", Kv = " + exact(p.kv) + ", Cfs*sqrt(Re) = " + exact(p.cfs_sqrt_re) +
          "\n";
  if (!p.xtr_xc[0] && !p.xtr_xc[1]) {
    text += "# Transition: Str u = " + exact(p.xtr_surf[0]) + ", Str l = " + exact(p.xtr_surf[1]) +
            " (arc length from the stagnation point in chords:\n"
            "# forced there unless laminar separation or Michel's criterion comes first; free beyond the\n"
            "# trailing edge)\n";
  } else {
    // A trip at a chord position: per surface x/c, or the arc length where none is given.
    const auto trip = [&](int i, const char* side) {
      return p.xtr_xc[i] ? "x/c " + std::string(side) + " = " + exact(*p.xtr_xc[i])
                         : "Str " + std::string(side) + " = " + exact(p.xtr_surf[i]);
    };
    text += "# Transition: " + trip(0, "u") + ", " + trip(1, "l") +
            " (x/c: at that chord position on the surface's own side of\n"
            "# the section, at every angle; Str: arc length from the stagnation point in chords): forced\n"
            "# there unless laminar separation or Michel's criterion comes first\n";
  }
  // A viscous polar's layers are all the coupling's, whose default differs
  // from the uncoupled march's: a viscous polar always names its closure.
  const bl::Turbulence model = s.viscous ? s.coupling.turbulence : p.turbulence;
  if (s.viscous || model != bl::ComputationParameters{}.turbulence)
    text += std::string("# Turbulence model: ") + bl::turbulence_name(model) + " (" + bl::turbulence_title(model) +
            ")\n";
  if (s.recalc > 0) text += "# Recalculate: pressed " + std::to_string(s.recalc) + " times after each computation\n";
  if (s.viscous) {
    const viscous::Settings& c = s.coupling;
    text += "# Viscous interaction: sweeps until lift and surface speed change by less than " + exact(c.tolerance) +
            " (at most " + std::to_string(c.max_sweeps) + ", fewer where they stop settling), wake " +
            exact(c.wake_length) +
            " chords; each angle starts\n# from the two before it on its way out from the angle nearest zero, along their secant\n";
  }
  return text;
}

bool separatesAtTheNose(const SurfacePoint& s) { return s.xc_inv < kNoseSeparation; }

const char* convergence(const Point& p) {
  if (!p.computed) return "failed";
  if (p.upper.iteration_limited > 0 || p.lower.iteration_limited > 0) return "limit";
  if (p.viscous.sweeps > 0 && !p.viscous.converged) return "sweeps";
  if (p.viscous.transition_off[0] != 0 || p.viscous.transition_off[1] != 0) return "held";
  return separatesAtTheNose(p.upper) || separatesAtTheNose(p.lower) ? "sep" : "yes";
}

std::vector<std::string> cautions(const Point& p) {
  if (!p.computed) return {p.failure};
  std::vector<std::string> c;
  for (bl::Surface which : bl::kBothSurfaces) {
    const SurfacePoint& s = which == bl::Surface::upper ? p.upper : p.lower;
    if (s.iteration_limited > 0) c.push_back(bl::iteration_limit_note(which, s.limited_at, s.iteration_limited));
    if (s.edge_limited_at > 0) c.push_back(bl::edge_limit_note(which, s.edge_limited_at));
    if (separatesAtTheNose(s))
      c.push_back(std::string(bl::name(which)) + ": the layer separates at x/c " + format("%.4f", s.xc_inv) +
                  ", near the leading edge, and is carried on with a prescribed skin friction: "
                  "the drag estimate is not a prediction");
  }
  if (!std::isfinite(p.cd)) c.push_back("no drag estimate: " + p.cd_why);
  for (bl::Surface which : bl::kBothSurfaces) {
    const std::string held = viscous::heldTransitionNote(which, p.viscous.transition_off[bl::index(which)]);
    if (!held.empty()) c.push_back(held);
  }
  if (p.viscous.sweeps > 0 && !p.viscous.converged)
    c.push_back("the viscous flow did not settle in " + std::to_string(p.viscous.sweeps) + " sweeps: " +
                (std::isfinite(p.viscous.cl) ? "its lift and drag are those of the last sweep"
                                             : "its sweeps swing, and it gives no lift, moment or drag"));
  return c;
}

std::string tableHeader(bool boundary_layer, bool viscous) {
  if (!boundary_layer) return "   alpha     Clift   Cmfocus\n";
  const std::string viscous_columns =
      viscous ? "# Viscous (the layer and its wake acting back on the flow): lift Cl_visc, moment about\n"
                "# the quarter chord Cm_c/4 (nose up), drag Cd_visc (the wake's momentum defect far\n"
                "# downstream), its skin-friction part Cd_fric, and the coupling sweeps it took; conv\n"
                "# sweeps: the viscous flow did not settle, its numbers are those of the last sweep\n"
                "# (\"-\" where its sweeps still swing: no number is given); conv held: it settled with\n"
                "# a transition held more than a station from where its settled flow puts it, and the\n"
                "# same angle computed alone can differ.\n"
              : "";
  return "# alpha in degrees.  Per surface (_u upper, _l lower): transition (tr) and start of the\n"
         "# inverse mode (inv) as arc length s from the stagnation point in chords and as x/c\n"
         "# (\"-\": none on the surface); trailing-edge momentum thickness theta_te (chords) and\n"
         "# shape factor H_te.  Cd_SquireYoung: the Squire-Young estimate of the profile drag.\n"
         "# conv: yes, every station converged; limit, a station was accepted at the Newton\n"
         "# iteration limit and the row's numbers are not to be trusted; sep, the layer of a\n"
         "# surface separates near the leading edge (x/c below 0.1) and is carried on with a\n"
         "# prescribed skin friction: the row's drag estimate is not a prediction.\n" +
         viscous_columns +
         "   alpha     Clift   Cmfocus   s_tr_u x/c_tr_u  s_inv_u x/c_inv_u   s_tr_l x/c_tr_l  s_inv_l "
         "x/c_inv_l  theta_te_u  H_te_u  theta_te_l  H_te_l  Cd_SquireYoung" +
         (viscous ? "   Cl_visc    Cm_c/4    Cd_visc    Cd_fric sweeps" : "") + "   conv\n";
}

std::string tableRow(const Point& p, bool boundary_layer, bool viscous) {
  std::string row = format("%8.3f", p.alpha) + format(" %9.5f", p.clift) + format(" %9.5f", p.cmfocus);
  if (!boundary_layer) return row + "\n";
  if (!p.computed) return row + "  failed\n";
  row += surfaceColumns(p.upper) + surfaceColumns(p.lower);
  row += format(" %11.4e", p.upper.theta_te) + format(" %7.4f", p.upper.h_te);
  row += format(" %11.4e", p.lower.theta_te) + format(" %7.4f", p.lower.h_te);
  row += format(" %15.6f", p.cd);
  if (viscous) {
    const ViscousPoint& v = p.viscous;
    row += " " + orDash("%9.5f", v.cl, 9) + " " + orDash("%9.5f", v.cm, 9) + " " + orDash("%10.6f", v.cd, 10) + " " +
           orDash("%10.6f", v.cd_friction, 10);
    row += format(" %6.0f", v.sweeps);
  }
  char conv[16];
  std::snprintf(conv, sizeof conv, " %6s", convergence(p));
  return row + conv + "\n";
}

std::string tableFooter(const std::vector<Point>& points, bool viscous) {
  if (!viscous) return "";
  const Point* top = maximumLift(points);
  if (!top) return points.empty() ? "# Maximum lift: none computed\n" : "# Maximum lift: no angle converged\n";
  std::string text = "# Maximum lift: Cl_visc " + format("%.5f", top->viscous.cl) + " at alpha " +
                     format("%.3f", top->alpha);
  if (mayLieBeyond(points, top)) text += " (at an end of the converged angles: the maximum may lie beyond it)";
  const int left = countConvergence(points).unconverged;
  if (left > 0) text += "; " + std::to_string(left) + (left == 1 ? " angle" : " angles") + " that did not converge left out";
  return text + "\n";
}

std::string tableText(const std::vector<Point>& points, bool boundary_layer, bool viscous) {
  std::string text = tableHeader(boundary_layer, viscous);
  for (const Point& p : points) text += tableRow(p, boundary_layer, viscous);
  return text + tableFooter(points, viscous && boundary_layer);
}

}  // namespace polar
