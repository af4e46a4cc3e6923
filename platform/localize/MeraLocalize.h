// The localisation component: every user-visible text is looked up by a key
// with its Japanese default text (both code page 932) and comes back in the
// user's language, or as the default text where no translation exists.
// Catalogues are UTF-8 files "key = text", one per language; the language is
// taken from the process locale (LC_ALL, LC_MESSAGES, LANG).
#pragma once

#include <string>

#include "platform/merabase/CMeraBaseClass.h"

class CMeraLocalize : public CMeraBaseClass {
 public:
  // Message texts (message boxes).
  virtual std::string LocalizeMessage(const std::string& key, const std::string& defaultText) = 0;
  // Control texts (labels, captions, status texts, function keys).
  virtual std::string LocalizeControlText(const std::string& key, const std::string& defaultText) = 0;
};

// Class id 1 yields a localisation object (release it after the lookup);
// returns 1, or 0 with a null object for another class id.
int MeraLocalizeCreateInstance(int classId, CMeraBaseClass** out);
