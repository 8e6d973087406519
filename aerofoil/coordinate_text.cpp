#include "coordinate_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "quoted_text.h"

namespace aerofoil {

namespace {

constexpr std::size_t kMaxNameBytes = 100;

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool isBlank(const std::string& line) {
  for (char c : line)
    if (!blank(c)) return false;
  return true;
}

// The numbers of a line separated by blanks; false if a word is no number.
// A leading '+' is taken, which from_chars alone refuses.
bool numbersOf(const std::string& line, std::vector<double>& values) {
  values.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && blank(line[i])) ++i;
    if (i == line.size()) break;
    std::size_t end = i;
    while (end < line.size() && !blank(line[end])) ++end;
    const char* first = line.data() + i + (line[i] == '+' ? 1 : 0);
    double v = 0;
    const auto res = std::from_chars(first, line.data() + end, v);
    if (res.ec != std::errc() || res.ptr != line.data() + end) return false;
    values.push_back(v);
    i = end;
  }
  return true;
}

// One point from a line, or what is wrong with it.
bool pointOf(const std::string& line, std::complex<double>& z, std::string& fault) {
  std::vector<double> v;
  if (!numbersOf(line, v)) {
    fault = quotedText(line) + " is not a pair of numbers x y";
    return false;
  }
  if (v.size() != 2) {
    fault = quotedText(line) + " holds " + std::to_string(v.size()) + " numbers; a point is two, x and y";
    return false;
  }
  if (!std::isfinite(v[0]) || !std::isfinite(v[1])) {
    fault = quotedText(line) + " is not a finite point";
    return false;
  }
  for (double c : v)
    if (std::fabs(c) > kMaxCoordinate) {
      char buf[128];
      std::snprintf(buf, sizeof buf, "%g lies beyond 1e6, more than this program takes for a coordinate", c);
      fault = buf;
      return false;
    }
  z = {v[0], v[1]};
  return true;
}

// The name line as the program shows it: no control characters, no blanks
// around it, at most kMaxNameBytes bytes (not cutting a UTF-8 character).
std::string nameOf(const std::string& line) {
  std::string name;
  for (char c : line) name += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? ' ' : c;
  const std::size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  name = name.substr(first, name.find_last_not_of(' ') - first + 1);
  if (name.size() > kMaxNameBytes) {
    std::size_t cut = kMaxNameBytes;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  return name;
}

bool wholeCount(double v) { return v >= 2 && v <= kMaxCoordinatePoints && v == std::floor(v); }

}  // namespace

bool readCoordinateText(const std::string& text, CoordinatePoints& out, std::string& why) {
  if (text.size() > kMaxCoordinateBytes) {
    why = "the file is over 4 MiB, more than any aerofoil coordinate file";
    return false;
  }
  const std::vector<std::string> lines = splitLines(text);
  std::size_t first = 0;
  while (first < lines.size() && isBlank(lines[first])) ++first;
  if (first == lines.size()) {
    why = "the file is empty: no name line and no points";
    return false;
  }
  CoordinatePoints read;
  std::complex<double> z;
  std::string fault;
  if (!pointOf(lines[first], z, fault)) read.name = nameOf(lines[first++]);

  // Every point, with the blank-line block it lies in (Lednicer's surfaces).
  std::vector<int> block;
  int blocks = 0;
  bool afterBlank = true;
  for (std::size_t i = first; i < lines.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    if (isBlank(lines[i])) {
      afterBlank = true;
      continue;
    }
    if (!pointOf(lines[i], z, fault)) {
      why = "line " + std::to_string(number) + ": " + fault;
      return false;
    }
    if (static_cast<int>(read.z.size()) > kMaxCoordinatePoints) {
      why = "line " + std::to_string(number) + ": more than " + std::to_string(kMaxCoordinatePoints) +
            " points, the most this program takes";
      return false;
    }
    if (afterBlank) ++blocks;
    afterBlank = false;
    read.z.push_back(z);
    read.line.push_back(number);
    block.push_back(blocks);
  }

  // Lednicer: the first "point" is the count line.
  if (!read.z.empty() && wholeCount(read.z[0].real()) && wholeCount(read.z[0].imag())) {
    const int upper = static_cast<int>(read.z[0].real()), lower = static_cast<int>(read.z[0].imag());
    const int given = static_cast<int>(read.z.size()) - 1;
    if (upper + lower == given) {
      CoordinatePoints selig;
      selig.name = read.name;
      for (int i = upper; i >= 1; --i) {  // upper surface, trailing edge to nose
        selig.z.push_back(read.z[i]);
        selig.line.push_back(read.line[i]);
      }
      for (int i = upper + 1; i <= given; ++i) {  // lower surface, nose to trailing edge
        if (i == upper + 1 && read.z[i] == read.z[1]) continue;  // the nose given in both
        selig.z.push_back(read.z[i]);
        selig.line.push_back(read.line[i]);
      }
      out = selig;
      return true;
    }
    const int firstBlock = block.size() > 1 ? block[1] : 0;
    int inFirst = 0;
    for (std::size_t i = 1; i < block.size(); ++i) inFirst += block[i] == firstBlock;
    if (blocks == 3 && block[0] == 1 && firstBlock == 2) {
      why = "line " + std::to_string(read.line[0]) + ": the point counts " + std::to_string(upper) + " and " +
            std::to_string(lower) + " (Lednicer format) do not match the " + std::to_string(inFirst) + " and " +
            std::to_string(given - inFirst) + " points given below them";
      return false;
    }
  }
  out = read;
  return true;
}

}  // namespace aerofoil
