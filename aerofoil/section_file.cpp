#include "section_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "coordinate_text.h"
#include "section_from_points.h"

namespace aerofoil {

namespace {

bool sectionFrom(const std::string& text, const std::string& unnamed, SectionOutline& outline, std::string& why) {
  CoordinatePoints points;
  SectionOutline read;
  if (!readCoordinateText(text, points, why) || !sectionFromPoints(points, read, why)) return false;
  if (read.name.empty()) read.name = unnamed;
  outline = read;
  return true;
}

// "wing.dat" of "/home/me/wing.dat", without the extension: "wing".
std::string stem(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = base.find_last_of('.');
  if (dot != std::string::npos && dot > 0) base.resize(dot);
  return base;
}

}  // namespace

bool sectionFromCoordinates(const std::string& text, SectionOutline& outline, std::string& why) {
  return sectionFrom(text, "Coordinates", outline, why);
}

bool readSectionFile(const std::string& path, SectionOutline& outline, std::string& why) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    why = path + ": cannot be read (" + std::strerror(errno) + ")";
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    why = path + ": is a folder, not a coordinate file";
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    why = path + ": is not a regular file";
    return false;
  }
  if (static_cast<unsigned long long>(info.st_size) > kMaxCoordinateBytes) {
    why = path + ": the file is over 4 MiB, more than any aerofoil coordinate file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    why = path + ": cannot be read (" + std::strerror(errno) + ")";
    return false;
  }
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) {
    why = path + ": cannot be read (" + std::strerror(errno) + ")";
    return false;
  }
  if (!sectionFrom(text, stem(path), outline, why)) {
    why = path + ": " + why;
    return false;
  }
  return true;
}

}  // namespace aerofoil
