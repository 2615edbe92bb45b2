#include "platform/core/cp1252.h"

#include <array>

namespace platform::cp1252 {
namespace {

// 0x80..0x9F; the five unassigned bytes map to the C1 control of the same value, as Windows does.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

QChar toChar(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return QChar(kHigh[byte - 0x80]);
  return QChar(char16_t(byte));
}

unsigned char toByte(QChar ch) {
  const char16_t u = ch.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == u) return static_cast<unsigned char>(0x80 + i);
  return '?';
}

qsizetype firstOutside(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i)
    if (toChar(toByte(text[i])) != text[i]) return i;
  return -1;
}

QString firstCharacterOutside(const QString& text) {
  const qsizetype at = firstOutside(text);
  if (at < 0) return {};
  return text.mid(at, text[at].isHighSurrogate() && at + 1 < text.size() ? 2 : 1);
}

QString decode(const char* data, qsizetype size) {
  QString out(size, Qt::Uninitialized);
  QChar* dst = out.data();
  for (qsizetype i = 0; i < size; ++i) {
    const auto b = static_cast<unsigned char>(data[i]);
    dst[i] = b < 0x80 ? QChar(char16_t(b)) : toChar(b);
  }
  return out;
}

QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }

QByteArray encode(const QString& text) {
  QByteArray out(text.size(), Qt::Uninitialized);
  char* dst = out.data();
  const QChar* src = text.constData();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t u = src[i].unicode();
    dst[i] = static_cast<char>(u < 0x80 ? u : toByte(src[i]));
  }
  return out;
}

unsigned char upperByte(unsigned char b) {
  if (b >= 'a' && b <= 'z') return b - 32;
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return b - 32;
  switch (b) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return b;
  }
}

unsigned char lowerByte(unsigned char b) {
  if (b >= 'A' && b <= 'Z') return b + 32;
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return b + 32;
  switch (b) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return b;
  }
}

QChar upper(QChar ch) {
  const char16_t u = ch.unicode();
  if (u < 0x80) return (u >= 'a' && u <= 'z') ? QChar(char16_t(u - 32)) : ch;
  const unsigned char b = toByte(ch);
  if (b == '?') return ch;
  return toChar(upperByte(b));
}

QChar lower(QChar ch) {
  const char16_t u = ch.unicode();
  if (u < 0x80) return (u >= 'A' && u <= 'Z') ? QChar(char16_t(u + 32)) : ch;
  const unsigned char b = toByte(ch);
  if (b == '?') return ch;
  return toChar(lowerByte(b));
}

}  // namespace platform::cp1252
