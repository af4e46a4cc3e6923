// Lookups through the localisation component for the dialog layer: one
// localisation object per lookup, released before returning. A missing
// component or translation gives the default text back unchanged.
#pragma once

#include <string>

class UiLocalize {
 public:
  static std::string ControlText(const std::string& key, const std::string& defaultText);
  static std::string Message(const std::string& key, const std::string& defaultText);
};
