// Runs the case tables in tests/cases: entry point, register before, register after (or
// "!Kind message" for an error, "!FPE name" for an unmasked fault), options.
//   Options: cw=HEX  unit=NAME  sep=TEXT (the locale's separator, read by each operation)
//            pre=REGISTER|ENTRY (run first)
//            flags=HEX (exception flags left raised when the call starts)
//            flagsafter=HEX (the exception flags raised when it returns)
//   Every call must leave the control word it was made with, on return and at a fault.
//   Texts: "" is the empty text; <N:c> stands for N copies of c; \t is a tab.
//   With NUMORA_MEMCHECK set (under valgrind) the rows run but their results are not judged.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "plugin/LocaleSeparator.h"
#include "plugin/PluginState.h"
#include "support/EntryCall.h"

namespace numora::test {
namespace {

struct Case {
  std::string file;
  int line = 0;
  std::string entry, before, after;
  std::string options;
};

std::string Expand(const std::string& field) {
  if (field == "\"\"") return "";
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 1 < field.size() && field[i + 1] == 't') {
      out += '\t';
      ++i;
    } else if (field[i] == '<') {
      const std::size_t colon = field.find(':', i);
      const std::size_t close = field.find('>', i);
      if (colon != std::string::npos && close == colon + 2) {
        out.append(std::stoul(field.substr(i + 1, colon - i - 1)), field[colon + 1]);
        i = close;
        continue;
      }
      out += field[i];
    } else {
      out += field[i];
    }
  }
  return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return fields;
}

std::vector<Case> LoadCases() {
  std::vector<Case> cases;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(NUMORA_CASES_DIR))
    if (entry.path().extension() == ".tsv") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto& path : files) {
    std::ifstream in(path);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      if (line.empty() || line[0] == '#') continue;
      const std::vector<std::string> fields = SplitTabs(line);
      Case c;
      c.file = path.filename().string();
      c.line = number;
      c.entry = fields[0];
      c.before = fields.size() > 1 ? fields[1] : "";
      c.after = fields.size() > 2 ? fields[2] : "";
      c.options = fields.size() > 3 ? fields[3] : "";
      cases.push_back(c);
    }
  }
  return cases;
}

void PrintTo(const Case& c, std::ostream* os) { *os << c.file << ":" << c.line; }

class CaseTable : public ::testing::TestWithParam<Case> {};

TEST_P(CaseTable, RegisterAfterEntryPoint) {
  const Case& c = GetParam();
  SCOPED_TRACE(c.file + ":" + std::to_string(c.line) + "  " + c.entry + " [" + c.before + "]");
  Operation op = FindOperation(c.entry);
  ASSERT_NE(op, nullptr) << "unknown entry point " << c.entry;

  // Each case starts from radians, "." separators and an empty carried-over second operand.
  SetFile("RAD");
  Set_Angle_Measurement();
  State().second_operand_text.clear();
  std::string call_separator = ".";
  uint16_t control_word = 0x037F;
  uint16_t raised_flags = 0;
  int flags_after = -1;
  std::istringstream options(c.options);
  std::string option;
  std::vector<std::string> pre;
  while (options >> option) {
    const std::size_t eq = option.find('=');
    ASSERT_NE(eq, std::string::npos) << option;
    const std::string key = option.substr(0, eq), value = option.substr(eq + 1);
    if (key == "cw") {
      control_word = static_cast<uint16_t>(std::stoul(value, nullptr, 16));
    } else if (key == "unit") {
      SetFile(value.c_str());
      Set_Angle_Measurement();
    } else if (key == "sep") {
      call_separator = value;
    } else if (key == "flags") {
      raised_flags = static_cast<uint16_t>(std::stoul(value, nullptr, 16));
    } else if (key == "flagsafter") {
      flags_after = static_cast<int>(std::stoul(value, nullptr, 16));
    } else if (key == "pre") {
      pre.push_back(value);
    } else {
      FAIL() << "unknown option " << key;
    }
  }
  OverrideCallDecimalSeparator(call_separator.c_str());
  for (const std::string& step : pre) {
    const std::size_t bar = step.find('|');
    SetFile(Expand(step.substr(0, bar)).c_str());
    CallOperation(FindOperation(step.substr(bar + 1)));
  }

  const std::string before = Expand(c.before);
  SetFile(before.c_str());
  const Outcome outcome = CallOperation(op, control_word, raised_flags);
  OverrideCallDecimalSeparator(nullptr);

  // Under valgrind's memcheck, which computes the x87 in 64 bits and delivers no unmasked
  // fault, only memcheck's verdict on the calls counts.
  if (std::getenv("NUMORA_MEMCHECK") != nullptr) return;
  const std::string after = GetFile();
  EXPECT_EQ(outcome.control_word_after, control_word) << "the control word the call left";
  if (flags_after >= 0) {
    EXPECT_EQ(outcome.status_word_after & 0x3F, flags_after) << "exception flags after the call";
  }
  if (!c.after.empty() && c.after[0] == '!') {
    EXPECT_EQ(Describe(outcome), Expand(c.after));
    EXPECT_EQ(after, before) << "a failed call must leave the register as it was";
  } else {
    EXPECT_EQ(outcome.kind, Outcome::Kind::kNormal) << Describe(outcome);
    EXPECT_EQ(after, Expand(c.after));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, CaseTable, ::testing::ValuesIn(LoadCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name = info.param.file.substr(0, info.param.file.find('.'));
                           for (char& ch : name)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name + "_" + std::to_string(info.param.line);
                         });

}  // namespace
}  // namespace numora::test
