// Compares the text reports of two runs: the expected files kept with the
// tests and the files a run has just written.
//
//   report_compare [--exact] EXPECTED ACTUAL
//
// EXPECTED and ACTUAL are two files or two folders (then every file of
// EXPECTED against the file of the same name in ACTUAL, and ACTUAL may hold
// no other file).  Exit code 0 when they agree, 1 with the first difference
// (file, line and column, both lines) on standard output, 2 on bad use.
//
// --exact: the files must be equal byte for byte.
// Otherwise the layout must be equal (every line the same length, every
// number ending in the same column, the same text between the numbers; in
// a JSON file the numbers may take more or fewer digits) and the numbers
// within round-off of each other:
//   - a relative difference of at most 1e-9, or both smaller than 1e-9 in
//     magnitude (a signed zero, or a tiny number next to zero);
//   - the convergence columns of the march, whose digits are the round-off
//     of the last Newton step, are not compared beyond their layout: DUmax,
//     JUmax and Kiter of a station row, the correction at the end of an
//     iteration-limit line, and the "dumax=" value and its grid point.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr double kRelative = 1e-9;
constexpr double kTiny = 1e-9;

// A station row of the march: I5, 7E12.5, 5I5.  Columns [77, 99) hold
// DUmax (E12.5), JUmax and Kiter (I5 each).
constexpr std::size_t kStationRow = 5 + 7 * 12 + 5 * 5;
constexpr std::size_t kResidualFrom = 5 + 6 * 12, kResidualTo = 5 + 7 * 12 + 2 * 5;

struct Token {
  std::size_t begin, end;  // [begin, end) in the line
  bool number;
  double value;
};

bool number_start(const std::string& s, std::size_t i) {
  const char c = s[i];
  if (std::isdigit(static_cast<unsigned char>(c))) return true;
  if ((c == '-' || c == '+' || c == '.') && i + 1 < s.size())
    return std::isdigit(static_cast<unsigned char>(s[i + 1])) ||
           (s[i + 1] == '.' && i + 2 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 2])));
  return false;
}

// Numbers (fixed point, exponent form with or without the letter E, JSON's
// own) and the text between them.  A number must not continue a word
// ("init2d", "Airfoil_1").
std::vector<Token> tokens(const std::string& s) {
  std::vector<Token> out;
  std::size_t i = 0, text = 0;
  while (i < s.size()) {
    const bool word = i > 0 && (std::isalpha(static_cast<unsigned char>(s[i - 1])) || s[i - 1] == '_');
    if (!word && number_start(s, i)) {
      const char* first = s.c_str() + i;
      char* end = nullptr;
      double v = std::strtod(first, &end);
      std::size_t j = i + static_cast<std::size_t>(end - first);
      // 0.1000+101: an exponent of three digits without its letter.
      if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
        std::size_t k = j + 1;
        while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) ++k;
        if (k - j == 4) {
          v = v * std::pow(10.0, std::atoi(s.substr(j, k - j).c_str()));
          j = k;
        }
      }
      if (j > i) {
        if (i > text) out.push_back({text, i, false, 0});
        out.push_back({i, j, true, v});
        i = text = j;
        continue;
      }
    }
    ++i;
  }
  if (s.size() > text) out.push_back({text, s.size(), false, 0});
  return out;
}

bool close(double a, double b) {
  if (a == b) return true;
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  const double m = std::fmax(std::fabs(a), std::fabs(b));
  return m < kTiny || std::fabs(a - b) <= kRelative * m;
}

// Whether the number at [begin, end) of line is a convergence residual.
bool residual(const std::string& line, std::size_t begin) {
  if (line.size() == kStationRow && begin >= kResidualFrom && begin < kResidualTo) return true;
  if (line.rfind(" k_iter > k_iterMax", 0) == 0 && begin + 15 >= line.size()) return true;
  const std::size_t d = line.find("dumax=");
  if (d != std::string::npos && begin > d && line.find("dhmax=") > begin) return true;
  return false;
}

// The tokens that carry something: numbers, and text other than blanks
// (a blank run only pads a field; the column where a number ends says
// where its field is).
std::vector<Token> significant(const std::string& s) {
  std::vector<Token> out;
  for (const Token& t : tokens(s))
    if (t.number || s.find_first_not_of(' ', t.begin) < t.end) out.push_back(t);
  return out;
}

// The text of a token without the blanks around it.
std::string trimmed(const std::string& s, const Token& t) {
  std::size_t b = t.begin, e = t.end;
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return s.substr(b, e - b);
}

// Column (1-based) of the first difference of two lines, 0 when they agree.
// free_width: the numbers need not keep their columns (JSON writes each
// double with as many digits as it needs).
std::size_t first_difference(const std::string& want, const std::string& got, bool exact, bool free_width) {
  std::size_t common = 0;
  while (common < want.size() && common < got.size() && want[common] == got[common]) ++common;
  if (want == got) return 0;
  if (exact || (!free_width && want.size() != got.size())) return common + 1;
  const auto a = significant(want), b = significant(got);
  if (a.size() != b.size()) return common + 1;
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k].number != b[k].number || (!free_width && a[k].end != b[k].end)) return b[k].begin + 1;
    if (!a[k].number) {
      if (trimmed(want, a[k]) != trimmed(got, b[k])) return b[k].begin + 1;
    } else if (!residual(want, a[k].begin) && !close(a[k].value, b[k].value)) {
      return b[k].begin + 1;
    }
  }
  return 0;
}

std::vector<std::string> lines(const fs::path& p, bool& ok) {
  std::ifstream in(p, std::ios::binary);
  ok = bool(in);
  std::vector<std::string> out;
  std::string line;
  while (std::getline(in, line)) out.push_back(line);
  return out;
}

// Prints the first difference of two files; true when they agree.
bool compare_files(const fs::path& want_path, const fs::path& got_path, bool exact) {
  bool ok_want = false, ok_got = false;
  const auto want = lines(want_path, ok_want), got = lines(got_path, ok_got);
  if (!ok_want || !ok_got) {
    std::cout << (ok_got ? want_path : got_path).string() << ": cannot be read\n";
    return false;
  }
  const std::size_t n = std::max(want.size(), got.size());
  for (std::size_t i = 0; i < n; ++i) {
    const std::string a = i < want.size() ? want[i] : "(end of file)";
    const std::string b = i < got.size() ? got[i] : "(end of file)";
    const bool json = want_path.extension() == ".json";
    const std::size_t column = (i < want.size() && i < got.size()) ? first_difference(a, b, exact, json) : 1;
    if (column == 0) continue;
    std::cout << got_path.string() << ":" << i + 1 << ":" << column << ": differs from " << want_path.string()
              << "\n  expected: " << a << "\n  actual:   " << b << "\n";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  bool exact = false;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--exact")
      exact = true;
    else
      paths.push_back(a);
  }
  if (paths.size() != 2) {
    std::cerr << "usage: report_compare [--exact] EXPECTED ACTUAL\n";
    return 2;
  }
  const fs::path want = paths[0], got = paths[1];
  if (!fs::is_directory(want)) return compare_files(want, got, exact) ? 0 : 1;

  bool same = true;
  for (const auto& e : fs::directory_iterator(got))
    if (!fs::exists(want / e.path().filename())) {
      std::cout << e.path().string() << ": not among the expected files\n";
      same = false;
    }
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(want)) files.push_back(e.path().filename());
  std::sort(files.begin(), files.end());
  for (const fs::path& f : files) same = compare_files(want / f, got / f, exact) && same;
  return same ? 0 : 1;
}
