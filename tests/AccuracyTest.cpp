// Each function family against high-precision reference values (tests/data/accuracy.tsv):
// the printed result lies within one unit of the 15th significant digit of the true value.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "numtext/RealText.h"
#include "support/EntryCall.h"

namespace numora {
namespace {

// The reference as an extended value; 40 digits carry it well beyond 15.
long double ReadReference(const std::string& text) {
  std::string t = text;
  long double v;
  EXPECT_TRUE(ParseReal(t, '.', v)) << t;
  return v;
}

TEST(Accuracy, WithinOneUnitOfTheFifteenthDigit) {
  std::ifstream in(NUMORA_DATA_DIR "/accuracy.tsv");
  ASSERT_TRUE(in);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string entry, operand, reference, status;
    std::getline(fields, entry, '\t');
    std::getline(fields, operand, '\t');
    std::getline(fields, reference, '\t');
    std::getline(fields, status, '\t');
    if (status != "ok") continue;  // the stated formula loses digits there
    SCOPED_TRACE(entry + " " + operand);
    SetFile("RAD");
    Set_Angle_Measurement();
    SetFile(operand.c_str());
    const test::Outcome outcome = test::CallOperation(test::FindOperation(entry));
    ASSERT_EQ(outcome.kind, test::Outcome::Kind::kNormal) << test::Describe(outcome);
    long double printed;
    ASSERT_TRUE(ParseReal(GetFile(), '.', printed)) << GetFile();
    const long double truth = ReadReference(reference);
    const long double unit = std::pow(10.0L, std::floor(std::log10(std::fabs(truth))) - 14.0L);
    EXPECT_LE(std::fabs(printed - truth), unit) << GetFile() << " vs " << reference;
  }
}

}  // namespace
}  // namespace numora
