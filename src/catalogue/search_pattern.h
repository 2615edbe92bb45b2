// The wildcard pattern of the searches: a field matches when it holds the search text somewhere,
// the text's "*", "?", "#" and "[...]" acting as wildcards, compared by exact character code
// (Windows-1252 bytes), so upper and lower case differ.
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
  // and a range written high to low holds no character. Every other character matches itself.
  explicit SearchPattern(const QString& text);

  bool matches(std::string_view bytes) const;  // Windows-1252 bytes
  bool matches(const QString& text) const;

 private:
  // One element matches exactly one character.
  struct Element {
    enum class Kind : std::uint8_t { Literal, Any, Digit, Set, Never } kind;
    unsigned char byte = 0;  // Literal
    std::uint32_t set = 0;   // Set: index into sets_
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
