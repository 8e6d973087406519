// Numbers in the windows' editable fields: the one way a value is written
// into a field and the one way a committed text is read back.
#pragma once

#include <fx.h>

// v in fixed notation with the given decimals, or as a whole number when
// decimals < 0.
FXString fixedText(double v, int decimals);

// The whole text (blanks around it allowed) as a finite decimal number, or
// as a base-10 whole number when whole is set.  False when anything else is
// in the way: an empty field, "1.5" where a whole number is wanted, "1e".
bool parseNumber(const FXString& text, bool whole, double& out);
