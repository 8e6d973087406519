#include "number_text.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>

FXString fixedText(double v, int decimals) {
  return decimals < 0 ? FXStringVal(static_cast<FXint>(v)) : FXStringFormat("%.*f", decimals, v);
}

NumberRead readNumber(const FXString& text, bool whole, double& out) {
  const char* begin = text.text();
  char* end = nullptr;
  errno = 0;
  double v;
  if (whole) {
    const long n = std::strtol(begin, &end, 10);
    // The fields' whole numbers are ints.
    if (errno != ERANGE && (n > INT_MAX || n < INT_MIN)) errno = ERANGE;
    v = static_cast<double>(n);
  } else {
    v = std::strtod(begin, &end);
  }
  if (end == begin) return NumberRead::NotANumber;
  const char* rest = end;
  while (*rest == ' ' || *rest == '\t') ++rest;
  if (*rest != '\0') return NumberRead::NotANumber;
  // strtod marks an underflow with ERANGE too, and returns what the number
  // rounds to (0 or a subnormal): that is the number the user means.
  const bool overflow = errno == ERANGE && (whole || std::fabs(v) > DBL_MIN);
  if (overflow || std::isinf(v)) return NumberRead::TooLarge;
  if (std::isnan(v)) return NumberRead::NotANumber;
  out = v;
  return NumberRead::Number;
}

void showTextStart(FXTextField* field) {
  field->setAnchorPos(0);
  field->setCursorPos(0);
  field->makePositionVisible(0);
}

void showNumber(const NumberField& f) {
  f.widget->setText(fixedText(f.value, f.decimals));
  showTextStart(f.widget);
}

std::string unreadable(const NumberField& f, const FXString& text, NumberRead why,
                       const std::string& accepted) {
  const char* what = why == NumberRead::TooLarge ? "too large"
                     : f.decimals < 0            ? "not a whole number"
                                                 : "not a number";
  return std::string(f.label) + ": \"" + text.text() + "\" is " + what + ".\n" + f.label + " must be " +
         accepted + ".";
}

std::string outOfRange(const char* label, double v, const std::string& accepted) {
  return std::string(label) + " = " + FXStringFormat("%g", v).text() + " is out of range: it must be " +
         accepted + ".";
}

std::string refusedWith(const char* label, double v, const std::string& reason) {
  return std::string(label) + " = " + FXStringFormat("%g", v).text() + " is refused: " + reason;
}

std::string trimmedText(const std::string& s) {
  const auto b = s.find_first_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

bool commitNumber(FXWindow* owner, NumberField& f, const std::string& accepted,
                  const std::function<std::string(double)>& refusal) {
  const FXString text = f.widget->getText();
  double v = 0;
  std::string why;
  const NumberRead read = readNumber(text, f.decimals < 0, v);
  if (read != NumberRead::Number) {
    why = unreadable(f, text, read, accepted);
  } else {
    why = refusal(v);
    if (why.empty()) {
      f.value = v;
      showNumber(f);  // "10" becomes "10.000", as the field writes its values
      return true;
    }
    // The number as it was typed ("Kv = 1e6 is ..."), not as printed back.
    const std::string printed = std::string(f.label) + " = " + FXStringFormat("%g", v).text();
    if (why.rfind(printed, 0) == 0) why = std::string(f.label) + " = " + trimmedText(text.text()) + why.substr(printed.size());
  }
  showNumber(f);
  FXMessageBox::error(owner, MBOX_OK, "Invalid value", "%s\n%s keeps its value %s.", why.c_str(), f.label,
                      fixedText(f.value, f.decimals).text());
  return false;
}
