// A section from an aerofoil coordinate file (Selig or Lednicer format):
// the file's points read, put in chord axes, their trailing edge closed, and
// a spline laid through them (coordinate_text.h and section_from_points.h
// say how).  Every fault is one line for the user, naming the file line
// where it lies; the caller shows it and changes nothing.
#pragma once

#include <string>

#include "section_shape.h"

namespace aerofoil {

// From the file's text.  The outline's name is the file's name line, or
// "Coordinates" when it has none.
bool sectionFromCoordinates(const std::string& text, SectionOutline& outline, std::string& why);

// From the file at path (a regular file of at most 4 MiB); a file without a
// name line is named after the file.  The message begins with the path.
bool readSectionFile(const std::string& path, SectionOutline& outline, std::string& why);

}  // namespace aerofoil
