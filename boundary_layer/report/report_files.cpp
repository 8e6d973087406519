#include "report/report_files.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace bl {

namespace {

constexpr int kReports = 5;

struct ReportState {
  std::string folder;                        // empty: working directory
  std::array<std::ofstream, kReports> out;   // one stream per report
  std::array<bool, kReports> used{};         // opened since the last reset
  bool enabled = true;                       // report writing switched on
  bool diagnostics = true;                   // standard-output lines switched on
  std::ofstream discard;                     // never opened: swallows writes when off
};

ReportState& state() {
  static ReportState s;
  return s;
}

int index(Report r) { return static_cast<int>(r); }

bool is_dump(Report r) { return r == Report::NetFunc || r == Report::Debug; }

void open_fresh(Report r) {
  std::ofstream& f = state().out[static_cast<std::size_t>(index(r))];
  if (f.is_open()) f.close();
  f.clear();
  f.open(report_path(report_name(r)), std::ios::out | std::ios::trunc);
  state().used[static_cast<std::size_t>(index(r))] = true;
}

void close_one(Report r) {
  std::ofstream& f = state().out[static_cast<std::size_t>(index(r))];
  if (f.is_open()) f.close();
  f.clear();
  state().used[static_cast<std::size_t>(index(r))] = false;
}

}  // namespace

const char* report_name(Report r) {
  switch (r) {
    case Report::CalcBl: return "CalcBl.out";
    case Report::InputBl: return "InputBl.out";
    case Report::Init2d: return "init2d.OUT";
    case Report::NetFunc: return "NetFunc.out";
    case Report::Debug: return "Debug.out";
  }
  return "";
}

void set_report_folder(const std::string& folder) {
  close_reports();
  state().folder = folder;
}

void set_reports_enabled(bool on) {
  close_reports();
  state().enabled = on;
}

bool reports_enabled() { return state().enabled; }

void set_diagnostics_enabled(bool on) { state().diagnostics = on; }

namespace {
std::ostream& diagnostic(std::ostream& real) {
  if (state().enabled && state().diagnostics) return real;
  state().discard.setstate(std::ios::badbit);
  return state().discard;
}
}  // namespace

std::ostream& diag_out() { return diagnostic(std::cout); }
std::ostream& diag_err() { return diagnostic(std::cerr); }

const std::string& report_folder() { return state().folder; }

std::string report_path(const std::string& file_name) {
  const std::string& dir = state().folder;
  if (dir.empty()) return file_name;
  return (dir.back() == '/') ? dir + file_name : dir + "/" + file_name;
}

std::ostream& report(Report r) {
  if (!state().enabled) {
    state().discard.setstate(std::ios::badbit);
    return state().discard;
  }
  std::ofstream& f = state().out[static_cast<std::size_t>(index(r))];
  if (!is_dump(r) && !state().used[static_cast<std::size_t>(index(r))]) open_fresh(r);
  if (!f.is_open()) f.setstate(std::ios::badbit);  // writes go nowhere; status tells
  return f;
}

Status report_status(Report r) {
  if (!state().enabled) return Status{};
  std::ofstream& f = state().out[static_cast<std::size_t>(index(r))];
  const std::string path = report_path(report_name(r));
  if (!f.is_open()) {
    if (is_dump(r) && !state().used[static_cast<std::size_t>(index(r))])
      return Status::failure("report \"" + path + "\" is not open");
    return Status::failure("cannot open the report \"" + path + "\" for writing");
  }
  f.flush();
  if (!f) return Status::failure("writing the report \"" + path + "\" failed (disk full or no permission?)");
  return Status{};
}

Status open_dump_reports() {
  if (!state().enabled) return Status{};
  open_fresh(Report::NetFunc);
  open_fresh(Report::Debug);
  Status s = report_status(Report::NetFunc);
  return s.ok ? report_status(Report::Debug) : s;
}

Status close_dump_reports() {
  Status s = report_status(Report::NetFunc);
  const Status d = report_status(Report::Debug);
  if (s.ok) s = d;
  close_one(Report::NetFunc);
  close_one(Report::Debug);
  return s;
}

void close_reports() {
  for (int i = 0; i < kReports; ++i) close_one(static_cast<Report>(i));
}

Status write_whole_report(const std::string& file_name, const std::string& text) {
  if (!state().enabled) return Status{};
  const std::string path = report_path(file_name);
  const std::string temp = path + ".tmp";
  {
    std::ofstream f(temp, std::ios::out | std::ios::trunc);
    if (!f) return Status::failure("cannot open \"" + temp + "\" for writing");
    f << text;
    f.flush();
    if (!f) {
      f.close();
      std::remove(temp.c_str());
      return Status::failure("writing \"" + temp + "\" failed (disk full or no permission?)");
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return Status::failure("cannot replace the report \"" + path + "\"");
  }
  return Status{};
}

}  // namespace bl
