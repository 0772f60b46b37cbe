// The Japanese words for damaged data files, which the window and the web
// page both show: one row per kind of error, and the list with its heading,
// each file once.
#include <gtest/gtest.h>

#include <string>
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
    {"Truncated", "/d/Sword.dat", DATA_FILE_TRUNCATED, 42, "weapon 3",
     "Sword.dat：ファイルが途中で終わっています（42 バイト目）"},
    {"CountTooLarge", "Monster.dat", DATA_FILE_COUNT_TOO_LARGE, 4, "",
     "Monster.dat：件数がファイルの大きさを超えています（4 バイト目）"},
    {"UnreadableWithJapaneseReason", "/d/データ/Katana.dat", DATA_FILE_UNREADABLE, 0,
     "許可がありません", "Katana.dat：ファイルを読み取れません（許可がありません）"},
    {"WriteFailedOnItsOwnLine", "/d/Lance.dat", DATA_FILE_WRITE_FAILED, 0, "disk full",
     "Lance.dat：ファイルに書き込めません\ndisk full"},
    {"Missing", "/d/Hummer.ini", DATA_FILE_MISSING, 0, "", "Hummer.ini：ファイルがありません"},
    {"Fifo", "/d/Sword.dat", DATA_FILE_NOT_REGULAR, 0, "a FIFO",
     "Sword.dat：通常のファイルではなく名前付きパイプ（FIFO）です"},
    {"TooLarge", "/d/Sword.dat", DATA_FILE_TOO_LARGE, 70000000, "",
     "Sword.dat：ファイルが大きすぎます（70000000 バイト。上限は 67108864 バイトです）"},
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
