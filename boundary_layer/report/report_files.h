// The solver's report files of one session: where they go and how long each
// stays open.
//
//   sxr_ue.out                 surface split; rewritten whole by every split
//   CalcBl.out, InputBl.out,   opened (and emptied) at the first use in a
//   init2d.OUT                 session, then continued by every pass
//   NetFunc.out, Debug.out     profile and system dumps; opened (emptied) at
//                              the upper pass, closed after the lower pass
//
// All of them go to one folder (default: the working directory).  Changing
// it closes every open report, so the next use starts the file afresh in
// the new folder.
//
// A report's text is gathered in memory and handed to its file in one
// write whenever the report is flushed (status(), closing).  Writing never
// throws.  A report that cannot be opened or written says so through
// status(), in words a user can act on, and the caller decides what to
// show.
#pragma once

#include <array>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>

#include "core/status.h"
#include "report/report_text.h"

namespace bl {

enum class Report { CalcBl, InputBl, Init2d, NetFunc, Debug };

// File name of a report ("CalcBl.out", ...).
const char* report_name(Report r);

class ReportFiles {
 public:
  // Folder setting.  An empty string means the working directory.
  void set_folder(const std::string& folder);
  std::string path(const std::string& file_name) const;

  // Report writing on (default) or off, for benchmarks and for runs that
  // only want numbers.  Off, no report file is opened, emptied or written:
  // stream() hands out a stream that discards everything, status() and the
  // dump and whole-report operations succeed without touching a file, and
  // writers test enabled() so that they do no formatting work at all.  The
  // march's diagnostic lines on standard output follow the same setting.
  // Changing it closes every open report, so a report switched back on
  // starts afresh at its next use.
  void set_enabled(bool on);
  bool enabled() const { return enabled_; }

  // The solver's diagnostic lines (the march's station lines, the input
  // summary, the starting-profile notice) go to standard output and
  // standard error through these two streams.  A front end that has its
  // own output, such as the command line, switches them off; they follow
  // set_enabled() as well.
  void set_diagnostics(bool on) { diagnostics_ = on; }
  // Where the diagnostic lines go instead of standard output and standard
  // error (null: back to those), for a front end that runs several
  // sessions at once and prints each one's lines in its place.
  void set_diagnostic_streams(std::ostream* out, std::ostream* err) {
    out_stream_ = out;
    err_stream_ = err;
  }
  std::ostream& diag_out();
  std::ostream& diag_err();

  // The text of a report, to append to.  A run-long report (CalcBl,
  // InputBl, Init2d) is opened, emptied, at its first use in the session,
  // after close_all() or after a change of folder.  A dump report (NetFunc,
  // Debug) must have been opened by open_dumps(); otherwise what is
  // written to it is lost and status() says so.
  ReportText& stream(Report r);

  // Hands the report's text to its file and tells whether everything
  // written so far reached it.
  Status status(Report r);

  // Dump reports of one computation: opened, emptied, before the upper
  // pass, closed after the lower pass.  Both return the state of the two
  // files.
  Status open_dumps();
  Status close_dumps();

  // Close every report.  The run-long ones start afresh at their next use.
  void close_all();

  // Replace a whole report file by text, through a temporary file of a
  // name of its own (files::writeAtomically), so a failed write leaves the
  // previous report as it was and no other file is touched.  Off or
  // holding, nothing is written.
  Status write_whole(const std::string& file_name, const std::string& text);

  // Report files that hold what is written to them instead of writing it:
  // for a pass that runs beside another whose reports must come first.
  // They follow the settings of `real` (enabled, diagnostics); opening,
  // closing and every status succeed.
  static ReportFiles holding_for(const ReportFiles& real);

  // Holding switched on or off for these reports themselves: on, nothing
  // reaches a file (what is written is kept until the next close_all) and
  // the diagnostic lines go to the diagnostic streams as set.
  void set_holding(bool on) {
    close_all();
    holding_ = on;
  }

  // The text held by `held`, appended to these reports and their
  // diagnostic streams in report order, as if it had been written here.
  void append(ReportFiles& held);

  // The text held for one report (NetFunc.out, say), to be read or
  // rewritten before it is appended.
  std::string& held_text(Report r) { return text_[static_cast<std::size_t>(r)].str(); }

 private:
  static constexpr int kReports = 5;
  void open_fresh(Report r);
  void close_one(Report r);
  bool write_out(Report r);  // the text so far into the file; false when it fails
  std::ostream& discarding();

  std::string folder_;                      // empty: working directory
  std::array<std::ofstream, kReports> out_;  // one file per report
  std::array<ReportText, kReports> text_;    // what was written and not yet handed over
  ReportText discard_text_;                  // what is written to a report switched off
  std::array<bool, kReports> used_{};       // opened since the last reset
  bool enabled_ = true;                     // report writing switched on
  bool diagnostics_ = true;                 // standard-output lines switched on
  std::ostream* out_stream_ = nullptr;      // diagnostic lines, if not standard output
  std::ostream* err_stream_ = nullptr;      // ... and if not standard error
  std::ofstream discard_;                   // never opened: swallows writes when off

  // Holding: the reports' text stays in memory, the diagnostic lines go to
  // strings of their own.
  bool holding_ = false;
  std::ostringstream hold_out_, hold_err_;
};

}  // namespace bl
