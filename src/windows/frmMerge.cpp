#include "windows/frmMerge.h"

#include "catalogue/song_list_file.h"
#include "platform/core/text_file.h"
#include "platform/ui/prompts.h"
#include "windows/file_prompts.h"

#include <QFileInfo>

using platform::msg::OKOnly;

namespace {

const QString kTitle = QStringLiteral("Merge Files");
const QString kTwoFilesText = QStringLiteral("Please select two different files");

void refuse(const QString& text, const QString& title = kTitle) { platform::prompts().msgBox(text, OKOnly, title); }

// The same file, however its path is written.
bool sameFile(const QString& a, const QString& b) {
  const QFileInfo fa(a), fb(b);
  if (fa.exists() && fb.exists()) return fa.canonicalFilePath() == fb.canonicalFilePath();
  return fa.absoluteFilePath() == fb.absoluteFilePath();
}

}  // namespace

frmMerge::frmMerge() : FormBase(Kind::Dialog, QStringLiteral("Merge Files"), QSize(560, 300)) {
  for (platform::Label* l : {&Label6, &Label1, &Label2}) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setCaption(l->Caption());
  }
  Frame1.movePx(8, 8, 544, 284);
  Frame1.ZOrderBottom();
  Label6.movePx(24, 20);
  Label5.movePx(24, 46);
  Command1.movePx(24, 80, 120, 30);
  Label1.movePx(156, 86);
  Command2.movePx(24, 130, 120, 30);
  Label2.movePx(156, 136);
  for (platform::Label* chosen : {&Label1, &Label2}) chosen->setElidedWidth(372);
  Command3.movePx(300, 240, 110, 32);
  Command4.movePx(424, 240, 110, 32);
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Command4.Click = [this] { Command4_Click(); };
}

void frmMerge::choose(platform::Label& mine, const platform::Label& other) {
  const platform::FileDialogRequest req = windows::songListFileRequest();
  const auto name = platform::prompts().openFile(req);
  if (!name || name->isEmpty() || *name == req.fileName) return;
  mine.setCaption(*name);
  if (mine.Caption() == other.Caption()) {
    refuse(kTwoFilesText);
    mine.setCaption(QString());
  }
}

void frmMerge::Command1_Click() { choose(Label1, Label2); }
void frmMerge::Command2_Click() { choose(Label2, Label1); }
void frmMerge::Command4_Click() { Unload(); }

void frmMerge::Command3_Click() {
  const QString file1 = Label1.Caption(), file2 = Label2.Caption();
  if (file1.isEmpty() || file2.isEmpty()) {
    refuse(kTwoFilesText);
    return;
  }
  // Both inputs are read and checked before anything is written.
  QStringList values[2];
  const QString paths[2] = {file1, file2};
  for (int i = 0; i < 2; ++i) {
    const auto read = catalogue::readSongListValues(paths[i]);
    if (!read) {
      refuse(catalogue::unreadableSongListMessage(paths[i]));
      return;
    }
    if (catalogue::songListVersion(read->value(0)) == 0) {
      refuse(catalogue::notMellowdexMessage(paths[i]), catalogue::kOpenTitle);
      return;
    }
    if (read->size() < 6) {
      refuse(QStringLiteral("The file ") + paths[i] + QStringLiteral(" ends before its options."));
      return;
    }
    values[i] = *read;
  }

  const auto output =
      windows::askSongListSaveName([&](const QString& name) { return sameFile(name, file1) || sameFile(name, file2); });
  if (!output) return;
  if (sameFile(*output, file1) || sameFile(*output, file2)) {
    refuse(QStringLiteral("Please choose a file other than the two being merged."));
    return;
  }
  const platform::WriteResult written =
      platform::replaceFile(*output, catalogue::songListValuesText(catalogue::mergedValues(values[0], values[1])));
  if (!written) {
    windows::reportWriteFailure(written, *output, kTitle);
    return;
  }
  refuse(QStringLiteral("Files have been merged to ") + *output);  // the name ends in ".mdq"
  Unload();
}
