// Numbers in the windows' editable fields: the one way a value is written
// into a field, the one way a committed text is read back, and the one way
// a text the field cannot take is refused.
#pragma once

#include <fx.h>

#include <functional>
#include <string>

// v in fixed notation with the given decimals, or as a whole number when
// decimals < 0.
FXString fixedText(double v, int decimals);

// The whole text (blanks around it allowed) as a finite decimal number, or
// as a base-10 whole number when whole is set.  False when anything else is
// in the way: an empty field, "1.5" where a whole number is wanted, "1e".
bool parseNumber(const FXString& text, bool whole, double& out);

// Brings the first character of a field's text into view, the cursor with
// it: a text field otherwise shows the end of a text longer than itself
// ("00000" for 100000).
void showTextStart(FXTextField* field);

// One editable number field of a window and the value it last committed.
struct NumberField {
  FXTextField* widget = nullptr;
  const char* label = "";
  int decimals = 3;  // shown in fixed notation; -1 for a whole number
  double value = 0;
};

// The field's value written into it, its start in view.
void showNumber(const NumberField& f);

// Why a committed text is refused when it is no number at all, with what
// the field accepts: 'Np: "4.5" is not a whole number.\nNp must be ...'.
std::string notANumber(const NumberField& f, const FXString& text, const std::string& accepted);

// The field's committed text.  A number that refusal accepts (returns ""
// for) becomes the field's value: true.  Anything else is refused: the
// field shows its last value again and an error box over owner says why
// and which value is kept: false.
bool commitNumber(FXWindow* owner, NumberField& f, const std::string& accepted,
                  const std::function<std::string(double)>& refusal);
