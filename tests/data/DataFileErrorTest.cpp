// The Japanese words for damaged data files, which the window and the web
// page both show: one row per kind of error that the window's tests do not
// show whole (they show a file cut short, a count too large, what is no
// regular file, a file too large, a failed write and a missing source), and
// the list with its heading, each file once.
#include <gtest/gtest.h>

#include <vector>

#include "data/DataFileError.h"
#include "platform/Cp932.h"
#include "support/RowName.h"

namespace {

struct MessageRow_t {
  const char* szName;
  const char* szPath;
  eDATA_FILE_ERROR eKind;
  uint64_t nOffset;
  const char* szDetail;
  const char* szUtf8;  // the expected message
};

class DataFileMessageTest : public ::testing::TestWithParam<MessageRow_t> {};

TEST_P(DataFileMessageTest, NamesTheFileAndWhatIsWrong) {
  EXPECT_EQ(velkar::SjisToUtf8(DescribeInJapanese(
                {GetParam().szPath, GetParam().eKind, GetParam().nOffset, GetParam().szDetail})),
            GetParam().szUtf8);
}

const MessageRow_t kMessageRows[] = {
    {"UnreadableWithJapaneseReason", "/d/データ/Katana.dat", DATA_FILE_UNREADABLE, 0,
     "許可がありません", "Katana.dat：ファイルを読み取れません（許可がありません）"},
    {"NoMemory", "x/Sword.dat", DATA_FILE_NO_MEMORY, 5000, "",
     "Sword.dat：メモリが足りません（5000 バイト）"},
};

INSTANTIATE_TEST_SUITE_P(Kinds, DataFileMessageTest, ::testing::ValuesIn(kMessageRows),
                         RowName<MessageRow_t>);

TEST(DataFileMessageTest, ListsEachFileOnceUnderAHeading) {
  EXPECT_EQ(DescribeLoadErrorsInJapanese({}), "");
  const std::vector<DataFileError_t> arrError = {
      {"/d/Sword.dat", DATA_FILE_TRUNCATED, 7, ""},
      {"/d/Monster.dat", DATA_FILE_MISSING, 0, ""},
      {"/d/Sword.dat", DATA_FILE_COUNT_TOO_LARGE, 9, ""}};
  EXPECT_EQ(velkar::SjisToUtf8(DescribeLoadErrorsInJapanese(arrError)),
            "次のデータファイルは正しく読み込めませんでした。読み込めた分だけで続けます。\n"
            "Sword.dat：ファイルが途中で終わっています（7 バイト目）\n"
            "Monster.dat：ファイルがありません");
}

}  // namespace
