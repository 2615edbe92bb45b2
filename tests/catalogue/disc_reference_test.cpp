// The user's own disc reference numbers: the proposal, the stored form and the check for a
// number in use.
#include "catalogue/disc_reference.h"

#include <gtest/gtest.h>

namespace {
// Items of codes of 11 characters, as the disc file holds them.
std::vector<catalogue::DiscItem> items(std::initializer_list<const char*> texts) {
  std::vector<catalogue::DiscItem> out;
  for (const char* t : texts) out.push_back({QString::fromLatin1(t)});
  return out;
}
}  // namespace

TEST(DiscReference, ProposalIsOneMoreThanTheHighestNumberInUse) {
  EXPECT_EQ(catalogue::proposeReference(items({"SC1        ", "SC2        "})), 1);
  EXPECT_EQ(catalogue::proposeReference(items({})), 1);
  EXPECT_EQ(catalogue::proposeReference(items({"A          0007", "B          ", "C          0012"})), 13);
  EXPECT_EQ(catalogue::proposeReference(items({"A          AB12", "B          "})), 1);
  EXPECT_EQ(catalogue::proposeReference(items({"A          12AB"})), 13);
  EXPECT_EQ(catalogue::proposeReference(items({"A          9999"})), 10000);
}

TEST(DiscReference, AnswersAreFormattedThenCapitalised) {
  EXPECT_EQ(catalogue::referenceAnswerForm("7"), "0007");
  EXPECT_EQ(catalogue::referenceAnswerForm("12"), "0012");
  EXPECT_EQ(catalogue::referenceAnswerForm("x"), "X");
  EXPECT_EQ(catalogue::referenceAnswerForm("ab "), "AB ");
  EXPECT_EQ(catalogue::referenceAnswerForm("12345"), "12345");
  EXPECT_EQ(catalogue::referenceAnswerForm(" 7 "), "0007");
  EXPECT_EQ(catalogue::referenceAnswerForm(QString::fromUtf8("\xc3\xa9t\xc3\xa9")),
            QString::fromUtf8("\xc3\x89T\xc3\x89"));
  EXPECT_EQ(catalogue::referenceAnswerForm(""), "");
}

TEST(DiscReference, InUseComparesWithoutSurroundingBlanks) {
  const auto listed = items({"A          AB  ", "B          0007", "C          "});
  EXPECT_TRUE(catalogue::referenceInUse(listed, "AB"));
  EXPECT_TRUE(catalogue::referenceInUse(listed, "AB "));
  EXPECT_TRUE(catalogue::referenceInUse(listed, "0007"));
  EXPECT_FALSE(catalogue::referenceInUse(listed, "0008"));
  EXPECT_FALSE(catalogue::referenceInUse(listed, ""));
}

// Create List looks records up by the whole code, trailing blanks aside: a ticked disc stored without
// its padding, as an update file can store it, is keyed as a padded one; a longer code is a disc of
// its own, whose lines carry its own number.
TEST(DiscReference, TickedDiscsAreKeyedByTheirWholeCodeTrailingBlanksAside) {
  const std::vector<catalogue::DiscItem> ticked{
      {"ABC0002", 3}, {"SC1", 3}, {"ABCDEFGHIJKL0007", 12}, {"PK-0042    0009"}, {"ABCDEFGHIJKM0008", 12}};
  const auto refs = catalogue::tickedReferences(ticked, true);
  EXPECT_EQ(refs.size(), 5);
  EXPECT_EQ(refs.value("ABC"), "0002");
  EXPECT_EQ(refs.value("SC1"), "    ");
  EXPECT_EQ(refs.value("ABCDEFGHIJKL"), "0007");
  EXPECT_EQ(refs.value("PK-0042"), "0009");
  EXPECT_EQ(refs.value("ABCDEFGHIJKM"), "0008");
  EXPECT_EQ(catalogue::tickedReferences(ticked, false).value("ABC"), "    ");
}
