#pragma once
// The embedded browser that shows the operator's notice page.

#include <string>

namespace qev {

class NoticeBrowser {
 public:
  virtual ~NoticeBrowser() = default;
  virtual void Navigate(const std::string& url) = 0;
  // The browser's theater mode (dispatch property 554).
  virtual void SetTheaterMode(bool on) = 0;
};

}  // namespace qev
