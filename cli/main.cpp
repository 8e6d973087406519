// veltaro-cli: the Joukowski aerofoil and its boundary layer without a
// display, for scripts, sweeps and velocity distributions from any source.
//
// It runs the same code as the windows: the exact potential flow by
// conformal mapping, the result file of "SAVE RESULT", and the boundary-layer
// march of both surfaces exactly as "BL Calculation" and "Recalculate" run
// it, with the same report files.
//
// Sample runs:
//   veltaro-cli                                  default section, results printed
//   veltaro-cli --alpha 5 --e 0.1 --h 0.1 --save    and Airfoil_<n>.out written
//   veltaro-cli --bl --re-mill 5 --json -        boundary layer, JSON summary
//   veltaro-cli --sweep -4:16:2 --bl             polar with a drag estimate, on every core
//   veltaro-cli --sweep -4:16:2 --bl --xtr-u 0.05 --xtr-l 0.05   tripped at x/c 0.05 at every angle
//   veltaro-cli --surface cylinder.txt --str-u 5 one pass on a given ue(s)
//   veltaro-cli --naca 4412 --alpha 4 --probe 0.5,0.1   the flow at a point off the section
//
// Exit codes: 0 done, 1 a computation or a file failed, 2 bad input.
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "interrupt_watch.h"
#include "joukowski.h"
#include "options.h"
#include "plot_panels.h"
#include "polar.h"
#include "contour_file.h"
#include "flow_field.h"
#include "result_display.h"
#include "result_file.h"
#include "section_model.h"
#include "session/session.h"
#include "summary.h"
#include "surface_file.h"
#include "svg.h"
#include "veltaro_version.h"

namespace {

const char* const kProgram = "Veltaro " VELTARO_VERSION;

int fail(const std::string& message) {
  std::cerr << "veltaro-cli: " << message << "\n";
  return 1;
}

void printAerofoil(const aerofoil::Joukowski& af) {
  // A section other than Joukowski's is named first; its thickness is the
  // measured largest thickness per chord (Joukowski's: the half thickness of
  // the symmetric section, a closed-form fit).
  if (!af.name.empty()) std::printf("Section:     %s\n", af.name.c_str());
  const struct {
    const char* label;
    double value;
  } rows[] = {{"Clift=", af.clift},         {"Cmfocus=", af.cmFocus},
              {"Xfocus=", af.xFocus},       {"Yfocus=", af.yFocus},
              {af.name.empty() ? "MaxTh(sym)=" : "Thickness=", af.maxThickSym}, {"Camber=", af.camber},
              {"Alpha(Cl=0)=", af.alphaZeroLift}};
  // A residue under the printed precision (the -0 of -atan(0)) prints as
  // 0, as the window shows it; the result file keeps the exact numbers.
  for (const auto& r : rows) std::printf("%-13s%.6g\n", r.label, aerofoil::shownResult(r.value));
}

// The flow at the probed point: velocity per free-stream speed, Cp, and
// the stream function per free-stream speed times chord (zero on the
// section).
void printProbe(const aerofoil::FieldValue& v) {
  std::printf("u= %.6g v= %.6g Cp= %.6g psi= %.6g\n", aerofoil::shownResult(v.u), aerofoil::shownResult(v.v),
              aerofoil::shownResult(v.cp), aerofoil::shownResult(v.psi));
}

void printSurface(const cli::SurfaceResult& r) {
  std::printf("%s surface: transition %.4f  inverse mode from %.4f  theta_te %.6g  H_te %.6g\n",
              r.name.c_str(), r.xtr, r.xinv, r.thetaTe(), r.hTe());
}

void printViscous(const viscous::Result& r) {
  if (!std::isfinite(r.cl)) {  // the sweeps swing: no number to give (the warning says so)
    std::printf("viscous: no lift, moment or drag  sweeps %d (not settled)\n", r.sweeps);
    return;
  }
  std::printf("viscous: Cl %.6g  Cm_c/4 %.6g  Cd %.6g  Cd_friction %.6g  Cd_pressure %.6g  sweeps %d%s\n",
              aerofoil::shownResult(r.cl), aerofoil::shownResult(r.cm), r.cd, r.cd_friction, r.cd_pressure, r.sweeps,
              r.converged ? "" : " (not settled)");
}

// "BL Calculation" and K presses of "Recalculate" on the current section;
// or, with --viscous, the viscous analysis (into `vr`, and sum.viscous
// once it has run), its reports where the session's go.  The results of
// both surfaces into `surfaces`; a failure into sum.failure.
bl::Status boundaryLayer(bl::Session& session, const cli::Options& o, const aerofoil::Joukowski& af,
                         cli::Summary& sum, viscous::Result& vr, std::array<bl::SurfaceValues, 2>& bare,
                         std::array<bl::SurfaceResult, 2>& surfaces, const bl::CancelFlag* cancel) {
  sum.surfaces.clear();
  bl::Status st = session.hand_over_contour(af.s, af.v, af.currentN, af.x, af.y);
  std::optional<bl::Surface> failed;
  if (st.ok && o.viscous) {
    // The bare section's surfaces, which the pictures draw for comparison.
    for (bl::Surface which : bl::kBothSurfaces)
      bare[static_cast<std::size_t>(bl::index(which))] = session.split_surface(which);
    viscous::Settings coupling;
    coupling.turbulence = o.params.turbulence;
    viscous::Run run;
    run.cancel = cancel;
    run.reports = &session.reports();
    run.write_reports = true;
    vr = viscous::analyse(af, session.parameters(), coupling, viscous::State{}, run);
    sum.viscous = &vr;
    st = vr.status;
    failed = vr.failed_surface;
    surfaces = vr.surfaces;
  } else if (st.ok) {
    st = session.new_computation();
    for (int k = 0; st.ok && k < o.recalc; ++k) st = session.recalculate();
    failed = session.failed_surface();
    for (bl::Surface which : bl::kBothSurfaces) surfaces[static_cast<std::size_t>(bl::index(which))] = session.surface(which);
  }
  if (st.cancelled) {
    st.message = "cancelled";
    cli::Failure f{o.viscous ? "viscous analysis" : "boundary layer", st.message};
    f.cancelled = true;
    sum.failure = f;
    return st;
  }
  if (!st.ok) {
    st.message = aerofoil::boundaryLayerFailure(af, st.message);
    cli::Failure f{o.viscous && sum.viscous ? "viscous analysis" : "boundary layer", st.message};
    if (failed) f.surface = *failed == bl::Surface::upper ? "upper" : "lower";
    if (sum.viscous && vr.sweeps < viscous::Settings{}.max_sweeps) f.sweep = vr.sweeps + 1;
    sum.failure = f;
    return st;
  }
  sum.surfaces.emplace_back("upper", surfaces[0]);
  sum.surfaces.emplace_back("lower", surfaces[1]);
  return st;
}

// --contour and --plot, after everything else of the section is computed;
// surfaces: the computed boundary layer (upper, lower), or null.
bool writeSectionFiles(const cli::Options& o, const aerofoil::Joukowski& af,
                       const std::array<bl::SurfaceResult, 2>* surfaces, const std::array<bl::SurfaceValues, 2>* bare,
                       std::string& why) {
  if (!o.contour.empty() && !aerofoil::writeContourFile(af, o.contour, why)) return false;
  if (!o.plot.empty() &&
      !plot::writeSvgFile(o.plot, cli::plotPanels(af, surfaces, cli::quantityCode(o.quantity), bare, o.params.turbulence), why))
    return false;
  return true;
}

int finish(cli::Summary& sum, const cli::Options& o, int code) {
  cli::collectWarnings(sum);
  for (const std::string& w : sum.warnings) std::cerr << "veltaro-cli: warning: " << w << "\n";
  if (!o.json.empty()) {
    std::string why;
    if (!cli::writeJson(sum, o.json, why)) return fail(why);
  }
  return code;
}

int runSingle(bl::Session& session, const cli::Options& o, const aerofoil::SectionModel& model,
              const bl::CancelFlag& cancel) {
  aerofoil::Joukowski af;
  model.solve(o.section.alphaDeg, af);
  const std::string note = aerofoil::clampNote(o.section.n);
  if (!note.empty()) std::cerr << "veltaro-cli: " << note << "\n";
  cli::Summary sum{&o, &af, {}, {}};
  // The probe first: a point inside the section is refused before
  // anything is printed or written.
  aerofoil::FieldValue probe;
  if (!o.probe.empty()) {
    probe = aerofoil::FlowField(af).at({o.probe_x, o.probe_y});
    if (probe.inside) return fail("--probe " + o.probe + ": the point lies inside the section, where there is no flow");
    sum.probe = &probe;
  }
  if (o.json != "-") {
    printAerofoil(af);
    if (sum.probe) printProbe(probe);
  }
  if (o.save) {
    int count = 0;
    const aerofoil::SaveOutcome out = aerofoil::saveResult(af, count, o.outdir);
    if (!out.ok) {
      sum.failure = cli::Failure{"files", out.message};
      fail(out.message);
      return finish(sum, o, 1);
    }
    if (o.json != "-") std::printf("saved %s\n", out.path.c_str());
  }
  viscous::Result vr;
  std::array<bl::SurfaceValues, 2> bare;
  std::array<bl::SurfaceResult, 2> surfaces;
  if (o.bl) {
    const bl::Status st = boundaryLayer(session, o, af, sum, vr, bare, surfaces, &cancel);
    if (!st.ok) {
      fail(st.message);
      return finish(sum, o, 1);
    }
    if (o.json != "-") {
      for (const auto& r : sum.surfaces) printSurface(r);
      if (o.viscous) printViscous(vr);
    }
  }
  std::string why;
  if (!writeSectionFiles(o, af, o.bl ? &surfaces : nullptr, o.viscous ? &bare : nullptr, why)) {
    sum.failure = cli::Failure{"files", why};
    fail(why);
    return finish(sum, o, 1);
  }
  return finish(sum, o, 0);
}

int runSurface(bl::Session& session, const cli::Options& o) {
  cli::SurfaceTable table;
  std::string why;
  if (!cli::readSurfaceTable(o.surface, table, why, o.started())) {
    std::cerr << "veltaro-cli: " << why << "\n";
    return 2;
  }
  std::optional<bl::LayerStart> start;
  if (o.started()) start = bl::LayerStart{o.start_theta, o.start_h};
  const bl::Status st = session.march_table(table.s, table.ue, start);
  cli::Summary sum{&o, nullptr, {}, {}};
  if (!st.ok) {
    sum.failure = cli::Failure{"boundary layer", st.message, "upper"};
    fail(st.message);
    return finish(sum, o, 1);
  }
  sum.surfaces.emplace_back("surface", session.surface(bl::Surface::upper));
  if (o.json != "-") printSurface(sum.surfaces.back());
  return finish(sum, o, 0);
}

// The polar: --save writes the result file of every angle first, in angle
// order; then the angles are computed on every core (--jobs) and printed
// in order as they come, each with the diagnostic lines (--verbose) and the
// warnings of its own computation.
int runSweep(const cli::Options& o, const std::shared_ptr<const aerofoil::SectionModel>& model,
             const bl::CancelFlag& cancel) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  if (o.save) {
    for (double alpha : o.sweep_angles) {
      aerofoil::Joukowski af;
      model->solve(alpha, af);
      int count = 0;
      const aerofoil::SaveOutcome out = aerofoil::saveResult(af, count, o.outdir);
      if (!out.ok) return fail(out.message);
      cli::Summary section{&o, &af, {}, {}};  // says why the file holds inf or nan
      cli::collectWarnings(section);
      for (const std::string& w : section.warnings)
        std::cerr << "veltaro-cli: warning: alpha " << alpha << ": " << w << "\n";
    }
  }

  polar::Settings set;
  set.section = o.section;
  set.model = model;
  set.angles = o.sweep_angles;
  set.boundary_layer = o.bl;
  set.params = o.params;
  set.recalc = o.recalc;
  set.jobs = o.jobs;
  set.diagnostics = o.verbose;
  set.viscous = o.viscous;
  set.coupling.turbulence = o.params.turbulence;
  if (o.reports) set.report_folder = o.outdir;

  const bool table = o.json != "-";
  nlohmann::json rows = nlohmann::json::array();
  int code = 0, shown = 0;
  bool progress = false;
  if (table)
    std::printf("%s%s", polar::settingsHeader(set, kProgram).c_str(), polar::tableHeader(o.bl, o.viscous).c_str());
  std::vector<polar::Point> points;  // for the closing line of a viscous polar
  polar::compute(set, [&](const polar::Point& p) {
    std::fputs(p.diagnostics.c_str(), stderr);  // standard output holds the table alone
    std::fputs(p.diagnostics_err.c_str(), stderr);
    if (table) std::printf("%s", polar::tableRow(p, o.bl, o.viscous).c_str());
    if (o.viscous) points.push_back(p);
    if (!o.json.empty()) rows.push_back(cli::polarJson(p, o.bl, o.params));
    if (!p.report_dir.empty()) std::cerr << "veltaro-cli: alpha " << p.alpha << ": reports in " << p.report_dir << "\n";
    if (o.bl && !p.computed) {
      std::cerr << "veltaro-cli: alpha " << p.alpha << ": " << p.failure << "\n";
      code = 1;
    } else if (o.bl && !std::isfinite(p.cd)) {
      std::cerr << "veltaro-cli: warning: alpha " << p.alpha << ": " << p.cd_why << "\n";
    }
    std::fflush(stdout);
    ++shown;
    if (std::chrono::duration<double>(Clock::now() - start).count() > 1.0) {
      progress = true;
      std::fprintf(stderr, "\rsweep: %d/%d angles", shown, static_cast<int>(o.sweep_angles.size()));
    }
  }, &cancel);
  if (progress) std::fprintf(stderr, "\n");
  if (table) std::printf("%s", polar::tableFooter(points, o.viscous).c_str());
  // Cancelled: the rows so far, every one computed whole, and exit code 1.
  if (bl::raised(&cancel)) code = fail("cancelled after " + std::to_string(shown) + " of " +
                                       std::to_string(o.sweep_angles.size()) + " angles");
  if (!o.json.empty()) {
    std::string why;
    if (!cli::writeJsonText(rows.dump(1) + "\n", o.json, why)) return fail(why);
  }
  return code;
}

int run(int argc, char** argv) {
  cli::Options o;
  const cli::ParseResult parsed = cli::parse(argc, argv, o);
  if (parsed.kind == cli::ParseResult::Exit) {
    (parsed.code == 0 ? std::cout : std::cerr) << parsed.message << "\n";
    return parsed.code;
  }
  // Ctrl-C from here on cancels the computation (before any other thread
  // starts, so that every thread leaves the signal to the watch).
  bl::CancelFlag cancel{false};
  const cli::InterruptWatch watch(cancel);
  // The section, once: a numerical map is found here.  A section that cannot
  // be made (a bad designation or file, an outline that cannot be mapped) is
  // bad input.
  std::string why;
  const std::shared_ptr<const aerofoil::SectionModel> model = aerofoil::makeSection(o.section, why);
  if (!model) {
    std::cerr << "veltaro-cli: " << why << "\n";
    return 2;
  }
  for (const std::string& note : model->notes()) std::cerr << "veltaro-cli: note: " << note << "\n";
  if (!o.sweep.empty()) return runSweep(o, model, cancel);
  // One session for the run: the reports continue from pass to pass.
  bl::Session session;
  session.set_cancel_flag(&cancel);
  session.reports().set_folder(o.outdir);
  session.reports().set_diagnostics(o.verbose);
  // The solver's diagnostic lines go to standard error, so that standard
  // output holds only the results (and with --json -, valid JSON).
  session.reports().set_diagnostic_streams(&std::cerr, &std::cerr);
  const bl::Status valid = session.set_parameters(o.params);  // parse() has checked them
  if (!valid.ok) return fail(valid.message);
  if (!o.surface.empty()) return runSurface(session, o);
  return runSingle(session, o, *model, cancel);
}

// The results printed must have reached standard output: a full disk or a
// failing pipe would otherwise lose them behind exit code 0.  An error of
// any earlier write stays marked on the stream.
int outputChecked(int code) {
  const bool flushed = std::fflush(stdout) == 0;
  const int err = errno;
  if (flushed && !std::ferror(stdout)) return code;
  std::cerr << "veltaro-cli: cannot write standard output"
            << (flushed ? std::string() : ": " + std::string(std::strerror(err))) << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) { return outputChecked(run(argc, argv)); }
