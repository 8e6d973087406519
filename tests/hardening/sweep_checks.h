// What every run of the sweep must satisfy, whatever its input: checks of
// the files left in the work folder and of what the program said.
#pragma once

#include <string>
#include <vector>

#include "sweep_cases.h"

namespace sweep {

using Problems = std::vector<std::string>;

std::string readFile(const std::string& path);

// Sanitizer or run-time-check reports in a program's standard error.
bool sanitizerReport(const std::string& err);

// "nan" or "inf" written as a number somewhere in text.
bool hasNonFinite(const std::string& text);

// Every file in folder is complete: no temporary file left behind, reports
// end with a whole line, result files hold their whole table, JSON
// summaries parse and name every value they could not give.
void checkFolder(const std::string& folder, Problems& problems);

// A finished run of veltaro-cli (exit code code, its standard output and
// error, its work folder) against what c asked for.
void checkCliRun(const CliCase& c, int code, const std::string& out, const std::string& err,
                 const std::string& folder, Problems& problems);

// Shared by both checkers: the non-finite numbers of a JSON summary must
// come with a warning.  Returns false when text is not a JSON object.
bool checkJson(const std::string& text, const std::string& what, Problems& problems);

}  // namespace sweep
