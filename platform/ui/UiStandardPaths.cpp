#include "platform/ui/UiStandardPaths.h"

#include <QFile>
#include <QStandardPaths>

namespace {

std::string Native(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace

std::string UiStandardPaths::Documents() {
  return Native(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

std::string UiStandardPaths::Config() {
  return Native(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}
