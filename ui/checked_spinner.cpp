#include "checked_spinner.h"

#include <algorithm>

#include "number_text.h"

// clang-format off
FXDEFMAP(CheckedSpinner) CheckedSpinnerMap[] = {
  FXMAPFUNC(SEL_COMMAND, FXRealSpinner::ID_ENTRY, CheckedSpinner::onCmdEntry),
  FXMAPFUNC(SEL_CHANGED, FXRealSpinner::ID_ENTRY, CheckedSpinner::onChgEntry),
};
// clang-format on

FXIMPLEMENT(CheckedSpinner, FXRealSpinner, CheckedSpinnerMap, ARRAYNUMBER(CheckedSpinnerMap))

std::string spinnerNote(const std::string& name, const std::string& typed, double lo, double hi,
                        double previous, double& used, bool whole) {
  const auto shown = [](double v) { return std::string(FXStringFormat("%g", v).text()); };
  const std::string range = " (" + shown(lo) + ".." + shown(hi) + ")";
  const std::string text = trimmedText(typed);
  double v = 0;
  const NumberRead read = readNumber(text.c_str(), whole, v);
  if (read == NumberRead::NotANumber) {
    used = previous;
    return name + ": \"" + text + "\" is not " + (whole ? "a whole number" : "a number") + range + ": " + name +
           " = " + shown(previous) + " is kept";
  }
  if (read == NumberRead::TooLarge) v = text[0] == '-' ? lo : hi;
  used = std::clamp(v, lo, hi);
  if (read == NumberRead::Number && used == v) return "";
  const std::string why = read == NumberRead::TooLarge ? " is too large" + range
                          : v < lo                     ? " is below " + shown(lo)
                                                       : " is above " + shown(hi);
  return name + " = " + text + why + ": " + name + " = " + shown(used) + " is used";
}

CheckedSpinner::CheckedSpinner(FXComposite* p, FXint cols, FXObject* tgt, FXSelector sel, FXuint opts,
                               const char* name)
    : FXRealSpinner(p, cols, tgt, sel, opts), name_(name) {
  // The toolkit's filter drops the letters of a real number's field as they
  // are typed ("abc" would arrive as ""): the text arrives as typed, and
  // what is no number is said so, quoted.
  textField->setTextStyle(textField->getTextStyle() & ~(TEXTFIELD_REAL | TEXTFIELD_INTEGER));
}

std::string CheckedSpinner::note() const { return getValue() == noted_ ? note_ : std::string(); }

// The typed text, committed: held to the range (or left as it was when it
// is no number), noted, and passed on to the target as the toolkit does.
// While the text is being typed the value stays: it changes when the text
// is committed.
long CheckedSpinner::onChgEntry(FXObject*, FXSelector, void*) { return 1; }

long CheckedSpinner::onCmdEntry(FXObject*, FXSelector, void*) {
  double lo, hi;
  getRange(lo, hi);
  double used = getValue();
  note_ = spinnerNote(name_, textField->getText().text(), lo, hi, getValue(), used);
  noted_ = used;
  setValue(used);
  if (target) target->tryHandle(this, FXSEL(SEL_COMMAND, message), &pos);
  return 1;
}
