#include "printing/print_layouts.h"

#include "common/text_helpers.h"

namespace printing {

const QStringList kLayoutCodes = {"SAMT", "SADT",  "ASMT",  "ASDT",  "MTSA", "TSAD",
                                  "TSAM", "TSAMD", "ASMDT", "SAMDT", "MTSAD"};

const QString kClipBlanks = QString(105, QLatin1Char(' '));

bool isLayoutCode(const QString& code) { return kLayoutCodes.contains(code); }

int fieldCount(const QString& code) { return isLayoutCode(code) ? int(code.size()) : 0; }

QString formatField(const QString& text, NumberFormat format) {
  if (format == NumberFormat::None || !common::IsNumeric(text)) return text;
  return common::FormatZeros(common::Val(text), format == NumberFormat::TwoDigits ? 2 : 4);
}

}  // namespace printing
