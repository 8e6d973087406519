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

// What a committed text holds.
enum class NumberRead {
  Number,      // a finite number, in out
  NotANumber,  // anything else: an empty field, "1.5" where a whole number is wanted, "1e"
  TooLarge,    // a number beyond the largest double (or int, for a whole number): "1e400"
};

// The whole text (blanks around it allowed) as a decimal number, or as a
// base-10 whole number when whole is set.  A number too small to tell from
// 0 in a double ("1e-400") reads as what it rounds to.
NumberRead readNumber(const FXString& text, bool whole, double& out);

// The text without the blanks around it.
std::string trimmedText(const std::string& s);

// Brings the first character of a field's text into view, the cursor with
// it: a text field otherwise shows the end of a text longer than itself
// ("00000" for 100000).
void showTextStart(FXTextField* field);

// One editable number field of a window and the value it last committed.
struct NumberField {
  FXTextField* widget = nullptr;
  const char* label = "";  // as the window labels the field
  int decimals = 3;        // shown in fixed notation; -1 for a whole number
  double value = 0;
};

// The field's value written into it, its start in view.
void showNumber(const NumberField& f);

// Why a committed text that holds no usable number is refused, with what
// the field accepts: 'Np: "4.5" is not a whole number.\nNp must be ...',
// 'Re(mill): "1e400" is too large.\nRe(mill) must be ...'.
std::string unreadable(const NumberField& f, const FXString& text, NumberRead why,
                       const std::string& accepted);

// Why a number is refused: "Re(mill) = 0 is out of range: it must be a
// number greater than 0."
std::string outOfRange(const char* label, double v, const std::string& accepted);

// Why a number is refused for a reason other than its own range, such as
// a grid of the parameters together: "Np = 200 is refused: the normal grid
// of ...".
std::string refusedWith(const char* label, double v, const std::string& reason);

// The field's committed text.  A number that refusal accepts (returns ""
// for) becomes the field's value and is shown in the field's format: true.
// Anything else is refused: the field shows its last value again and an
// error box over owner says why, quoting the text as typed ("Kv = 1e6 is
// out of range: ..."), and which value is kept: false.
bool commitNumber(FXWindow* owner, NumberField& f, const std::string& accepted,
                  const std::function<std::string(double)>& refusal);
