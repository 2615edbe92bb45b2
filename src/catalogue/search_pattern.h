// The wildcard pattern of the searches: a field matches when it holds the search text somewhere,
// the text's "*", "?", "#" and "[...]" acting as wildcards. Letters are compared without regard
// to case, one Windows-1252 character to one (as UCase gives them), so "ß" is no "SS".
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace catalogue {

class SearchPattern {
 public:
  // The pattern "*" & text & "*". "*" matches any run of characters, also none; "?" any one
  // character; "#" one digit 0-9; "[list]" one character of the list (single characters and
  // ranges such as A-Z; a hyphen first or last stands for itself) and "[!list]" one character not
  // in it; "[]" takes no character at all. A "[" without its "]" stands for itself,
  // and a range written high to low holds no character. Every other character matches itself
  // in either case; a list holds the other case of each of its letters too.
  explicit SearchPattern(const QString& text);

  bool matches(std::string_view bytes) const;  // Windows-1252 bytes
  bool matches(const QString& text) const;

 private:
  // One element matches exactly one character.
  struct Element {
    enum class Kind : std::uint8_t { Literal, Any, Digit, Set, Never } kind;
    unsigned char byte = 0;   // Literal: its capital
    unsigned char other = 0;  // Literal: its small letter, or the capital again
    std::uint32_t set = 0;    // Set: index into sets_
  };
  using ByteSet = std::array<std::uint64_t, 4>;
  // The runs of elements between the stars, in order.
  using Segment = std::vector<Element>;

  bool elementMatches(const Element& e, unsigned char c) const;
  // The first position from `from` where the segment matches, or npos.
  size_t find(const Segment& seg, const unsigned char* s, size_t n, size_t from) const;

  std::vector<Segment> segments_;
  std::vector<ByteSet> sets_;
};

}  // namespace catalogue
