// CJsonDocument against nlohmann's own parser on what both accept, nesting
// as deep as it allows included, and on what it refuses: more values than it
// holds, a text longer than it holds, and text that is not JSON, each with its
// reason (nesting beyond its depth is the settings store's test).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "setup/JsonDocument.h"
#include "support/JsonTexts.h"
#include "support/RowName.h"

namespace {

struct JsonRow_t {
  const char* szName;
  std::function<std::string()> text;
  eJSON_READ eResult;
  size_t nOffset = 0;  // Syntax: the byte the reader gave up at
};

// Twenty members, more than are searched one by one, and three of them again.
std::string ManyMembers() {
  std::string strText = "{";
  for (int i = 0; i < 20; ++i)
    strText += "\"k" + std::to_string(i) + "\": " + std::to_string(i) + ",";
  return strText + R"("k3": [3], "k19": {"a": 1, "a": 2}, "k0": null})";
}

const JsonRow_t kJsonRows[] = {
    {"RepeatedKeyKeepsItsPlaceAndTheLastValue",
     Text(R"({"a": 1, "b": {"c": [1, 2]}, "a": [3], "b": null})"), eJSON_READ::Ok},
    {"RepeatedKeysAmongMany", ManyMembers, eJSON_READ::Ok},
    {"Scalars", Text(R"([true, false, null, -7, 18446744073709551615, 2.5, "ä"])"), eJSON_READ::Ok},
    {"NestedAsDeepAsAllowed", [] { return Nested(64); }, eJSON_READ::Ok},
    {"AsManyValuesAsAllowed", [] { return ArrayOf(CJsonDocument::kMaxValues - 1, "0"); },
     eJSON_READ::Ok},
    {"OneValueTooMany", [] { return ArrayOf(CJsonDocument::kMaxValues, "0"); },
     eJSON_READ::TooLarge},
    {"TextAsLongAsAllowed",
     [] { return "[\"" + std::string(CJsonDocument::kMaxTextBytes, 'a') + "\"]"; }, eJSON_READ::Ok},
    {"EscapedTextTooLong",
     [] { return "{\"\\\"" + std::string(CJsonDocument::kMaxTextBytes - 1, 'a') + "\": 0}"; },
     eJSON_READ::TooLong},
    {"TrailingText", Text("{} x"), eJSON_READ::Syntax, 3},
    {"Empty", Text(""), eJSON_READ::Syntax, 0},
};

class JsonDocumentTest : public ::testing::TestWithParam<JsonRow_t> {};

TEST_P(JsonDocumentTest, ReadsAsTheLibraryDoesOrSaysWhyNot) {
  const std::string strText = GetParam().text();
  CJsonDocument document;
  const eJSON_READ eResult =
      document.Read(std::span(reinterpret_cast<const uint8_t*>(strText.data()), strText.size()));
  EXPECT_EQ(eResult, GetParam().eResult);
  if (eResult == eJSON_READ::Ok) {
    EXPECT_EQ(document.Root(), nlohmann::ordered_json::parse(strText));
  } else {
    EXPECT_TRUE(document.Root().is_null());
  }
  if (eResult == eJSON_READ::Syntax) {
    EXPECT_EQ(document.GetOffset(), GetParam().nOffset);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, JsonDocumentTest, ::testing::ValuesIn(kJsonRows),
                         RowName<JsonRow_t>);

}  // namespace
