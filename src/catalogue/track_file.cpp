#include "catalogue/track_file.h"

#include "common/text_helpers.h"
#include "platform/cp1252.h"

#include <QFile>

namespace catalogue {

bool readWholeFile(const QString& path, QByteArray& out) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  out = f.readAll();
  return f.error() == QFile::NoError;
}

QByteArray codeKey(std::string_view code) {
  QByteArray key(11, ' ');
  const size_t n = std::min<size_t>(11, code.size());
  memcpy(key.data(), code.data(), n);
  return key;
}

QString fieldText(std::string_view bytes, int width) {
  return common::fitWidth(platform::cp1252::decode(bytes.data(), qsizetype(bytes.size())), width);
}

}  // namespace catalogue
