// The entry points that serve the host: identity, window, path, data value and the register.
#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "numora/numora.h"
#include "support/EntryCall.h"

namespace {

TEST(Boundary, AfterLoadRegisterAndDataAreEmpty) {
  const char* text = GetFile();
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(GetData(), 0);
}

TEST(Boundary, SetFileCopiesTheTextAndNullStoresEmpty) {
  char buffer[] = "2.5";
  SetFile(buffer);
  buffer[0] = '9';  // the host's buffer is not kept
  EXPECT_STREQ(GetFile(), "2.5");
  SetFile(nullptr);
  ASSERT_NE(GetFile(), nullptr);
  EXPECT_STREQ(GetFile(), "");
}

TEST(Boundary, SetFileWithTheRegistersOwnPointerKeepsTheText) {
  const std::string long_text(1000, '7');
  SetFile(long_text.c_str());
  SetFile(GetFile());
  EXPECT_EQ(std::string(GetFile()), long_text);
  SetFile("short");
  SetFile(GetFile());
  EXPECT_STREQ(GetFile(), "short");
}

TEST(Boundary, DataWindowAndTypeAreReturnedAsGiven) {
  EXPECT_EQ(SetData(-123456), -123456);
  EXPECT_EQ(GetData(), -123456);
  int window = 0;
  EXPECT_EQ(SetParentWindow(&window), &window);
  EXPECT_EQ(GetType(), 0);
  EXPECT_EQ(GetType(), 0);
}

TEST(Boundary, IdentityTextsAreExactAndStable) {
  EXPECT_STREQ(GetShortInfo(), "DravikNumora++");
  const std::string info = GetInfo();
  const std::string head = "DravikNumora++ form Dravik PlugIns pack v1.0\r\n\r\n";
  ASSERT_EQ(info.compare(0, head.size(), head), 0) << info;
  const std::string comment = info.substr(head.size());
  EXPECT_FALSE(comment.empty());
  EXPECT_EQ(comment.find_first_of("\r\n"), std::string::npos) << "one comment line, no break";
  EXPECT_EQ(GetInfo(), GetInfo());
  EXPECT_EQ(GetShortInfo(), GetShortInfo());
  EXPECT_EQ(Copyright(), Copyright());
  EXPECT_NE(std::string(Copyright()).find("Copyright"), std::string::npos);
}

TEST(Boundary, DrawSetsOpaqueAndReturnsThePreviousMode) {
  EXPECT_EQ(Draw(nullptr), 0);
#ifdef _WIN32
  HDC context = CreateCompatibleDC(nullptr);
  ASSERT_NE(context, nullptr);
  SetBkMode(context, TRANSPARENT);
  EXPECT_EQ(Draw(context), TRANSPARENT);
  EXPECT_EQ(Draw(context), OPAQUE);
  DeleteDC(context);
#endif
  // Not a device context: the failure result, nothing changed.
  int not_a_context = 0;
  EXPECT_EQ(Draw(&not_a_context), 0);
  EXPECT_EQ(Draw(reinterpret_cast<void*>(0x1000)), 0);
}

TEST(Boundary, OtherEntryPointsLeaveTheRegisterAlone) {
  SetFile("abc");
  const char* before = GetFile();
  GetType();
  GetData();
  int context = 0;
  Draw(&context);
  SetPath("/some/where");
  SetPath(nullptr);
  Set_Angle_Measurement();
  EXPECT_EQ(GetFile(), before);
  EXPECT_STREQ(GetFile(), "abc");
}

TEST(Boundary, AfterLoadATwoOperandCallReadsAnEmptySecondOperand) {
  SetFile("2");
  const auto outcome = numora::test::CallOperation(&Get_Power);
  EXPECT_EQ(numora::test::Describe(outcome),
            "!EConvertError '' is not a valid floating point value");
  EXPECT_STREQ(GetFile(), "2");
}

}  // namespace
