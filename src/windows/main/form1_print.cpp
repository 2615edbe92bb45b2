// The Print command: the song list handed to the print window through the print job file.
#include "catalogue/database.h"
#include "catalogue/export_writers.h"
#include "windows/main/form1.h"

#include "platform/core/files.h"
#include "platform/core/text_file.h"
#include "platform/ui/prompts.h"
#include "printing/print_job.h"
#include "windows/print/frmPrint.h"

void Form1::cmdPrint_Click() {
  const auto sort = currentSort();
  if (List2.ListCount() == 0 || !sort) {
    platform::prompts().msgBox(kCreateListFirstText, platform::msg::OKOnly, QStringLiteral("Print"));
    return;
  }
  const QString code = printing::layoutCodeFor(*sort, Check1.Value() == 1, Check2.Value() == 1);
  if (code.isEmpty()) {
    platform::prompts().msgBox(catalogue::noColumnsRefusal(QStringLiteral("Print")), platform::msg::OKOnly,
                               QStringLiteral("Print"));
    return;
  }
  const printing::PrintJob job = printing::jobFromSongList(code, *sort, List2.items());
  const QString path = platform::programFile(QString::fromLatin1(printing::kJobFile));
  const platform::WriteResult written = platform::replaceFile(path, printing::printJobText(job));
  if (!written) {
    platform::prompts().msgBox(catalogue::unwritableText(QStringLiteral("The print job ") + path, written.error),
                               platform::msg::OKOnly + platform::msg::Exclamation, QStringLiteral("Print"));
    return;
  }
  frmPrint window;
  showModal(window);
}
