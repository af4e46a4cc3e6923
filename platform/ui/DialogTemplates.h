// The process-wide table of dialog templates, looked up by template id the way
// a dialog's constructor names its template. Dialogs register theirs from the
// .cpp file that defines the dialog (a static DialogTemplates::Registrar), so
// a template is present exactly when its dialog is linked in.
#pragma once

#include "platform/ui/DialogTemplate.h"

class DialogTemplates {
 public:
  // Replaces a template registered before under the same id.
  static void Register(const DialogTemplate& tpl);
  // Null when no template has that id; the pointer stays valid until the id is
  // registered again.
  static const DialogTemplate* Find(int id);

  struct Registrar {
    explicit Registrar(const DialogTemplate& tpl) { Register(tpl); }
  };
};
