// The process-wide table of dialog templates, looked up by template id the way
// a dialog's constructor names its template. Dialogs register theirs from the
// .cpp file that defines the dialog (a static DialogTemplates::Registrar), so
// a template is present exactly when its dialog is linked in.
#pragma once

#include "platform/ui/DialogTemplate.h"

class DialogTemplates {
 public:
  // Two templates under one id are a programming error (two dialogs would
  // silently share one layout): throws std::logic_error naming the id, which
  // from a static Registrar stops the program at start with that message.
  static void Register(const DialogTemplate& tpl);
  // Null when no template has that id; the pointer stays valid for the
  // program's life.
  static const DialogTemplate* Find(int id);

  struct Registrar {
    explicit Registrar(const DialogTemplate& tpl) { Register(tpl); }
  };
};
