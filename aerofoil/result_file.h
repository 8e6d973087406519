// The aerofoil result file: inputs, integral results and the surface table
// of one solution, laid out on blank templates for a person to read.
#pragma once

#include <string>

#include "joukowski.h"

namespace aerofoil {

// Text of the result file for the current solution, every line ending in
// '\n'.  Each value is written with "%.*f" and overwrites its template from a
// fixed column; a value wider than the gap to the next column loses its last
// characters to that value.
std::string resultFileText(const Joukowski& af);

// Name of the n-th result file of a run: "Airfoil_<n>.out".
std::string resultFileName(int n);

struct SaveOutcome {
  bool ok = false;
  std::string path;     // the file written, or the one that failed
  std::string message;  // why it failed, for the user
};

// Writes the result file into folder, never over an existing file: count is
// advanced by one, then on past every number whose file already exists, and
// the file is created with that number.  count keeps the number used even
// when the write fails, so the next save moves on.
SaveOutcome saveResult(const Joukowski& af, int& count, const std::string& folder = ".");

}  // namespace aerofoil
