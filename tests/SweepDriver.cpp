// Runs many operations through the loaded library for scripts/sweep.py, one line each:
//   in:  UNIT <TAB> ENTRY <TAB> OPERAND      (UNIT as Set_Angle_Measurement reads it)
//   out: the register after the call, "!Kind" for a library error or "!FPE fault name"
// Every call starts from the masked default word 0x037F.
//   numora_sweep_driver [LIBRARY]
#include <cstdio>
#include <iostream>
#include <string>
#include <unordered_map>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "GuardedCall.h"
#include "LibraryLoader.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // the texts exactly, without carriage returns
#endif
  host::LibraryLoader library;
  std::string error;
  if (!library.Open(argc > 1 ? argv[1] : "", error)) {
    std::fprintf(stderr, "numora_sweep_driver: %s\n", error.c_str());
    return 2;
  }
  using SetFileFunction = void(NUMORA_CALL*)(const char*);
  using GetFileFunction = const char*(NUMORA_CALL*)(void);
  const auto set_file = reinterpret_cast<SetFileFunction>(library.Find("SetFile"));
  const auto get_file = reinterpret_cast<GetFileFunction>(library.Find("GetFile"));
  const auto set_unit = reinterpret_cast<host::Operation>(library.Find("Set_Angle_Measurement"));
  std::unordered_map<std::string, host::Operation> operations;
  std::string line, unit = "\n", output;
  while (std::getline(std::cin, line)) {
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = line.find('\t', tab1 + 1);
    if (tab1 == std::string::npos || tab2 == std::string::npos) {
      std::fprintf(stderr, "numora_sweep_driver: bad line '%s'\n", line.c_str());
      return 2;
    }
    const std::string line_unit = line.substr(0, tab1);
    const std::string entry = line.substr(tab1 + 1, tab2 - tab1 - 1);
    if (line_unit != unit) {
      set_file(line_unit.c_str());
      set_unit();
      unit = line_unit;
    }
    host::Operation& op = operations[entry];
    if (op == nullptr) op = reinterpret_cast<host::Operation>(library.Find(entry.c_str()));
    if (op == nullptr) {
      std::fprintf(stderr, "numora_sweep_driver: no entry point '%s'\n", entry.c_str());
      return 2;
    }
    set_file(line.c_str() + tab2 + 1);
    const host::Outcome outcome = host::CallGuarded(op, host::CallState{0x037F, 0});
    switch (outcome.kind) {
      case host::Outcome::Kind::kNormal:
        output += get_file();
        break;
      case host::Outcome::Kind::kError:
        output += "!" + outcome.error_kind;
        break;
      case host::Outcome::Kind::kFault:
        output += "!FPE " + outcome.message;
        break;
    }
    output += '\n';
  }
  std::fwrite(output.data(), 1, output.size(), stdout);
  return 0;
}
