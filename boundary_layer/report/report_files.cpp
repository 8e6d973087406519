// Opening, continuing, checking and closing the solver's report files.
#include "report/report_files.h"

#include <iostream>

#include "atomic_file.h"

namespace bl {

namespace {

std::size_t index(Report r) { return static_cast<std::size_t>(r); }

bool is_dump(Report r) { return r == Report::NetFunc || r == Report::Debug; }

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

void ReportFiles::open_fresh(Report r) {
  close_one(r);
  out_[index(r)].open(path(report_name(r)), std::ios::out | std::ios::trunc);
  used_[index(r)] = true;
}

void ReportFiles::close_one(Report r) {
  std::ofstream& f = out_[index(r)];
  if (f.is_open()) {
    write_out(r);
    f.close();
  }
  f.clear();
  text_[index(r)].clear();
  used_[index(r)] = false;
}

bool ReportFiles::write_out(Report r) {
  std::ofstream& f = out_[index(r)];
  std::string& text = text_[index(r)].str();
  if (!f.is_open()) {
    text.clear();  // nowhere to go: status() says so
    return false;
  }
  if (!text.empty()) f.write(text.data(), static_cast<std::streamsize>(text.size()));
  text.clear();
  f.flush();
  return bool(f);
}

std::ostream& ReportFiles::discarding() {
  discard_.setstate(std::ios::badbit);
  return discard_;
}

void ReportFiles::set_folder(const std::string& folder) {
  close_all();
  folder_ = folder;
}

void ReportFiles::set_enabled(bool on) {
  close_all();
  enabled_ = on;
}

std::ostream& ReportFiles::diag_out() {
  if (!enabled_ || !diagnostics_) return discarding();
  if (out_stream_) return *out_stream_;
  return holding_ ? static_cast<std::ostream&>(hold_out_) : std::cout;
}
std::ostream& ReportFiles::diag_err() {
  if (!enabled_ || !diagnostics_) return discarding();
  if (err_stream_) return *err_stream_;
  return holding_ ? static_cast<std::ostream&>(hold_err_) : std::cerr;
}

std::string ReportFiles::path(const std::string& file_name) const {
  if (folder_.empty()) return file_name;
  return (folder_.back() == '/') ? folder_ + file_name : folder_ + "/" + file_name;
}

ReportText& ReportFiles::stream(Report r) {
  if (!enabled_) {
    discard_text_.clear();
    return discard_text_;
  }
  if (!holding_ && !is_dump(r) && !used_[index(r)]) open_fresh(r);
  return text_[index(r)];
}

Status ReportFiles::status(Report r) {
  if (!enabled_ || holding_) return Status{};
  std::ofstream& f = out_[index(r)];
  const std::string where = path(report_name(r));
  if (!f.is_open()) {
    text_[index(r)].clear();  // written to a file that is not there
    if (is_dump(r) && !used_[index(r)]) return Status::failure("report \"" + where + "\" is not open");
    return Status::failure("cannot open the report \"" + where + "\" for writing");
  }
  if (!write_out(r))
    return Status::failure("writing the report \"" + where + "\" failed (disk full or no permission?)");
  return Status{};
}

Status ReportFiles::open_dumps() {
  if (!enabled_ || holding_) return Status{};
  open_fresh(Report::NetFunc);
  open_fresh(Report::Debug);
  Status s = status(Report::NetFunc);
  return s.ok ? status(Report::Debug) : s;
}

Status ReportFiles::close_dumps() {
  if (holding_) return Status{};
  Status s = status(Report::NetFunc);
  const Status d = status(Report::Debug);
  if (s.ok) s = d;
  close_one(Report::NetFunc);
  close_one(Report::Debug);
  return s;
}

void ReportFiles::close_all() {
  for (int i = 0; i < kReports; ++i) close_one(static_cast<Report>(i));
  hold_out_.str("");
  hold_err_.str("");
}

Status ReportFiles::write_whole(const std::string& file_name, const std::string& text) {
  if (!enabled_ || holding_) return Status{};
  // Rewritten at every split, many times in one computation: whole, but
  // not forced to the disk each time.
  std::string why;
  if (!files::writeAtomically(path(file_name), text, why, false))
    return Status::failure(why);
  return Status{};
}

ReportFiles ReportFiles::holding_for(const ReportFiles& real) {
  ReportFiles held;
  held.enabled_ = real.enabled_;
  held.diagnostics_ = real.diagnostics_;
  held.holding_ = true;
  return held;
}

void ReportFiles::append(ReportFiles& held) {
  if (!enabled_) return;
  for (int i = 0; i < kReports; ++i) {
    const std::string& text = held.text_[static_cast<std::size_t>(i)].str();
    if (!text.empty()) stream(static_cast<Report>(i)) << text;
  }
  diag_out() << held.hold_out_.str();
  diag_err() << held.hold_err_.str();
}

}  // namespace bl
