#include "sweep_checks.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

namespace sweep {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool sanitizerReport(const std::string& err) {
  return err.find("Sanitizer") != std::string::npos || err.find("runtime error:") != std::string::npos ||
         err.find("Assertion") != std::string::npos;
}

bool hasNonFinite(const std::string& text) {
  static const std::regex word(R"((^|[^A-Za-z])[-+]?(nan|inf|NaN|Inf|NAN|INF)([^A-Za-z]|$))");
  return std::regex_search(text, word);
}

namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string l;
  while (std::getline(in, l)) out.push_back(l);
  return out;
}

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

// Result file: 7 header lines, the N+1 table rows numbered 0..N in their
// last column, then one empty line.
void checkResultFile(const std::string& name, const std::string& text, Problems& problems) {
  const std::vector<std::string> l = lines(text);
  int n = -1;
  if (l.size() < 4 || std::sscanf(l[3].c_str(), " N= %d", &n) != 1 || n < 1) {
    problems.push_back(name + ": no contour count on line 4");
    return;
  }
  const std::size_t expected = static_cast<std::size_t>(n) + 9;
  if (l.size() != expected || text.back() != '\n' || !l.back().empty()) {
    problems.push_back(name + ": " + std::to_string(l.size()) + " lines, a whole file for N = " +
                       std::to_string(n) + " has " + std::to_string(expected));
    return;
  }
  for (int i = 0; i <= n; ++i) {
    const std::string& row = l[static_cast<std::size_t>(7 + i)];
    const std::string tail = std::to_string(i);
    if (row.size() < tail.size() || row.compare(row.size() - tail.size(), tail.size(), tail) != 0) {
      problems.push_back(name + ": table row " + std::to_string(i) + " is not numbered " + tail);
      return;
    }
  }
}

bool anyNull(const nlohmann::json& j) {
  if (j.is_null()) return true;
  if (j.is_array() || j.is_object())
    for (const auto& item : j)
      if (anyNull(item)) return true;
  return false;
}

// A single run that failed says so in its JSON, where and why; one that
// succeeded does not.
void checkFailureRecord(const CliCase& c, int code, const std::string& text, Problems& problems) {
  if (c.json.empty() || c.sweep || code == 2) return;
  const nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
  if (j.is_discarded() || !j.is_object()) {
    if (code == 1) problems.push_back("exit code 1 without a JSON record of the failure");
    return;
  }
  const bool failed = j.contains("failed") && j["failed"].is_object() && j["failed"].contains("stage") &&
                      j["failed"].contains("message");
  if (code == 1 && !failed) problems.push_back("exit code 1, yet the JSON does not say where and why it failed");
  if (code == 0 && j.contains("failed")) problems.push_back("exit code 0, yet the JSON records a failure");
}

// The viscous analysis counts its sweeps one way everywhere: at least one,
// at most the 80 it is allowed.
void checkSweepCounts(const std::string& text, Problems& problems) {
  // The printed line ("sweeps 37"), the warning ("did not settle in 80
  // sweeps") and the JSON ("sweeps": 37).
  static const std::regex counts(R"((?:sweeps |settle in |"sweeps": )(\d+))");
  for (std::sregex_iterator m(text.begin(), text.end(), counts), end; m != end; ++m) {
    const int n = std::stoi((*m)[1]);
    if (n < 1 || n > 80) problems.push_back("a viscous analysis reports " + std::to_string(n) + " sweeps");
  }
}

}  // namespace

bool checkJson(const std::string& text, const std::string& what, Problems& problems) {
  const nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
  if (j.is_discarded() || !j.is_object()) {
    problems.push_back(what + ": not a whole JSON object");
    return false;
  }
  if (!j.contains("warnings") || !j["warnings"].is_array()) {
    problems.push_back(what + ": no list of warnings");
    return true;
  }
  // A value the program could not compute is written as null; the user
  // must be told why.
  bool nulls = false;
  for (const char* key : {"aerofoil", "surfaces", "cd_squire_young"})
    if (j.contains(key) && anyNull(j[key])) nulls = true;
  if (nulls && j["warnings"].empty())
    problems.push_back(what + ": non-finite results written as null without a warning");
  return true;
}

void checkFolder(const std::string& folder, Problems& problems) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_regular_file()) continue;
    const std::string text = readFile(entry.path().string());
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0) {
      problems.push_back(name + ": temporary file left behind");
    } else if (name.rfind("Airfoil_", 0) == 0) {
      checkResultFile(name, text, problems);
    } else if (name == "summary.json") {
      checkJson(text, name, problems);
    } else if (name == "surface.txt") {
      // the input table
    } else if (!text.empty() && text.back() != '\n') {
      problems.push_back(name + ": ends in the middle of a line");
    }
  }
  if (ec) problems.push_back("cannot list " + folder + ": " + ec.message());
}

void checkCliRun(const CliCase& c, int code, const std::string& out, const std::string& err,
                 const std::string& folder, Problems& problems) {
  if (code < 0 || code > 2) problems.push_back("exit code " + std::to_string(code));
  if (sanitizerReport(err)) problems.push_back("sanitizer or assertion report on standard error");
  if (c.mustRefuse && code != 2) problems.push_back("bad input not refused with exit code 2");
  if (code != 0 && err.find("veltaro-cli:") == std::string::npos)
    problems.push_back("exit code " + std::to_string(code) + " without a message");

  std::vector<std::string> written;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name != "surface.txt") written.push_back(name);
  }
  if (code == 2 && !written.empty())
    problems.push_back("bad input, yet " + written.front() + " was written");
  checkFolder(folder, problems);

  int results = 0;
  bool nonFiniteResult = false;
  for (const std::string& name : written)
    if (name.rfind("Airfoil_", 0) == 0) {
      ++results;
      if (hasNonFinite(readFile(folder + "/" + name))) nonFiniteResult = true;
    }
  if (code == 0 && c.save && results == 0) problems.push_back("--save, yet no result file");

  // Every pass ends with this line in the march report.
  const std::string calc = readFile(folder + "/CalcBl.out");
  const int passes = count(calc, "The end of b.l. computation");
  if (code == 0 && c.bl && !c.sweep && passes != 2 * (c.recalc + 1))
    problems.push_back("CalcBl.out holds " + std::to_string(passes) + " passes, expected " +
                       std::to_string(2 * (c.recalc + 1)));
  if (code == 0 && !c.surfaceTable.empty() && passes != 1)
    problems.push_back("CalcBl.out holds " + std::to_string(passes) + " passes, expected 1");

  if (c.json == "-" && code != 2 && !out.empty()) checkJson(out, "JSON on standard output", problems);
  const std::string json = c.json.empty() ? "" : c.json == "-" ? out : readFile(folder + "/" + c.json);
  checkFailureRecord(c, code, json, problems);
  checkSweepCounts(out + err + (c.json == "-" ? "" : json), problems);
  const bool said = err.find("veltaro-cli:") != std::string::npos;
  if (hasNonFinite(out) && !said)
    problems.push_back("standard output shows a non-finite number without a message");
  if (nonFiniteResult && !said)
    problems.push_back("a result file holds a non-finite number without a message");
}

}  // namespace sweep
