#include "result_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "atomic_file.h"

namespace aerofoil {

namespace {

const char* const kDashLine = "-----------------------------------------------------";
const char* const kTableHeader = "    x         y         Cp        V         S      i";

std::string fixed(double value, int decimals) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  return buf;
}

// Overwrites line from column pos with text, extending it with blanks where
// it is too short.
void place(std::string& line, std::size_t pos, const std::string& text) {
  if (line.size() < pos + text.size()) line.resize(pos + text.size(), ' ');
  line.replace(pos, text.size(), text);
}

}  // namespace

std::string resultFileText(const Joukowski& af) {
  std::string out;
  auto emit = [&out](const std::string& line) {
    out += line;
    out += '\n';
  };

  // The section: e/R1 and h/R1 of the Joukowski section, or its name.
  std::string l1 = " e/R1=           h/R1=          ";
  place(l1, 7, fixed(af.eR1, 5));
  place(l1, 23, fixed(af.hR1, 5));
  emit(af.name.empty() ? l1 : " " + af.name);

  emit("  Alpha     Clift      Cmf        Xf       Yf     Thickness   Camber");

  std::string l3;
  const double results[] = {af.alphaDeg, af.clift,       af.cmFocus, af.xFocus,
                            af.yFocus,   af.maxThickSym, af.camber};
  std::size_t col = 2;
  for (double r : results) {
    place(l3, col, fixed(r, 4));
    col += 10;
  }
  emit(l3);

  std::string l4 = " N=       ";
  place(l4, 4, std::to_string(af.currentN));
  emit(l4);

  emit(kDashLine);
  emit(kTableHeader);
  emit(kDashLine);

  for (int i = 0; i <= af.currentN; ++i) {
    std::string row(51, ' ');
    place(row, 1, fixed(af.x[i], 6));
    place(row, 11, fixed(af.y[i], 6));
    place(row, 21, fixed(af.cp[i], 6));
    place(row, 31, fixed(af.v[i], 6));
    place(row, 41, fixed(af.s[i], 6));
    place(row, 51, std::to_string(i));
    emit(row);
  }
  emit("");
  return out;
}

std::string resultFileName(int n) { return "Airfoil_" + std::to_string(n) + ".out"; }

SaveOutcome saveResult(const Joukowski& af, int& count, const std::string& folder) {
  SaveOutcome res;
  const std::string text = resultFileText(af);
  const std::string dir = folder.empty() ? std::string(".") : folder;
  ++count;
  int fd = -1;
  for (;;) {
    res.path = dir + "/" + resultFileName(count);
    // O_EXCL: an earlier result, of this run or another, is never overwritten.
    fd = ::open(res.path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd >= 0 || errno != EEXIST) break;
    ++count;
  }
  if (fd < 0) {
    res.message = "Cannot create " + res.path + ": " + std::strerror(errno);
    return res;
  }
  if (!files::writeAll(fd, text)) {
    res.message = "Cannot write " + res.path + ": " + std::strerror(errno);
    ::close(fd);
    ::unlink(res.path.c_str());  // a half-written table would mislead
    return res;
  }
  if (::close(fd) != 0) {
    res.message = "Cannot write " + res.path + ": " + std::strerror(errno);
    ::unlink(res.path.c_str());
    return res;
  }
  res.ok = true;
  return res;
}

}  // namespace aerofoil
