#include "number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

FXString fixedText(double v, int decimals) {
  return decimals < 0 ? FXStringVal(static_cast<FXint>(v)) : FXStringFormat("%.*f", decimals, v);
}

bool parseNumber(const FXString& text, bool whole, double& out) {
  const char* begin = text.text();
  char* end = nullptr;
  errno = 0;
  double v;
  if (whole) {
    const long n = std::strtol(begin, &end, 10);
    v = static_cast<double>(n);
  } else {
    v = std::strtod(begin, &end);
  }
  if (end == begin || errno == ERANGE || !std::isfinite(v)) return false;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0') return false;
  out = v;
  return true;
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

std::string notANumber(const NumberField& f, const FXString& text, const std::string& accepted) {
  const bool whole = f.decimals < 0;
  return std::string(f.label) + ": \"" + text.text() + "\" is not " +
         (whole ? "a whole number" : "a number") + ".\n" + f.label + " must be " + accepted + ".";
}

bool commitNumber(FXWindow* owner, NumberField& f, const std::string& accepted,
                  const std::function<std::string(double)>& refusal) {
  const FXString text = f.widget->getText();
  double v = 0;
  std::string why;
  if (!parseNumber(text, f.decimals < 0, v)) {
    why = notANumber(f, text, accepted);
  } else {
    why = refusal(v);
    if (why.empty()) {
      f.value = v;
      return true;
    }
  }
  showNumber(f);
  FXMessageBox::error(owner, MBOX_OK, "Invalid value", "%s\n%s keeps its value %s.", why.c_str(), f.label,
                      fixedText(f.value, f.decimals).text());
  return false;
}
