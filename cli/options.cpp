#include "options.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "polar.h"
#include "section_model.h"
#include "veltaro_version.h"

namespace cli {

namespace {

// An empty value would be read as 0 or leave the default in place without
// a word; a number option must be given a number.
bool blank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

const CLI::Validator kGiven(
    [](std::string& text) -> std::string {
      if (blank(text)) return "an empty value is not a number";
      errno = 0;
      char* end = nullptr;
      const long v = std::strtol(text.c_str(), &end, 10);
      if (end == text.c_str() || *end != '\0') return "'" + text + "' is not a whole number";
      if (errno == ERANGE || v < INT_MIN || v > INT_MAX) return "'" + text + "' is too large";
      return "";
    },
    "NUMBER");

// Rejects text that is no number, NaN and infinities (which slip through a
// range check), and empty values, each said as what it is: "abc" is not a
// number, "-inf" not a finite number, and a number too large for a double
// ("1e400", which reads as an infinity) too large.
const CLI::Validator kFinite(
    [](std::string& text) -> std::string {
      if (blank(text)) return "an empty value is not a number";
      errno = 0;
      char* end = nullptr;
      const double v = std::strtod(text.c_str(), &end);
      const bool overflow = errno == ERANGE && std::isinf(v);
      if (end == text.c_str() || *end != '\0' || std::isnan(v)) return "'" + text + "' is not a number";
      if (std::isinf(v))
        return overflow ? "'" + text + "' is too large" : "'" + text + "' is not a finite number";
      return std::string();
    },
    "FINITE");

ParseResult bad(const std::string& message) {
  return ParseResult{ParseResult::Exit, 2, "veltaro-cli: " + message};
}

// An output file named on the command line must be a file name in an
// existing folder, so that a mistyped path is refused before anything is
// computed or written.
bool writablePlace(const std::string& option, const std::string& path, std::string& why) {
  struct stat sb {};
  if (::stat(path.c_str(), &sb) == 0 && S_ISDIR(sb.st_mode)) {
    why = option + ": '" + path + "' is a folder, not a file";
    return false;
  }
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  if (::stat(folder.c_str(), &sb) != 0 || !S_ISDIR(sb.st_mode)) {
    why = option + ": the folder of '" + path + "' does not exist";
    return false;
  }
  return true;
}

// The angles of attack the section takes, "-65..65", as the solver bounds them.
std::string alphaRange() {
  char text[48];
  std::snprintf(text, sizeof text, "%g..%g", aerofoil::kAlphaMin, aerofoil::kAlphaMax);
  return text;
}

// "A0:A1:DA" into its three numbers and the angles they name, by the
// polar window's rule: the sign of DA leads from A0 to A1.
bool parseSweep(Options& o, std::string& why) {
  std::string parts[3];
  std::istringstream in(o.sweep);
  for (int k = 0; k < 3; ++k)
    if (!std::getline(in, parts[k], ':')) {
      why = "--sweep takes A0:A1:DA, got '" + o.sweep + "'";
      return false;
    }
  std::string rest;
  if (std::getline(in, rest)) {
    why = "--sweep takes A0:A1:DA, got '" + o.sweep + "'";
    return false;
  }
  double v[3];
  for (int k = 0; k < 3; ++k) {
    char* end = nullptr;
    v[k] = std::strtod(parts[k].c_str(), &end);
    if (parts[k].empty() || *end != '\0' || !std::isfinite(v[k])) {
      why = "--sweep: '" + parts[k] + "' is not a number";
      return false;
    }
  }
  const auto outside = [](double a) { return a < aerofoil::kAlphaMin || a > aerofoil::kAlphaMax; };
  if (outside(v[0]) || outside(v[1])) {
    why = "--sweep: angles must lie in " + alphaRange() + " degrees";
    return false;
  }
  std::string range;
  o.sweep_angles = polar::steppedAngles(v[0], v[1], v[2], polar::kMaxAngles, range);
  if (o.sweep_angles.empty()) {
    why = "--sweep: " + range;
    return false;
  }
  return true;
}

// How far from the section a probe may lie, chords: there the flow is the
// free stream's to well below the printed digits, and the maps stay clear
// of overflow (at 1e308 the point came back as "inside the section").
constexpr double kProbeReach = 1e6;

// "X,Y" into the probe's point: two finite numbers within kProbeReach.
bool parseProbe(Options& o, std::string& why) {
  const std::size_t comma = o.probe.find(',');
  why = "--probe takes X,Y (x/c and y/c of a point off the section), got '" + o.probe + "'";
  if (comma == std::string::npos) return false;
  const std::string parts[2] = {o.probe.substr(0, comma), o.probe.substr(comma + 1)};
  double v[2];
  for (int k = 0; k < 2; ++k) {
    char* end = nullptr;
    v[k] = std::strtod(parts[k].c_str(), &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (blank(parts[k]) || *end != '\0' || !std::isfinite(v[k])) return false;
  }
  if (std::fabs(v[0]) > kProbeReach || std::fabs(v[1]) > kProbeReach) {
    why = "--probe " + o.probe + ": X and Y lie within 1e6 chords of the section (there the flow is the free stream)";
    return false;
  }
  o.probe_x = v[0];
  o.probe_y = v[1];
  why.clear();
  return true;
}

}  // namespace

ParseResult parse(int argc, char** argv, Options& o) {
  CLI::App app{
      "veltaro-cli: the Joukowski aerofoil and its boundary layer without a display.\n"
      "Also any other section: Karman-Trefftz (--kt-angle), NACA (--naca) or from a\n"
      "coordinate file (--coordinates), through the exact conformal map of its outline.\n"
      "Prints the section's integral characteristics; with --bl also computes the\n"
      "boundary layer of both surfaces as the boundary-layer window does, writing the\n"
      "same report files.",
      "veltaro-cli"};
  app.set_version_flag("--version", "veltaro-cli " VELTARO_VERSION);
  app.get_formatter()->column_width(34);

  aerofoil::SectionInputs& s = o.section;
  app.add_option("--alpha", s.alphaDeg, "Angle of attack, degrees (" + alphaRange() + ")")
      ->check(kFinite)
      ->check(CLI::Range(aerofoil::kAlphaMin, aerofoil::kAlphaMax))
      ->capture_default_str();
  app.add_option("--e", s.eR1, "Thickness parameter e/R1 (0..1)")
      ->check(kFinite)
      ->check(CLI::Range(aerofoil::kEMin, aerofoil::kEMax))
      ->capture_default_str();
  app.add_option("--h", s.hR1, "Camber parameter h/R1 (-0.8..0.8)")
      ->check(kFinite)
      ->check(CLI::Range(aerofoil::kHMin, aerofoil::kHMax))
      ->capture_default_str();
  app.add_option("--kt-angle", s.teAngleDeg,
                 "Karman-Trefftz section of --e and --h with a trailing-edge angle of DEG\n"
                 "degrees (0.." + std::to_string(static_cast<int>(aerofoil::kMaxTrailingEdgeAngle)) +
                     "; 0 is the Joukowski section)")
      ->check(kFinite)
      ->check(CLI::Range(0.0, aerofoil::kMaxTrailingEdgeAngle))
      ->type_name("DEG");
  app.add_option("--naca", s.naca,
                 "NACA four- or five-digit section from its designation (2412, 23012), the\n"
                 "trailing edge closed (last thickness coefficient -0.1036)")
      ->type_name("DIGITS");
  app.add_option("--coordinates", s.coordinates,
                 "Section from a coordinate FILE in the Selig or the Lednicer format, put in\n"
                 "chord axes (nose at the origin, trailing edge at (1, 0)); a trailing-edge\n"
                 "gap is closed by shearing each surface, and said so")
      ->type_name("FILE");
  app.add_option("--n", s.n, "Contour intervals N; below 8 uses 8, above 1199 uses 1199")
      ->check(kGiven)
      ->capture_default_str();
  app.add_flag("--save", o.save,
               "Write the result file Airfoil_<n>.out (next free number) as SAVE RESULT does");

  app.add_flag("--bl", o.bl, "Compute the boundary layer of both surfaces (BL Calculation)");
  app.add_flag("--viscous", o.viscous,
               "With --bl: the boundary layer and its wake act back on the outer flow\n"
               "(viscous-inviscid interaction): viscous lift, moment about the quarter\n"
               "chord, drag and friction drag, and the coupling sweeps it took");
  app.add_option("--recalc", o.recalc, "Then press Recalculate K times (0..1000)")
      ->check(kGiven)
      ->check(CLI::Range(0, 1000))
      ->capture_default_str();
  // The boundary-layer parameters, each with the range the solver accepts.
  using bl::Parameter;
  bl::ComputationParameters& p = o.params;
  const auto range = [](Parameter q) { return " (" + bl::range_in_short(q) + ")"; };
  app.add_option("--re-mill", p.re_mill, "Reynolds number in millions" + range(Parameter::ReMill))
      ->check(kFinite)
      ->capture_default_str();
  app.add_option("--eta-e", p.eta_e, "Outer edge of the normal grid, ETAe" + range(Parameter::EtaE))
      ->check(kFinite)
      ->capture_default_str();
  app.add_option("--kv", p.kv, "Ratio of successive normal grid steps, Kv" + range(Parameter::Kv))
      ->check(kFinite)
      ->capture_default_str();
  app.add_option("--np", p.np_in, "Normal grid points, Np" + range(Parameter::Np))
      ->check(kGiven)
      ->capture_default_str();
  app.add_option("--cfs", p.cfs_sqrt_re, "Cf*sqrt(Re) prescribed in the inverse mode" + range(Parameter::Cfs))
      ->check(kFinite)
      ->capture_default_str();
  app.add_option("--str-u", p.xtr_surf[0], "Transition arc length, upper surface" + range(Parameter::StrU))
      ->check(kFinite)
      ->capture_default_str();
  app.add_option("--str-l", p.xtr_surf[1], "Transition arc length, lower surface" + range(Parameter::StrL))
      ->check(kFinite)
      ->capture_default_str();
  // A trip as aerodynamicists give it: at a chord position, whatever the
  // angle does to the stagnation point.
  const std::string trip = bl::trip_range_in_short();
  app.add_option("--xtr-u", o.xtr_xc[0],
                 "Transition forced at x/c = X (" + trip + ") on the upper surface's side\n"
                 "of the section, at every angle; overrides --str-u")
      ->check(kFinite)
      ->type_name("X");
  app.add_option("--xtr-l", o.xtr_xc[1],
                 "Transition forced at x/c = X (" + trip + ") on the lower surface's side\n"
                 "of the section, at every angle; overrides --str-l")
      ->check(kFinite)
      ->type_name("X");

  std::string turbulence = bl::turbulence_name(p.turbulence);
  app.add_option("--turbulence", turbulence,
                 "With --bl, --surface or --sweep: the closure of the turbulent layer,\n"
                 "algebraic (eddy viscosity: mixing length and outer law) or sa\n"
                 "(Spalart-Allmaras transport equation); with --viscous the default is sa")
      ->check(CLI::IsMember({"algebraic", "sa"}))
      ->capture_default_str();
  app.add_option("--surface", o.surface,
                 "One boundary-layer pass on a table FILE of arc length and edge velocity\n"
                 "(two columns, '#' comments; node 1 the stagnation point with ue = 0),\n"
                 "with the upper-surface settings (--str-u)");
  app.add_option("--start-theta", o.start_theta,
                 "With --surface: the table's first node is a station (s > 0) where a\n"
                 "turbulent layer of momentum thickness T starts (the table's length unit;\n"
                 "--re-mill is then ue L / nu in millions per unit length L, e.g. U0/nu per\n"
                 "metre with s in metres and ue as ue/U0); with --start-h")
      ->check(kFinite)
      ->type_name("T");
  app.add_option("--start-h", o.start_h, "With --start-theta: the starting layer's shape factor (1.25..2.2)")
      ->check(kFinite)
      ->type_name("H");
  app.add_option("--sweep", o.sweep,
                 "Polar sweep A0:A1:DA in degrees: one table row per angle; with --bl the\n"
                 "transition and inverse-mode positions, trailing-edge momentum thickness\n"
                 "and shape factor per surface and the Squire-Young profile drag\n"
                 "Cd = sum over both surfaces of 2 theta_te ue_te^((H_te + 5)/2)");
  app.add_option("--contour", o.contour,
                 "Write the section's contour to FILE in the Selig format (a name line, then\n"
                 "x y in chord fractions from the trailing edge over the upper surface and\n"
                 "back along the lower one, 12 decimals); FILE is replaced if it exists")
      ->type_name("FILE");
  app.add_option("--plot", o.plot,
                 "Write the pressure plot as the window draws it to FILE.svg (800 x 600);\n"
                 "with --bl, below it, the boundary-layer plots of the upper and then the\n"
                 "lower surface: edge velocity, then the --quantity (800 x 300 each);\n"
                 "FILE.svg is replaced if it exists")
      ->type_name("FILE.svg");
  app.add_option("--quantity", o.quantity,
                 "With --bl and --plot: the boundary-layer quantity plotted, cf (skin\n"
                 "friction), d1 (displacement thickness), d2 (momentum thickness) or h12\n"
                 "(shape factor)")
      ->check(CLI::IsMember({"cf", "d1", "d2", "h12"}))
      ->capture_default_str();
  app.add_option("--probe", o.probe,
                 "The exact potential flow at the point X,Y (x/c and y/c in the chord axes of the\n"
                 "contour table, the free stream at the angle of attack): prints u= v= Cp= psi=\n"
                 "(velocity per free-stream speed, psi per free-stream speed times chord); a\n"
                 "point inside the section is refused (exit code 1)")
      ->type_name("X,Y");
  app.add_option("--outdir", o.outdir, "Folder for the result and report files")
      ->capture_default_str();
  app.add_flag("--verbose", o.verbose,
               "Also print the solver's diagnostic lines (station rows, input summary)\n"
               "on standard error");
  app.add_option("--json", o.json,
                 "Machine-readable summary to FILE, or - for standard output; with --sweep the\n"
                 "polar table as an array of objects");
  app.add_option("--jobs", o.jobs, "Angles of a --sweep computed at once (0: one per core; at most " +
                     std::to_string(polar::kMaxJobs) + ")")
      ->check(kGiven)
      ->capture_default_str();
  app.add_flag("--reports", o.reports,
               "With --sweep: write each angle's report files into OUTDIR/alpha_<angle>/\n"
               "(without it a polar writes no report files)");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return ParseResult{ParseResult::Exit, 0, app.help()};
  } catch (const CLI::CallForVersion& e) {
    return ParseResult{ParseResult::Exit, 0, e.what()};
  } catch (const CLI::ParseError& e) {
    std::string msg = e.what();
    for (char& c : msg)
      if (c == '\n') c = ' ';
    return bad(msg);
  }

  // A file, sweep or folder option given an empty text would otherwise be
  // taken as not given at all.
  for (const char* name : {"--surface", "--sweep", "--json", "--outdir", "--contour", "--plot", "--naca",
                           "--coordinates", "--probe"})
    if (app.count(name) > 0 && app.get_option(name)->as<std::string>().empty())
      return bad(std::string(name) + ": an empty value names nothing");
  // One kind of section: Joukowski's (the default), or one of the others.
  const int kinds = static_cast<int>(app.count("--kt-angle") > 0) + static_cast<int>(app.count("--naca") > 0) +
                    static_cast<int>(app.count("--coordinates") > 0);
  if (kinds > 1) return bad("--kt-angle, --naca and --coordinates each choose the section: give one");
  if ((app.count("--naca") > 0 || app.count("--coordinates") > 0) && (app.count("--e") > 0 || app.count("--h") > 0))
    return bad(std::string(app.count("--naca") > 0 ? "--naca" : "--coordinates") +
               " gives the whole section: --e and --h are for the Joukowski and Karman-Trefftz sections");
  if (app.count("--kt-angle") > 0) s.kind = aerofoil::SectionKind::karmanTrefftz;
  if (app.count("--naca") > 0) s.kind = aerofoil::SectionKind::naca;
  if (app.count("--coordinates") > 0) s.kind = aerofoil::SectionKind::coordinates;
  if (!o.surface.empty() && s.kind != aerofoil::SectionKind::joukowski)
    return bad("--surface runs on its own table; it takes no section");
  if (!o.surface.empty() && (o.bl || !o.sweep.empty()))
    return bad("--surface runs on its own table; it does not go with --bl or --sweep");
  for (int i = 0; i < 2; ++i) {
    if (app.count(i == 0 ? "--xtr-u" : "--xtr-l") == 0) continue;
    if (!o.surface.empty())
      return bad(std::string(i == 0 ? "--xtr-u" : "--xtr-l") +
                 " places transition on a section; a --surface table has no x/c (give --str-u)");
    o.params.xtr_xc[i] = o.xtr_xc[i];
  }
  p.turbulence = *bl::turbulence_from_name(turbulence);  // a member of the names, checked above
  // The viscous analysis has a closure of its own by default.
  if (app.count("--turbulence") == 0 && o.viscous) p.turbulence = viscous::Settings{}.turbulence;
  if (app.count("--turbulence") > 0 && !o.bl && o.surface.empty())
    return bad("--turbulence chooses the boundary layer's closure: it needs --bl or --surface");
  if ((app.count("--start-theta") > 0) != (app.count("--start-h") > 0) ||
      (app.count("--start-theta") > 0 && o.surface.empty()))
    return bad("--start-theta and --start-h go together, with --surface");
  if (app.count("--start-theta") > 0 && !(o.start_theta > 0 && o.start_h >= 1.25 && o.start_h <= 2.2))
    return bad("--start-theta must be above 0 and --start-h from 1.25 to 2.2");
  if (o.recalc > 0 && !o.bl) return bad("--recalc needs --bl");
  if (o.viscous && !o.bl) return bad("--viscous needs --bl");
  if (o.viscous && o.recalc > 0) return bad("--viscous does not go with --recalc: the coupling sweeps recalculate");
  // A single section writes its reports anyway; --reports asks a sweep for
  // them, and alone it would do nothing.
  if (o.reports && o.sweep.empty())
    return bad("--reports is for a --sweep; one section writes its reports anyway");
  if (o.jobs < 0 || o.jobs > polar::kMaxJobs)
    return bad("--jobs: give a number of angles at once from 1 to " + std::to_string(polar::kMaxJobs) +
               " (0: one per core)");

  // The contour and the picture belong to one section.
  for (const std::string* file : {&o.contour, &o.plot}) {
    if (file->empty()) continue;
    const char* name = file == &o.contour ? "--contour" : "--plot";
    if (!o.surface.empty() || !o.sweep.empty())
      return bad(std::string(name) + " writes one section; it does not go with --surface or --sweep");
    std::string why;
    if (!writablePlace(name, *file, why)) return bad(why);
  }
  if (!o.probe.empty()) {
    if (!o.surface.empty() || !o.sweep.empty())
      return bad("--probe reads the flow about one section; it does not go with --surface or --sweep");
    std::string why;
    if (!parseProbe(o, why)) return bad(why);
  }
  // The summary file too, unless it goes to standard output.
  if (!o.json.empty() && o.json != "-") {
    std::string why;
    if (!writablePlace("--json", o.json, why)) return bad(why);
  }
  if (app.count("--quantity") > 0 && (!o.bl || o.plot.empty()))
    return bad("--quantity chooses the boundary-layer plot of --plot: it needs --bl and --plot");
  if (!o.plot.empty()) {
    std::string ext = o.plot.size() >= 4 ? o.plot.substr(o.plot.size() - 4) : "";
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext != ".svg") return bad("--plot writes SVG: give a file name ending in .svg");
  }

  const bl::Status st = bl::validate_parameters(o.params);
  if (!st.ok) return bad(st.message);

  if (!o.sweep.empty()) {
    std::string why;
    if (!parseSweep(o, why)) return bad(why);
  }

  struct stat sb {};
  if (::stat(o.outdir.c_str(), &sb) != 0 || !S_ISDIR(sb.st_mode))
    return bad("--outdir: '" + o.outdir + "' is not a folder");
  return ParseResult{};
}

}  // namespace cli
