// The print job file: the layout code of each sort and column choice, and reading it back.
#include "printing/print_job.h"

#include "temp_home.h"

#include <gtest/gtest.h>

using testsupport::linesBytes;

TEST(PrintJob, LayoutCodesFollowTheSortAndTheShownColumns) {
  using catalogue::Sort;
  EXPECT_EQ(printing::layoutCodeFor(Sort::Artist, true, true), "ASMDT");
  EXPECT_EQ(printing::layoutCodeFor(Sort::Artist, true, false), "ASMT");
  EXPECT_EQ(printing::layoutCodeFor(Sort::Artist, false, true), "ASDT");
  EXPECT_EQ(printing::layoutCodeFor(Sort::Song, true, true), "SAMDT");
  EXPECT_EQ(printing::layoutCodeFor(Sort::Song, true, false), "SAMT");
  EXPECT_EQ(printing::layoutCodeFor(Sort::Song, false, true), "SADT");
  EXPECT_EQ(printing::layoutCodeFor(Sort::Track, true, true), "TSAMD");
  EXPECT_EQ(printing::layoutCodeFor(Sort::Track, true, false), "TSAM");
  EXPECT_EQ(printing::layoutCodeFor(Sort::Track, false, true), "TSAD");
  EXPECT_EQ(printing::layoutCodeFor(Sort::MfCode, true, true), "MTSAD");
  EXPECT_EQ(printing::layoutCodeFor(Sort::MfCode, false, false), "MTSA");
  EXPECT_EQ(printing::layoutCodeFor(Sort::Song, false, false), "");
}

TEST(PrintJob, ADamagedRecordNeverShiftsTheRowsAfterIt) {
  testsupport::TempHome home;
  home.writeBytes("primp.tmp", linesBytes({"\"TSAM\"", "\"T\",\"S\",\"A\",\"M\"", "\"01\",\"ONLY TWO\"",
                                           "\"02\",\"S\",\"A\",\"M\",\"EXTRA\"", "\"03\",\"S3\",\"A3\",\"M3\""}));
  const auto job = printing::readPrintJob(home.path("primp.tmp"));
  ASSERT_TRUE(job);
  ASSERT_EQ(job->rows.size(), 3u);
  EXPECT_EQ(job->rows[0], (QStringList{"01", "ONLY TWO", "", ""}));
  EXPECT_EQ(job->rows[1], (QStringList{"02", "S", "A", "M"}));
  EXPECT_EQ(job->rows[2][1], "S3");
  EXPECT_EQ(job->lineCount, 5);
  EXPECT_FALSE(printing::readPrintJob(home.path("none.tmp")));
}
