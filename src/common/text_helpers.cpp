#include "common/text_helpers.h"

#include "platform/core/cp1252.h"

#include <cmath>

namespace common {

QString Mid(const QString& s, int start, int length) {
  if (start < 1) start = 1;
  if (start > s.size()) return {};
  if (length < 0) return s.mid(start - 1);
  return s.mid(start - 1, length);
}

QString Left(const QString& s, int length) { return length <= 0 ? QString() : s.left(length); }

QString Right(const QString& s, int length) { return length <= 0 ? QString() : s.right(length); }

QString LTrim(const QString& s) {
  qsizetype i = 0;
  while (i < s.size() && s[i] == QLatin1Char(' ')) ++i;
  return s.mid(i);
}

QString RTrim(const QString& s) {
  qsizetype n = s.size();
  while (n > 0 && s[n - 1] == QLatin1Char(' ')) --n;
  return s.left(n);
}

std::string_view RTrim(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

QString Trim(const QString& s) { return LTrim(RTrim(s)); }

QString UCase(const QString& s) {
  QString out(s);
  QChar* d = out.data();
  for (qsizetype i = 0; i < out.size(); ++i) d[i] = platform::cp1252::upper(d[i]);
  return out;
}

QString LCase(const QString& s) {
  QString out(s);
  QChar* d = out.data();
  for (qsizetype i = 0; i < out.size(); ++i) d[i] = platform::cp1252::lower(d[i]);
  return out;
}

QString fitWidth(const QString& s, int width) {
  if (s.size() >= width) return s.left(width);
  return s + QString(width - s.size(), QLatin1Char(' '));
}

QString padRight(const QString& s, int width) {
  if (s.size() >= width) return s;
  return s + QString(width - s.size(), QLatin1Char(' '));
}

QString Space(int n) { return n <= 0 ? QString() : QString(n, QLatin1Char(' ')); }

namespace {

// Reads a number at the start of s (after blanks); returns the count of characters used.
qsizetype scanNumber(const QString& s, qsizetype i, double& value) {
  const qsizetype begin = i;
  double sign = 1;
  if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
    if (s[i] == QLatin1Char('-')) sign = -1;
    ++i;
  }
  double v = 0;
  bool digits = false;
  while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
    v = v * 10 + (s[i].unicode() - '0');
    ++i;
    digits = true;
  }
  if (i < s.size() && s[i] == QLatin1Char('.')) {
    qsizetype j = i + 1;
    double scale = 0.1;
    bool frac = false;
    while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128) {
      v += (s[j].unicode() - '0') * scale;
      scale /= 10;
      ++j;
      frac = true;
    }
    if (frac || digits) {
      i = j;
      digits = digits || frac;
    }
  }
  if (!digits) {
    value = 0;
    return 0;
  }
  if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
    qsizetype j = i + 1;
    int esign = 1;
    if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-'))) {
      if (s[j] == QLatin1Char('-')) esign = -1;
      ++j;
    }
    int e = 0;
    bool edigits = false;
    while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128 && e < 400) {
      e = e * 10 + (s[j].unicode() - '0');
      ++j;
      edigits = true;
    }
    if (edigits) {
      v *= std::pow(10.0, esign * e);
      i = j;
    }
  }
  value = sign * v;
  return i - begin;
}

}  // namespace

double Val(const QString& s) {
  // Blanks, tabs and line feeds are skipped anywhere, so "1 2" reads as 12.
  QString packed;
  packed.reserve(s.size());
  for (QChar c : s)
    if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n')) packed += c;
  double v = 0;
  scanNumber(packed, 0, v);
  return v;
}

bool IsNumeric(const QString& s) {
  const QString t = Trim(s);
  if (t.isEmpty()) return false;
  double v = 0;
  const qsizetype used = scanNumber(t, 0, v);
  return used == t.size() && std::isfinite(v);
}

QString FormatZeros(double value, int digits) {
  const double r = value < 0 ? -std::floor(-value + 0.5) : std::floor(value + 0.5);
  const bool negative = r < 0;
  QString num = QString::number(std::fabs(r), 'f', 0);
  if (num.size() < digits) num = QString(digits - num.size(), QLatin1Char('0')) + num;
  return negative ? QLatin1Char('-') + num : num;
}

QString Format0000(double value) { return FormatZeros(value, 4); }

qsizetype firstControl(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i)
    if (isControl(text[i])) return i;
  return -1;
}

QString pastedLine(const QString& text) {
  qsizetype n = text.size();
  while (n > 0 && isLineBreak(text[n - 1])) --n;
  QString out = text.left(n);
  out.replace(QLatin1Char('\t'), QLatin1Char(' '));
  return out;
}

namespace {
QString cannotHold(const QString& what, const QString& thing) {
  return QStringLiteral("The ") + what + QStringLiteral(" cannot hold ") + thing + QLatin1Char('.');
}
const QString kLineBreak = QStringLiteral("a line break");
}  // namespace

QString cannotHoldText(const QString& what, QChar control) {
  const QString name = isLineBreak(control)           ? kLineBreak
                       : control == QLatin1Char('\t') ? QStringLiteral("a tab")
                                                      : QStringLiteral("a control character");
  return cannotHold(what, name);
}

QString cannotHoldCharacterText(const QString& what, const QString& character) {
  return cannotHold(what, characterText(character));
}

QString characterText(const QString& character) {
  if (character.size() == 1 && isLineBreak(character[0])) return kLineBreak;
  return QStringLiteral("the character \"") + character + QLatin1Char('"');
}

QString controlRefusal(const QString& value, const QString& what) {
  const qsizetype at = firstControl(value);
  return at < 0 ? QString() : cannotHoldText(what, value[at]);
}

}  // namespace common
