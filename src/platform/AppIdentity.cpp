#include "platform/AppIdentity.h"

#include <mutex>

namespace korvex {
namespace {

std::mutex captionMutex;
std::string caption;

}  // namespace

void SetCaption(const std::string& value) {
  std::lock_guard<std::mutex> lock(captionMutex);
  caption = value;
}

std::string Caption() {
  std::lock_guard<std::mutex> lock(captionMutex);
  return caption;
}

std::string CaptionFileName(const std::string& value) {
  std::string name = value;
  for (char& c : name) {
    if (c == '/' || c == '\0') c = '_';
  }
  if (name.empty() || name == "." || name == "..") name = "_" + name;
  return name;
}

}  // namespace korvex
