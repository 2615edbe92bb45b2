// The disc catalogue drop-down: product lines that move the disc list to their discs.
#include "catalogue/disc_catalogue_rows.h"
#include "platform/core/sorted_list_model.h"
#include "windows/main/form1.h"

#include <algorithm>
#include <vector>

namespace {
// A fixed-pitch face, so the dots of every row end in one column and the prefixes line up.
constexpr double kCatalogueFontSize = 9.75;
}  // namespace

void Form1::wireCatalogueHandlers() {
  Combo1.setFixedPitchFont(QStringLiteral("Courier"), kCatalogueFontSize);
  Combo1.Click = [this] { Combo1_Click(); };
  Combo1.LostFocus = [this] { Combo1_LostFocus(); };
}

void Form1::Disc_Description() {
  // Added in the drop-down's own order, so the rows stand sorted whether or not the control
  // sorts what it is given.
  std::vector<std::pair<QByteArray, QString>> rows;
  rows.reserve(catalogue::kCatalogueRowCount);
  for (const catalogue::CatalogueRow& row : catalogue::catalogueRows()) {
    const QString text = catalogue::catalogueRowText(row);
    rows.emplace_back(platform::sortKey(text), text);
  }
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& row : rows) Combo1.AddItem(row.second);
}

void Form1::Combo1_Click() {
  if (Combo1.Text().isEmpty()) Combo1.setText(kCataloguePrompt);
  // A disc list that cannot take the focus is left alone: moving its hidden highlight would
  // run its click handling for a disc the user cannot see.
  if (!List1.Visible() || !List1.Enabled()) return;
  List1.SetFocus();
  // The drop-down's own focus loss is handled after this returns, so its text is still the
  // chosen row here.
  const QString code = catalogue::firstDiscCodeFor(Combo1.Text());
  if (!code.isEmpty()) List1.keyboardSearch(code);
}

void Form1::Combo1_LostFocus() { Combo1.setText(kCataloguePrompt); }
