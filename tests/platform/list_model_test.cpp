// The sorted list store: case-insensitive order of whole lines, stable for equal texts, bulk
// additions, the selection count, and Qt's rules for a model.
#include "platform/core/sorted_list_model.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>

#include <gtest/gtest.h>

using platform::SortedListModel;

TEST(SortedListModel, OrdersWholeLinesIgnoringCaseAndKeepsEqualTextsInArrivalOrder) {
  SortedListModel m(true);
  for (const char* s : {"beta", "Alpha", "ALPHA", "alpha ", "alpha", "Beta2", "_x", " lead"})
    m.add(QString::fromLatin1(s));
  EXPECT_EQ(m.texts(), (QStringList{" lead", "_x", "Alpha", "ALPHA", "alpha", "alpha ", "beta", "Beta2"}));
}

TEST(SortedListModel, BlankPaddingSortsBeforeLetters) {
  SortedListModel m(true);
  m.add("ZUBAS     X");
  m.add("ZUBA      Y");
  EXPECT_EQ(m.text(0), "ZUBA      Y");
}

TEST(SortedListModel, InterleavedAddsAndReadsStayOrdered) {
  SortedListModel m(true);
  m.add("m");
  EXPECT_EQ(m.text(0), "m");
  m.add("c");
  m.add("x");
  EXPECT_EQ(m.text(0), "c");
  m.add("a");
  m.removeAt(1);  // removes "c"
  EXPECT_EQ(m.texts(), (QStringList{"a", "m", "x"}));
}

TEST(SortedListModel, UnsortedListKeepsInsertionOrder) {
  SortedListModel m(false);
  m.addMany({"b", "a", "c"});
  EXPECT_EQ(m.texts(), (QStringList{"b", "a", "c"}));
}

TEST(SortedListModel, ChangingTextKeepsThePlaceTheSelectionAndTheNumber) {
  SortedListModel m(true);
  m.addMany({"B", "C"});
  m.setSelected(0, true);
  m.setText(0, "Z");
  EXPECT_EQ(m.texts(), (QStringList{"Z", "C"}));
  EXPECT_TRUE(m.selected(0));
  EXPECT_EQ(m.selectedCount(), 1);

  // A line's number goes with it: to its sorted place, through rewrites, removals and moves to
  // an unsorted list and back.
  SortedListModel n(true), unsorted(false), back(true);
  n.addMany({"c", "A", "b"}, {3, 1, 2});
  n.add("a", 4);
  n.transformTexts([](const QString& s) { return s.toUpper(); });
  n.removeAt(2);  // "B"
  EXPECT_EQ(n.texts(), (QStringList{"A", "A", "C"}));
  EXPECT_EQ(n.payloads(), (std::vector<qint64>{1, 4, 3}));
  unsorted.takeAllFrom(n);
  back.takeAllFrom(unsorted);
  EXPECT_EQ(back.payload(1), 4);
  EXPECT_EQ(back.payloads(), (std::vector<qint64>{1, 4, 3}));
}

TEST(SortedListModel, SelectionCountFollowsEveryChange) {
  SortedListModel m(true);
  m.addMany({"a", "b", "c"});
  m.setSelected(1, true);
  m.setSelected(1, true);
  m.setSelected(2, true);
  EXPECT_EQ(m.selectedCount(), 2);
  m.removeAt(1);
  EXPECT_EQ(m.selectedCount(), 1);
  m.setAllSelected(false);
  EXPECT_EQ(m.selectedCount(), 0);
  m.clear();
  EXPECT_EQ(m.count(), 0);
}

TEST(SortedListModel, HoldsAFullSongListInOrder) {
  SortedListModel m(true);
  QStringList lines;
  for (int i = 40000; i > 0; --i) lines << QStringLiteral("LINE %1").arg(i % 997, 5, 10, QLatin1Char('0'));
  m.addMany(lines);
  ASSERT_EQ(m.count(), 40000);
  for (int i = 1; i < m.count(); ++i) ASSERT_LE(m.text(i - 1), m.text(i)) << i;
}

TEST(SortedListModel, AccentedCapitalsSortWithTheirSmallLetters) {
  SortedListModel m(true);
  m.addMany({QStringLiteral("\u00e9b"), QStringLiteral("\u00c9a")});  // éb, Éa
  EXPECT_EQ(m.text(0), QStringLiteral("\u00c9a"));
}

TEST(SortedListModel, PrefixSearchIgnoresCaseAndWraps) {
  SortedListModel m(true);
  m.addMany({"SC100", "sc200", "ZK1"});
  EXPECT_EQ(m.findPrefix("sc2"), 1);
  EXPECT_EQ(m.findPrefix("zk"), 2);
  EXPECT_EQ(m.findPrefix("sc", 2), 0);
  EXPECT_EQ(m.findPrefix("Q"), -1);
}

// Qt's own model checker watches the store while rows are added (and sorted in among the others),
// changed, ticked, removed, moved over from another list and cleared: every signal a view gets
// must agree with what the model says then.
TEST(SortedListModel, KeepsQtsModelRulesWhileRowsComeGoAndAreResorted) {
  static QStringList complaints;
  complaints.clear();
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg) complaints << text;
      });
  for (const bool sorted : {true, false}) {
    SortedListModel m(sorted), other(sorted);
    m.setCheckBoxes(true);
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Warning);
    const auto viewsCatchUp = [] { QCoreApplication::processEvents(); };
    m.addMany({"m", "c", "x"});
    viewsCatchUp();
    m.add("a");  // sorted in before the rows the views already show
    m.add("n");
    m.setSelected(0, true);
    m.setSelected(4, true);  // rows the views are not told of yet
    m.setText(3, "p");
    m.setCurrentRow(4);
    viewsCatchUp();
    m.setText(1, "zz");
    m.removeAt(0);
    m.setCurrentRow(2);
    viewsCatchUp();
    m.transformTexts([](const QString& s) { return s.toUpper(); });
    other.addMany({"b", "y"});
    m.takeAllFrom(other);
    viewsCatchUp();
    m.setAllSelected(true);
    m.removeAt(m.count() - 1);
    viewsCatchUp();
    m.clear();
    m.add("q");
    viewsCatchUp();
    m.clear();
    viewsCatchUp();
  }
  qInstallMessageHandler(previous);
  EXPECT_TRUE(complaints.isEmpty()) << complaints.join('\n').toStdString();
}
