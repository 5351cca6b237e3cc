#include "korvexctl/CtlView.h"

namespace korvex {

std::string CtlView::ProfileLabel() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return profileLabel_;
}

void CtlView::ShowProfileName(const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  profileLabel_ = name;
}

}  // namespace korvex
