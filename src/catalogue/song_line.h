// The song list's lines: four fixed-column layouts, one per sort, each with its sort key first
// so that the sorted list box orders the lines by it. Building a line, re-cutting it into
// another layout, its duplicate key and its word capitals all read the one table of columns.
#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace catalogue {

enum class Sort { Artist, Song, Track, MfCode };
constexpr Sort kAllSorts[] = {Sort::Artist, Sort::Song, Sort::Track, Sort::MfCode};

// The song list holds at most this many lines.
constexpr int Max_List_Lines = 32731;
// What the user is told when a list stops at that length.
inline const QString kMaxListTitle = QStringLiteral("Max List Size Reached");
inline const QString kMaxListText = QStringLiteral("Maximum list size is 32731");

// One column of a layout: A artist, S song, M disc code, D reference number, g gap, T track.
struct Column {
  char letter;
  int start;  // 1-based
  int width;
};

// The columns of a layout from left to right (87 characters in all).
const std::vector<Column>& layoutColumns(Sort sort);
const Column& columnOf(Sort sort, char letter);
constexpr int kLineLength = 87;

// The values of one line; each is cut or padded to its width when the line is built.
struct LineFields {
  QString artist;
  QString song;
  QString code;  // 11 blanks when the codes are not shown
  QString ref;   // 4 blanks when the user's numbers are not used
  QString track;
};

// The line Create List makes (87 characters).
QString createListLine(Sort sort, const LineFields& f);
// The line Tick All and the database searches make: the code always shown and no reference
// number; 87 characters for the artist and song layouts (8 blanks before the track), 83 for the
// track and code layouts (ending after their last column).
QString tickAllLine(Sort sort, const LineFields& f);

// The column header of a layout, its words standing over their columns.
const QString& columnHeader(Sort sort);

// How a sort change re-cuts the lines, chosen from the two option boxes:
// A: codes hidden, numbers used; B: both on; C: every other combination.
enum class RecutCase { A, B, C };
RecutCase recutCase(Sort from, bool showCodes, bool useNumbers);
// The line re-cut from one layout into another.
QString recutLine(const QString& line, Sort from, Sort to, RecutCase c);

// The disc code column of a line in the given layout.
QString discCodeOfLine(const QString& line, Sort sort);
// The code, track, song and artist columns of a line in the given layout, blanks kept (the
// reference number is not read back). The track of the artist and song layouts is the line's
// last two characters, so lines with and without a reference number both give it.
LineFields fieldsOfLine(const QString& line, Sort sort);
// The line with other values in its song and artist columns, each cut or padded to its column;
// every other character stays where it stands.
QString withSongAndArtist(const QString& line, Sort sort, const QString& song, const QString& artist);
// The line with another code in its code column, cut or padded to it.
QString withDiscCode(const QString& line, Sort sort, const QString& code);

// The 66 characters of song and artist that make two lines duplicates.
QString duplicateKey(Sort sort, const QString& line);
// The same characters seen in place, for comparing many lines without copying them.
QStringView duplicateKeyView(Sort sort, const QString& line);

// Word capitals: everything small, then a capital at the start of the line, after every blank
// and "(", at the start of the song and artist columns, and the code and number columns put
// back in capitals (the number only in the code layout when both options are on).
QString wordCapitals(const QString& line, Sort sort, bool numberColumnToo);
// The whole line in capitals, one character for one.
QString allCapitals(const QString& line);

}  // namespace catalogue
