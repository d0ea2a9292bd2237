#include <gtest/gtest.h>

#include "ui/dialogs.h"

namespace glyphory {
namespace {

struct ErrorBoxCase {
  const char* message;
  const char* shown;
};

class ErrorBoxTextTest : public ::testing::TestWithParam<ErrorBoxCase> {};

TEST_P(ErrorBoxTextTest, AppendsAFullStopOnlyWhenMissing) {
  EXPECT_EQ(ErrorBoxText(QString::fromUtf8(GetParam().message)), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Messages, ErrorBoxTextTest,
                         ::testing::Values(ErrorBoxCase{"'abc' is not a valid integer value",
                                                        "'abc' is not a valid integer value."},
                                           ErrorBoxCase{"Already ends.", "Already ends."},
                                           ErrorBoxCase{"", "."},
                                           ErrorBoxCase{"Ends in a bang!", "Ends in a bang!."}));

TEST(RecordingDialogsTest, PickersAnswerFromTheQueueAndCancelWhenEmpty) {
  RecordingDialogs dialogs;
  dialogs.folderReplies << QStringLiteral("/tmp/out") << QString();
  EXPECT_EQ(dialogs.ChooseFolder(QStringLiteral("/start")), QStringLiteral("/tmp/out"));
  EXPECT_FALSE(dialogs.ChooseFolder(QStringLiteral("/start")).has_value());
  EXPECT_FALSE(dialogs.ChooseFolder(QStringLiteral("/start")).has_value());
  EXPECT_EQ(dialogs.folderStarts.size(), 3);
  EXPECT_FALSE(dialogs.ChooseFontFile().has_value());
}

}  // namespace
}  // namespace glyphory
