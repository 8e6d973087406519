// What a run computed: printed lines, warnings, the Squire-Young drag and the JSON summary.
#include "summary.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <nlohmann/json.hpp>

#include "atomic_file.h"

namespace cli {

void collectWarnings(Summary& sum) {
  if (sum.aerofoil) {
    const aerofoil::Joukowski& af = *sum.aerofoil;
    for (int i = 0; i <= af.currentN; ++i)
      if (!std::isfinite(af.v[i]) || !std::isfinite(af.cp[i])) {
        sum.warnings.push_back("point " + std::to_string(i) +
                               ": the surface speed is not finite (sharp leading edge, e/R1 = 0)");
        break;
      }
  }
  if (sum.surfaces.size() == 2) {
    std::string why;
    if (!std::isfinite(squireYoung(sum.surfaces, &why))) sum.warnings.push_back(why);
  }
  if (sum.viscous && sum.viscous->status.ok && !sum.viscous->converged) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "the viscous flow did not settle in %d sweeps (last change: lift %.2g, surface speed %.2g): %s",
                  sum.viscous->sweeps, sum.viscous->change_cl, sum.viscous->change_ue,
                  std::isfinite(sum.viscous->cl) ? "its lift and drag are those of the last sweep"
                                                 : "its sweeps swing, and no lift, moment or drag is given");
    sum.warnings.push_back(text);
    if (!sum.viscous->unmarchable.empty())
      sum.warnings.push_back("the sweeps ended there because " + sum.viscous->unmarchable);
  }
  if (sum.viscous && sum.viscous->status.ok)
    for (bl::Surface which : bl::kBothSurfaces) {
      const std::string held = viscous::heldTransitionNote(which, sum.viscous->transition_off[bl::index(which)]);
      if (!held.empty()) sum.warnings.push_back(held);
    }
  for (const SurfaceResult& r : sum.surfaces) {
    if (r.iteration_limited > 0)
      sum.warnings.push_back(r.name + " surface: " + std::to_string(r.iteration_limited) +
                             " station(s) accepted at the Newton iteration limit");
    if (r.edge_limited_at > 0)
      sum.warnings.push_back(r.name + " surface: the outer edge of the normal grid was held at " +
                             std::to_string(bl::kMaxGridPoints) + " points from station " +
                             std::to_string(r.edge_limited_at) + " on");
  }
}

namespace {
nlohmann::json numbers(const std::vector<double>& v) {
  nlohmann::json a = nlohmann::json::array();
  for (double x : v) a.push_back(std::isfinite(x) ? nlohmann::json(x) : nlohmann::json(nullptr));
  return a;
}
nlohmann::json number(double x) { return std::isfinite(x) ? nlohmann::json(x) : nlohmann::json(); }

nlohmann::json viscousObject(double cl, double cm, double cd, double cd_friction, int sweeps, bool converged) {
  return {{"cl", number(cl)},           {"cm", number(cm)},    {"cd", number(cd)},
          {"cd_friction", number(cd_friction)}, {"sweeps", sweeps}, {"converged", converged}};
}

nlohmann::json viscousJson(const viscous::Result& r) {
  return viscousObject(r.cl, r.cm, r.cd, r.cd_friction, r.sweeps, r.converged);
}
}  // namespace

nlohmann::json sectionJson(const aerofoil::SectionInputs& s, const aerofoil::Joukowski* af) {
  nlohmann::json j;
  switch (s.kind) {
    case aerofoil::SectionKind::joukowski: j["kind"] = "joukowski"; break;
    case aerofoil::SectionKind::karmanTrefftz:
      j["kind"] = "karman-trefftz";
      j["te_angle"] = s.teAngleDeg;
      break;
    case aerofoil::SectionKind::naca:
      j["kind"] = "naca";
      j["designation"] = s.naca;
      break;
    case aerofoil::SectionKind::coordinates:
      j["kind"] = "coordinates";
      j["file"] = s.coordinates;
      break;
  }
  if (af && !af->name.empty()) j["name"] = af->name;
  return j;
}

bool writeJson(const Summary& sum, const std::string& path, std::string& why) {
  using nlohmann::json;
  const Options& o = *sum.options;
  json j;
  const aerofoil::SectionInputs& s = o.section;
  const bl::ComputationParameters& p = o.params;
  j["inputs"] = {{"alpha", s.alphaDeg},  {"e", s.eR1},           {"h", s.hR1},
                 {"n", s.n},             {"re_mill", p.re_mill}, {"eta_e", p.eta_e},
                 {"kv", p.kv},           {"np", p.np_in},        {"cfs", p.cfs_sqrt_re},
                 {"str_u", p.xtr_surf[0]}, {"str_l", p.xtr_surf[1]}, {"recalc", o.recalc}};
  if (!o.surface.empty()) j["inputs"]["surface"] = o.surface;
  // A section other than Joukowski's: what the user chose and its name.
  if (s.kind != aerofoil::SectionKind::joukowski) j["inputs"]["section"] = sectionJson(s, sum.aerofoil);
  if (s.kind == aerofoil::SectionKind::naca || s.kind == aerofoil::SectionKind::coordinates) {
    j["inputs"].erase("e");  // the outline is the whole section
    j["inputs"].erase("h");
  }
  // A trip given as x/c, which placed the transition instead of str_u, str_l.
  if (p.xtr_xc[0]) j["inputs"]["xtr_u"] = *p.xtr_xc[0];
  if (p.xtr_xc[1]) j["inputs"]["xtr_l"] = *p.xtr_xc[1];
  // The closure, when it is not the uncoupled march's default algebraic one
  // (whose outputs stay as they were), and always with the viscous
  // analysis, whose default is another.
  if (o.viscous || p.turbulence != bl::ComputationParameters{}.turbulence)
    j["inputs"]["turbulence"] = bl::turbulence_name(p.turbulence);
  if (o.started()) {
    j["inputs"]["start_theta"] = o.start_theta;
    j["inputs"]["start_h"] = o.start_h;
  }
  if (sum.aerofoil) {
    const aerofoil::Joukowski& af = *sum.aerofoil;
    j["aerofoil"] = {{"n_used", af.currentN},         {"clift", number(af.clift)},
                     {"cmfocus", number(af.cmFocus)}, {"xfocus", number(af.xFocus)},
                     {"yfocus", number(af.yFocus)},   {"maxth_sym", number(af.maxThickSym)},
                     {"camber", number(af.camber)},   {"alpha_zero_lift", number(af.alphaZeroLift)}};
    // Another section's thickness is its own, measured: no symmetric section's.
    if (!af.name.empty()) {
      j["aerofoil"].erase("maxth_sym");
      j["aerofoil"]["thickness"] = number(af.maxThickSym);
    }
  }
  json surfaces = json::array();
  for (const SurfaceResult& r : sum.surfaces) {
    json surface = {{"name", r.name},
                    {"transition", number(r.xtr)},
                    {"inverse_start", number(r.xinv)},
                    {"iteration_limited_stations", r.iteration_limited},
                    {"nodes", r.nodes()}};
    if (r.wall_nodes != r.nodes()) surface["wall_nodes"] = r.wall_nodes;  // the rest is the half-wake
    for (const bl::ColumnInfo& c : bl::kColumnInfo) surface[c.name] = numbers(r[c.column]);
    surfaces.push_back(surface);
  }
  if (!sum.surfaces.empty()) j["surfaces"] = surfaces;
  if (sum.surfaces.size() == 2) j["cd_squire_young"] = number(squireYoung(sum.surfaces));
  if (sum.viscous && sum.viscous->status.ok) j["viscous"] = viscousJson(*sum.viscous);
  if (sum.probe) {
    const aerofoil::FieldValue& v = *sum.probe;
    j["probe"] = {{"x", o.probe_x}, {"y", o.probe_y}, {"u", number(v.u)},
                  {"v", number(v.v)}, {"cp", number(v.cp)}, {"psi", number(v.psi)}};
  }
  j["warnings"] = sum.warnings;
  if (sum.failure) {
    const Failure& f = *sum.failure;
    json failed = {{"stage", f.stage}, {"message", f.message}};
    if (!f.surface.empty()) failed["surface"] = f.surface;
    if (f.sweep > 0) failed["sweep"] = f.sweep;
    if (f.cancelled) failed["cancelled"] = true;
    j["failed"] = failed;
  }

  return writeJsonText(j.dump(1) + "\n", path, why);
}

nlohmann::json polarJson(const polar::Point& p, bool boundary_layer, const bl::ComputationParameters& params) {
  nlohmann::json j = {{"alpha", p.alpha}, {"clift", number(p.clift)}, {"cmfocus", number(p.cmfocus)}};
  if (!boundary_layer) return j;
  const std::string conv = polar::convergence(p);
  j["converged"] = conv == "yes" || conv == "sep" || conv == "held";
  j["cautions"] = polar::cautions(p);
  if (!p.computed) {
    j["failed"] = p.failure;
    return j;
  }
  const auto surface = [](const polar::SurfacePoint& s) {
    return nlohmann::json{{"transition_s", number(s.s_tr)},     {"transition_xc", number(s.xc_tr)},
                          {"inverse_start_s", number(s.s_inv)}, {"inverse_start_xc", number(s.xc_inv)},
                          {"theta_te", number(s.theta_te)},     {"h_te", number(s.h_te)}};
  };
  j["upper"] = surface(p.upper);
  j["lower"] = surface(p.lower);
  // A trip given as x/c: where it was asked for on each surface.
  if (params.xtr_xc[0]) j["upper"]["trip_xc"] = *params.xtr_xc[0];
  if (params.xtr_xc[1]) j["lower"]["trip_xc"] = *params.xtr_xc[1];
  if (p.viscous.sweeps > 0 || params.turbulence != bl::ComputationParameters{}.turbulence)
    j["turbulence"] = bl::turbulence_name(params.turbulence);
  j["cd_squire_young"] = number(p.cd);
  if (p.viscous.sweeps > 0) {
    const polar::ViscousPoint& v = p.viscous;
    j["viscous"] = viscousObject(v.cl, v.cm, v.cd, v.cd_friction, v.sweeps, v.converged);
  }
  return j;
}

bool writeJsonText(const std::string& text, const std::string& path, std::string& why) {
  if (path == "-") {
    // Checked with everything else printed, once at the end of the run.
    std::cout << text;
    return true;
  }
  // Replaced whole or not at all: a full disk leaves an earlier summary as
  // it was, never a cut-off one that a JSON reader would choke on.
  return files::writeAtomically(path, text, why);
}

}  // namespace cli
