// A real-number spinner that says when a typed value is not the one used.
// The toolkit's spinner holds a typed number to its range without a word;
// this one keeps a note of it ("Alpha = 1e6 is above 65: Alpha = 65 is
// used") for the window's status line, as the N field does.  Text that is
// no number leaves the value as it was, with a note saying so.
#pragma once

#include <fx.h>

#include <string>

class CheckedSpinner : public FXRealSpinner {
  FXDECLARE(CheckedSpinner)

 public:
  // name: the input as the window labels it, without its "=".
  CheckedSpinner(FXComposite* p, FXint cols, FXObject* tgt, FXSelector sel, FXuint opts, const char* name);

  // What the last typed text came to, while the spinner still holds the
  // value it noted; "" once the value has moved on (an arrow step).
  std::string note() const;

  long onCmdEntry(FXObject*, FXSelector, void*);
  long onChgEntry(FXObject*, FXSelector, void*);

 protected:
  CheckedSpinner() {}

 private:
  std::string name_;
  std::string note_;
  double noted_ = 0;  // the value the note speaks of
};

// What a typed number text comes to, for the status line: "" when the
// number lies in lo..hi; else why, quoting the text, and the value used
// ('Alpha: "abc" is not a number (-65..65): Alpha = 12 is kept', "Alpha =
// 1e6 is above 65: Alpha = 65 is used").  used is the value the input
// takes (the number held to lo..hi, or previous when the text is no
// number).  whole: only a base-10 whole number is a number ("1e3" is not).
std::string spinnerNote(const std::string& name, const std::string& typed, double lo, double hi,
                        double previous, double& used, bool whole = false);
