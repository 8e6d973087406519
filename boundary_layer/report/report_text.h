// The text of a report as it is written: lines appended in memory, handed
// to the file in one piece.  Cheaper than a stream for the many short
// fields of a report (no locale, no formatting state, no virtual calls).
#pragma once

#include <string>

namespace bl {

class ReportText {
 public:
  ReportText& operator<<(const std::string& s) {
    text_ += s;
    return *this;
  }
  ReportText& operator<<(const char* s) {
    text_ += s;
    return *this;
  }
  ReportText& operator<<(char c) {
    text_ += c;
    return *this;
  }

  const std::string& str() const { return text_; }
  std::string& str() { return text_; }
  bool empty() const { return text_.empty(); }
  void clear() { text_.clear(); }

 private:
  std::string text_;
};

}  // namespace bl
