// From the points of a coordinate file to a section in chord axes: what is
// done to the points (each told in a note) and what is refused.
//
// In this order:
// 1. Repeated consecutive points are dropped (published files often repeat
//    the nose or the trailing edge); at least kMinCoordinatePoints must stay.
// 2. Points that run clockwise (the lower surface first) are turned round.
// 3. A trailing edge given once, at the start as the program's own Export
//    contour writes it, or at the end: the end point whose continuation of
//    its surface the other end point lies on (within 30 degrees) is taken
//    as both surfaces' end.
// 4. Chord axes.  The trailing edge is the middle of the two end points.  A
//    file with its trailing edge at (1, 0) and its leading edge at x = 0 (a
//    point at the origin, or its leftmost point at x = 0: the program's own
//    Export contour of a cambered Joukowski section), each within 1e-6, is
//    in chord axes already: its points are kept as they are, so that the
//    angle of attack keeps the file's meaning, and that point is the nose.
//    Else the nose is the point farthest from the trailing edge, and the
//    points are moved, turned and scaled so that the nose is at (0, 0) and
//    the trailing edge at (1, 0).
// 5. A trailing edge open by a gap g (at most 5 % of the chord) is closed:
//    each surface is sheared towards the middle of the gap in proportion to
//    x/c, z -= (x / x_end) (z_end - (1, 0)), so that the nose stays and both
//    surfaces end at (1, 0).
// 6. Refused: a surface whose x/c falls back by more than 1e-6 once it has
//    reached 0.05 (it doubles back; nearer the nose a cambered section's
//    upper surface may reach ahead of its nose), and a closed polygon through
//    the points that is not simple (two edges that are not neighbours share
//    a point, or neighbours overlap): then the contour crosses or touches
//    itself.  The spline through the points is checked the same way, through
//    eight points on each of its intervals.
#pragma once

#include <string>

#include "coordinate_text.h"
#include "section_shape.h"

namespace aerofoil {

constexpr double kMaxClosedGap = 0.05;  // largest trailing-edge gap closed, chords

// On success outline has the spline through the normalised points, the
// file's name line (maybe "") and the notes; on a fault returns false with
// one line in why naming the file lines where it is.
bool sectionFromPoints(const CoordinatePoints& points, SectionOutline& outline, std::string& why);

}  // namespace aerofoil
