#include "maintenance/rename_plan.h"

#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/sorted_list_model.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace maintenance {

using common::Mid;
using common::Trim;

QString renameListItem(const QString& code, const QString& track, const QString& title, const QString& artist) {
  return common::fitWidth(track, common::kTrackWidth) + common::Space(4) +
         common::fitWidth(title, common::kTitleWidth) + common::fitWidth(artist, common::kArtistWidth) +
         common::fitWidth(code, common::kCodeWidth);
}

QString Title_Case(const QString& field) {
  QString out = common::LCase(field);
  for (qsizetype i = 0; i < out.size(); ++i)
    if (i == 0 || out[i - 1] == QLatin1Char(' ')) out[i] = common::UCase(QString(out[i]))[0];
  return out;
}

NameFields nameFields(const QString& item) {
  return NameFields{Trim(Mid(item, 73, 11)), Title_Case(Mid(item, 1, 2)), Title_Case(Trim(Mid(item, 7, 36))),
                    Title_Case(Trim(Mid(item, 43, 30)))};
}

QString patternName(int option, const NameFields& f) {
  const QString sep = QStringLiteral(" - ");
  const QString discTrack = f.disc + QLatin1Char('-') + f.track;
  switch (option) {
    case 1: return discTrack + sep + f.artist + sep + f.song;
    case 2: return discTrack + sep + f.song + sep + f.artist;
    case 3: return f.artist + sep + f.song;
    case 4: return f.song + sep + f.artist;
    case 5: return f.artist + sep + f.song + sep + discTrack;
    case 6: return f.song + sep + f.artist + sep + discTrack;
    case 7: return discTrack;
    case 8: return discTrack + sep + f.song;
    default: return {};
  }
}

QString extensionOf(const QString& fileName) { return common::Right(fileName, 4); }

std::vector<RenameStep> planRenames(const QStringList& items, const QStringList& files, int option) {
  std::vector<RenameStep> steps;
  const qsizetype n = std::min(items.size(), files.size());
  steps.reserve(size_t(n));
  for (qsizetype i = 0; i < n; ++i)
    steps.push_back({files[i], patternName(option, nameFields(items[i])) + extensionOf(files[i])});
  return steps;
}

namespace {

// A name this file system cannot give a file: a folder separator, a NUL, the names of the
// folder itself and of its parent, or more bytes than a name may have.
bool badName(const QString& name) {
  if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return true;
  if (name.contains(QLatin1Char('/')) || name.contains(QChar(0))) return true;
  return QFile::encodeName(name).size() > 255;
}

}  // namespace

std::optional<RenameProblem> checkRenames(const std::vector<RenameStep>& steps, const QSet<QString>& folderNames,
                                          bool foldCase) {
  using Kind = RenameProblem::Kind;
  const auto key = [foldCase](const QString& name) { return foldCase ? name.toCaseFolded() : name; };
  QSet<QString> names;  // the folder's names as the file system compares them
  for (const QString& n : folderNames) names.insert(key(n));
  QSet<QString> given;  // names the renames have given so far
  for (const RenameStep& s : steps) {
    const QString from = key(s.from), to = key(s.to);
    if (from == to) {  // already named so, or only the letter case changes
      if (given.contains(to)) return RenameProblem{Kind::SameTarget, s.from, s.to};
      given.insert(to);
      continue;
    }
    if (badName(s.to)) return RenameProblem{Kind::BadName, s.from, s.to};
    if (names.contains(to))
      return RenameProblem{given.contains(to) ? Kind::SameTarget : Kind::TargetExists, s.from, s.to};
    names.remove(from);
    names.insert(to);
    given.insert(to);
  }
  return std::nullopt;
}

bool foldsCase(const QString& folder) {
  const QDir dir(folder);
  const QStringList all = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& name : all) {
    const QString other = name.toUpper() != name ? name.toUpper() : name.toLower();
    if (other == name) continue;  // no letters to tell by
    return !all.contains(other) && QFileInfo::exists(dir.filePath(other));
  }
  return false;
}

bool moveName(const QString& folder, const QString& from, const QString& to, bool foldCase) {
  const QDir dir(folder);
  if (!(foldCase && from != to && from.toCaseFolded() == to.toCaseFolded()))
    return !QFileInfo::exists(dir.filePath(to)) && QFile::rename(dir.filePath(from), dir.filePath(to));
  QString between = to + QStringLiteral(".renaming");
  for (int i = 2; QFileInfo::exists(dir.filePath(between)); ++i)
    between = to + QStringLiteral(".renaming") + QString::number(i);
  if (!QFile::rename(dir.filePath(from), dir.filePath(between))) return false;
  if (QFile::rename(dir.filePath(between), dir.filePath(to))) return true;
  QFile::rename(dir.filePath(between), dir.filePath(from));  // the file keeps its old name
  return false;
}

QSet<QString> namesInFolder(const QString& folder) {
  const QStringList all = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  return QSet<QString>(all.begin(), all.end());
}

namespace {

std::vector<QRegularExpression> patternsOf(const QString& pattern) {
  std::vector<QRegularExpression> out;
  for (QString p : pattern.split(QLatin1Char(';'))) {
    p = Trim(p);
    if (p.isEmpty()) continue;
    if (p == QLatin1String("*.*")) p = QStringLiteral("*");  // as the old lists read it: every file
    QString re;
    for (const QChar c : p) {
      if (c == QLatin1Char('*')) re += QStringLiteral(".*");
      else if (c == QLatin1Char('?')) re += QLatin1Char('.');
      else re += QRegularExpression::escape(QString(c));
    }
    out.emplace_back(QRegularExpression::anchoredPattern(re),
                     QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  }
  if (out.empty()) out.emplace_back(QStringLiteral(".*"));
  return out;
}

bool matchesAny(const QString& name, const std::vector<QRegularExpression>& patterns) {
  return std::any_of(patterns.begin(), patterns.end(),
                     [&](const QRegularExpression& re) { return re.match(name).hasMatch(); });
}

void sortNames(QStringList& names) {
  std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const QByteArray ka = platform::sortKey(a), kb = platform::sortKey(b);
    if (ka != kb) return ka < kb;
    return a < b;
  });
}

}  // namespace

QStringList listMatchingFiles(const QString& folder, const QString& pattern) {
  const auto patterns = patternsOf(pattern);
  QStringList out;
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot))
    if (matchesAny(name, patterns)) out.append(name);
  sortNames(out);
  return out;
}

QStringList listSubfolders(const QString& folder) {
  QStringList out = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  sortNames(out);
  return out;
}

}  // namespace maintenance
