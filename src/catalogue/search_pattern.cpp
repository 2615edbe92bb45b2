#include "catalogue/search_pattern.h"

#include "platform/core/cp1252.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace catalogue {
namespace {

// The byte of a character, or nothing when the code page has no such character (no field can
// hold it then).
bool toByte(QChar ch, unsigned char& out) {
  out = platform::cp1252::toByte(ch);
  return out != '?' || ch == QLatin1Char('?');
}

// The capital of every byte: letters are compared by their capitals.
const std::array<unsigned char, 256> kCapital = [] {
  std::array<unsigned char, 256> t{};
  for (unsigned b = 0; b < 256; ++b) t[b] = platform::cp1252::upperByte(static_cast<unsigned char>(b));
  return t;
}();

// The first place from `p` to `last` that holds `a` or `b`, or npos.
size_t findEither(const unsigned char* s, size_t p, size_t last, unsigned char a, unsigned char b) {
  // Most letters differ from their other case in one bit: eight bytes are looked at in one step,
  // that bit set in each, for a byte that is then the letter.
  if ((a ^ b) == 0x20) {
    constexpr std::uint64_t ones = 0x0101010101010101u, highs = ones * 0x80;
    const std::uint64_t want = ones * (a | 0x20u);
    for (; p + 8 <= last + 1; p += 8) {
      std::uint64_t w;
      std::memcpy(&w, s + p, 8);
      const std::uint64_t x = (w | ones * 0x20) ^ want;
      if ((x - ones) & ~x & highs) break;  // a byte of x is zero
    }
  }
  for (; p <= last; ++p)
    if (s[p] == a || s[p] == b) return p;
  return std::string_view::npos;
}

}  // namespace

SearchPattern::SearchPattern(const QString& text) {
  segments_.emplace_back();
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar ch = text[i];
    Segment& seg = segments_.back();
    if (ch == QLatin1Char('*')) {
      if (!seg.empty()) segments_.emplace_back();
      continue;
    }
    if (ch == QLatin1Char('?')) {
      seg.push_back({Element::Kind::Any});
      continue;
    }
    if (ch == QLatin1Char('#')) {
      seg.push_back({Element::Kind::Digit});
      continue;
    }
    if (ch == QLatin1Char('[')) {
      const qsizetype close = text.indexOf(QLatin1Char(']'), i + 1);
      if (close >= 0) {
        qsizetype a = i + 1;
        const bool negate = a < close && text[a] == QLatin1Char('!');
        if (negate) ++a;
        if (a == close && !negate) {  // "[]": a zero-length match
          i = close;
          continue;
        }
        ByteSet set{};
        const auto add = [&set](unsigned b) { set[b >> 6] |= std::uint64_t(1) << (b & 63); };
        for (qsizetype k = a; k < close; ++k) {
          unsigned char lo = 0, hi = 0;
          const bool range = k + 2 < close && text[k + 1] == QLatin1Char('-');
          if (range) {
            const bool okLo = toByte(text[k], lo), okHi = toByte(text[k + 2], hi);
            if (okLo && okHi)
              for (unsigned b = lo; b <= hi; ++b) add(b);
            k += 2;
          } else if (toByte(text[k], lo)) {
            add(lo);
          }
        }
        // A character is looked up by its capital, so the list holds the capitals of its own.
        ByteSet capitals{};
        for (unsigned b = 0; b < 256; ++b)
          if ((set[b >> 6] >> (b & 63)) & 1) capitals[kCapital[b] >> 6] |= std::uint64_t(1) << (kCapital[b] & 63);
        set = capitals;
        if (negate)
          for (auto& w : set) w = ~w;
        sets_.push_back(set);
        seg.push_back({Element::Kind::Set, 0, 0, std::uint32_t(sets_.size() - 1)});
        i = close;
        continue;
      }
      // No closing bracket: the "[" stands for itself.
    }
    unsigned char b = 0;
    if (toByte(ch, b)) seg.push_back({Element::Kind::Literal, kCapital[b], platform::cp1252::lowerByte(kCapital[b])});
    else seg.push_back({Element::Kind::Never});
  }
  if (segments_.size() > 1 && segments_.back().empty()) segments_.pop_back();
}

bool SearchPattern::elementMatches(const Element& e, unsigned char c) const {
  switch (e.kind) {
    case Element::Kind::Literal: return c == e.byte || c == e.other;
    case Element::Kind::Any: return true;
    case Element::Kind::Digit: return c >= '0' && c <= '9';
    case Element::Kind::Set: {
      const unsigned char capital = kCapital[c];
      return (sets_[e.set][capital >> 6] >> (capital & 63)) & 1;
    }
    case Element::Kind::Never: return false;
  }
  return false;
}

size_t SearchPattern::find(const Segment& seg, const unsigned char* s, size_t n, size_t from) const {
  const size_t len = seg.size();
  if (len > n) return std::string_view::npos;
  const size_t last = n - len;  // the last start that leaves room for the segment
  const Element& first = seg.front();
  for (size_t p = from; p <= last; ++p) {
    if (first.kind == Element::Kind::Literal && first.byte == first.other) {
      const void* hit = std::memchr(s + p, first.byte, last - p + 1);
      if (!hit) return std::string_view::npos;
      p = size_t(static_cast<const unsigned char*>(hit) - s);
    } else if (first.kind == Element::Kind::Literal) {
      p = findEither(s, p, last, first.byte, first.other);
      if (p == std::string_view::npos) return p;
    } else if (!elementMatches(first, s[p])) {
      continue;
    }
    size_t k = 1;
    while (k < len && elementMatches(seg[k], s[p + k])) ++k;
    if (k == len) return p;
  }
  return std::string_view::npos;
}

bool SearchPattern::matches(std::string_view bytes) const {
  // Every segment lies between two stars and matches a fixed number of characters, so taking
  // the leftmost place of each in turn leaves the most room for the ones after it.
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  size_t pos = 0;
  for (const Segment& seg : segments_) {
    if (seg.empty()) continue;
    const size_t at = find(seg, s, n, pos);
    if (at == std::string_view::npos) return false;
    pos = at + seg.size();
  }
  return true;
}

bool SearchPattern::matches(const QString& text) const {
  const QByteArray bytes = platform::cp1252::encode(text);
  return matches(std::string_view(bytes.constData(), size_t(bytes.size())));
}

}  // namespace catalogue
