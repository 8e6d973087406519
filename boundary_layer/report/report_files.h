// The solver's report files: where they go and how long each stays open.
//
//   sxr_ue.out                 surface split; rewritten whole by every split
//   CalcBl.out, InputBl.out,   opened (and emptied) at the first use in a
//   init2d.OUT                 program run, then continued by every pass
//   NetFunc.out, Debug.out     profile and system dumps; opened (emptied) at
//                              the upper pass, closed after the lower pass
//
// All of them go to one folder, a setting of the library (default: the
// working directory).  Changing it closes every open report, so the next
// use starts the file afresh in the new folder.
//
// Writing never throws.  A report that cannot be opened or written leaves
// its stream in a failed state; report_status() says so in words a user can
// act on, and the caller decides what to show.
#pragma once

#include <ostream>
#include <string>

#include "core/status.h"

namespace bl {

enum class Report { CalcBl, InputBl, Init2d, NetFunc, Debug };

// File name of a report ("CalcBl.out", ...).
const char* report_name(Report r);

// Folder setting.  An empty string means the working directory.
void set_report_folder(const std::string& folder);
const std::string& report_folder();
std::string report_path(const std::string& file_name);

// Report writing on (default) or off, for benchmarks.  Off, no report file
// is opened, emptied or written: report() hands out a stream that discards
// everything, report_status() and the dump and whole-report operations
// succeed without touching a file, and writers test reports_enabled() so
// that they do no formatting work at all.  The march's diagnostic lines on
// standard output follow the same setting.  Changing it closes every open
// report, so a report switched back on starts afresh at its next use.
void set_reports_enabled(bool on);
bool reports_enabled();

// The solver's diagnostic lines (the march's station lines, the input
// summary, the starting-profile notice) go to standard output and standard
// error through these two streams.  A front end that has its own output,
// such as the command line, switches them off; they follow
// set_reports_enabled() as well.
void set_diagnostics_enabled(bool on);
std::ostream& diag_out();
std::ostream& diag_err();

// The stream of a report.  A run-long report (CalcBl, InputBl, Init2d) is
// opened, emptied, at its first use after program start, after
// close_reports() or after a change of folder.  A dump report (NetFunc,
// Debug) must have been opened by open_dump_reports(); otherwise writes to
// it fail and report_status() says so.
std::ostream& report(Report r);

// Flushes the report and tells whether everything written so far reached
// the file.
Status report_status(Report r);

// Dump reports of one computation: opened, emptied, before the upper pass,
// closed after the lower pass.  Both return the state of the two files.
Status open_dump_reports();
Status close_dump_reports();

// Close every report.  The run-long ones start afresh at their next use.
void close_reports();

// Replace a whole report file by text.  The text goes to a temporary file
// that then takes the report's name, so a failed write leaves the previous
// report as it was.
Status write_whole_report(const std::string& file_name, const std::string& text);

}  // namespace bl
