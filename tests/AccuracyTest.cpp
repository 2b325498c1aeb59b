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

// Whether `printed` is an acceptable text for the true value `reference` (tests/data/
// domain_accuracy.tsv): the same special, "0" below the smallest normal, else within one unit
// of the 15th significant digit.
bool Acceptable(const std::string& printed, const std::string& reference) {
  if (reference == "NAN" || reference == "INF" || reference == "-INF") return printed == reference;
  const long double truth = ReadReference(reference);
  if (truth == 0.0L) return printed == "0";
  constexpr long double kSmallestNormal = 0x1p-16382L;
  if (std::fabs(truth) < kSmallestNormal && printed == "0") return true;
  long double value;
  if (!ParseReal(printed, '.', value)) return false;
  // One unit of the 15th digit, relative: 10^-14 divided by the leading part of |truth|.
  const long double log = std::log10(std::fabs(truth));
  const long double leading = std::pow(10.0L, log - std::floor(log));
  const long double tolerance = 1e-14L / leading * 1.0001L;
  return std::fabs(value / truth - 1.0L) <= tolerance;
}

TEST(Accuracy, WholeDomainWithinOneUnitOfTheFifteenthDigit) {
  std::ifstream in(NUMORA_DATA_DIR "/domain_accuracy.tsv");
  ASSERT_TRUE(in);
  std::string line, failures;
  int rows = 0, failed = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string entry, operand, reference;
    std::getline(fields, entry, '\t');
    std::getline(fields, operand, '\t');
    std::getline(fields, reference, '\t');
    SetFile("RAD");
    Set_Angle_Measurement();
    SetFile(operand.c_str());
    const test::Outcome outcome = test::CallOperation(test::FindOperation(entry));
    const std::string printed = outcome.kind == test::Outcome::Kind::kNormal
                                    ? std::string(GetFile())
                                    : test::Describe(outcome);
    ++rows;
    if (!Acceptable(printed, reference)) {
      ++failed;
      failures += entry + " " + operand + ": " + printed + ", true " + reference + "\n";
    }
  }
  EXPECT_GT(rows, 2000);
  EXPECT_EQ(failed, 0) << failed << " of " << rows << " rows:\n" << failures;
}

}  // namespace
}  // namespace numora
