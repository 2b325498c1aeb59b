// docs/operations.md: every export has a row, and every operation's example gives what the row
// says when it runs.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "support/EntryCall.h"

namespace numora::test {
namespace {

struct Row {
  int ordinal = 0;
  std::string example;  // "`before` → `after`", or "none"
};

// Cells of a "| `Name` | ordinal | ... |" line; a pipe escaped as \| stays in its cell.
std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::string cell;
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (line[i] == '|' && line[i - 1] != '\\') {
      const std::size_t first = cell.find_first_not_of(' ');
      const std::size_t last = cell.find_last_not_of(' ');
      cells.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
      cell.clear();
    } else {
      cell += line[i];
    }
  }
  return cells;
}

std::map<std::string, Row> ReadRows() {
  std::map<std::string, Row> rows;
  std::ifstream in(NUMORA_DOCS_DIR "/operations.md");
  EXPECT_TRUE(in) << "docs/operations.md";
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("| `", 0) != 0) continue;
    const std::vector<std::string> cells = Cells(line);
    if (cells.size() != 6) {
      ADD_FAILURE() << "a row needs six cells: " << line;
      continue;
    }
    const std::string name = cells[0].substr(1, cells[0].size() - 2);
    rows[name] = Row{std::stoi(cells[1]), cells[5]};
  }
  return rows;
}

std::string Unquote(const std::string& code) {
  const std::string inner = code.substr(1, code.size() - 2);
  return inner == "\"\"" ? "" : inner;
}

TEST(Documentation, EveryExportHasARowWithItsOrdinal) {
  const std::map<std::string, Row> rows = ReadRows();
  auto expect_row = [&rows](const char* name, int ordinal) {
    const auto found = rows.find(name);
    if (found == rows.end()) {
      ADD_FAILURE() << name << " has no entry in docs/operations.md";
    } else {
      EXPECT_EQ(found->second.ordinal, ordinal) << name;
    }
  };
#define NUMORA_DOC_EXPECT_ROW(export_name, export_ordinal) expect_row(#export_name, export_ordinal);
  NUMORA_OPERATION_EXPORTS(NUMORA_DOC_EXPECT_ROW)
  NUMORA_BOUNDARY_EXPORTS(NUMORA_DOC_EXPECT_ROW)
#undef NUMORA_DOC_EXPECT_ROW
  EXPECT_EQ(rows.size(), 79u);
}

TEST(Documentation, EveryOperationsExampleHolds) {
  const std::string arrow = " \u2192 ";
  for (const auto& [name, row] : ReadRows()) {
    Operation op = FindOperation(name);
    if (op == nullptr) continue;  // a boundary entry point
    const std::size_t at = row.example.find(arrow);
    ASSERT_NE(at, std::string::npos) << name << ": example \"" << row.example << "\"";
    const std::string before = Unquote(row.example.substr(0, at));
    const std::string after = Unquote(row.example.substr(at + arrow.size()));
    SetFile("RAD");
    Set_Angle_Measurement();
    SetFile(before.c_str());
    const Outcome outcome = CallOperation(op);
    EXPECT_EQ(outcome.kind, Outcome::Kind::kNormal) << name << ": " << Describe(outcome);
    EXPECT_EQ(GetFile(), after) << name << " on \"" << before << "\"";
  }
  SetFile("RAD");
  Set_Angle_Measurement();
}

}  // namespace
}  // namespace numora::test
