// numora: run the library's operations from the command line.
//   numora [options] OP [OPERAND]     one operation on OPERAND
//   numora [options]                  line mode: "OP [OPERAND]" per line from standard input
#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "GuardedCall.h"
#include "LibraryLoader.h"
#include "numora/numora.h"
#include "numora/numora.hpp"

namespace {

using Operation = void(NUMORA_CALL*)(void);
using SetFileFn = void(NUMORA_CALL*)(const char*);
using GetTextFn = const char*(NUMORA_CALL*)(void);

struct ExportName {
  const char* name;
  int ordinal;
};
#define HOST_EXPORT_NAME(name, ordinal) {#name, ordinal},
const ExportName kOperations[] = {NUMORA_OPERATION_EXPORTS(HOST_EXPORT_NAME)};
const ExportName kBoundary[] = {NUMORA_BOUNDARY_EXPORTS(HOST_EXPORT_NAME)};
#undef HOST_EXPORT_NAME

struct Library {
  host::LibraryLoader loader;
  SetFileFn set_file = nullptr;
  GetTextFn get_file = nullptr;
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Names match in any case, with or without the "Get_" of the operations.
const char* ResolveOperation(const std::string& requested) {
  const std::string wanted = Lower(requested);
  for (const ExportName& op : kOperations) {
    const std::string name = Lower(op.name);
    if (name == wanted || name == "get_" + wanted) return op.name;
  }
  return nullptr;
}

void Usage(std::FILE* out) {
  std::fputs(
      "usage: numora [options] OP [OPERAND]\n"
      "       numora [options]            (line mode: \"OP [OPERAND]\" per line on stdin;\n"
      "                                    a line without operand works on the last result)\n"
      "OP is an operation name, any case, \"Get_\" optional: sqrt, power, dec_to_hex, ...\n"
      "Two-operand operations take \"a,b\": numora power 2,10\n"
      "options:\n"
      "  --library PATH   load this library instead of the one beside the program\n"
      "  --unit UNIT      angle unit for trigonometric operands: RAD, DEG or GRAD\n"
      "  --fpu-cw HEX     x87 control word for the calls (default 0x37F: all faults masked)\n"
      "  --list           list the library's exports with their ordinals\n"
      "  --info           show the library's identity texts\n"
      "  --help           show this text\n",
      out);
}

// Runs one operation; returns the result line or the error line.
bool Run(Library& library, Operation op, unsigned cw, std::string& line) {
  const host::Outcome outcome = host::CallGuarded(op, static_cast<uint16_t>(cw));
  switch (outcome.kind) {
    case host::Outcome::Kind::kNormal:
      line = library.get_file();
      return true;
    case host::Outcome::Kind::kError:
      line = "error: " + outcome.error_kind + ": " + outcome.message;
      return false;
    case host::Outcome::Kind::kFault:
      line = "error: floating-point fault: " + outcome.message;
      return false;
  }
  return false;
}

struct Options {
  std::string library_path;
  std::string unit;
  unsigned control_word = 0;  // set from the process's own at start
  bool list = false, info = false, help = false;
  std::string op;
  std::string operand;
  bool has_operand = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  int i = 1;
  for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    std::string word;
    if (arg == "--library") {
      if (!value(options.library_path)) return false;
    } else if (arg == "--unit") {
      if (!value(options.unit)) return false;
    } else if (arg == "--fpu-cw") {
      if (!value(word)) return false;
      char* end = nullptr;
      options.control_word = static_cast<unsigned>(std::strtoul(word.c_str(), &end, 16));
      if (end == word.c_str() || *end != '\0') return false;
    } else if (arg == "--list") {
      options.list = true;
    } else if (arg == "--info") {
      options.info = true;
    } else if (arg == "--help") {
      options.help = true;
    } else {
      return false;
    }
  }
  if (i < argc) options.op = argv[i++];
  if (i < argc) {
    options.operand = argv[i++];
    options.has_operand = true;
  }
  return i == argc;
}

// The exports the loaded library has, by ordinal.
void ListExports(const host::LibraryLoader& loader) {
  auto list = [&](int ordinal, const auto& table) {
    for (const ExportName& e : table) {
      if (e.ordinal == ordinal && loader.Find(e.name) != nullptr) {
        std::printf("%2d %s\n", ordinal, e.name);
      }
    }
  };
  for (int ordinal = 1; ordinal <= 79; ++ordinal) {
    list(ordinal, kOperations);
    list(ordinal, kBoundary);
  }
}

bool RunNamed(Library& library, const Options& options, const std::string& name,
              std::string& line) {
  const char* resolved = ResolveOperation(name);
  Operation op = resolved ? reinterpret_cast<Operation>(library.loader.Find(resolved)) : nullptr;
  if (op == nullptr) {
    line = "error: unknown operation '" + name + "' (numora --list shows them)";
    return false;
  }
  return Run(library, op, options.control_word, line);
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_NUMERIC, "");
  Options options;
  options.control_word = host::ProcessControlWord();
  if (!ParseOptions(argc, argv, options)) {
    Usage(stderr);
    return 2;
  }
  if (options.help) {
    Usage(stdout);
    return 0;
  }
  Library library;
  std::string error;
  if (!library.loader.Open(options.library_path, error)) {
    std::fprintf(stderr, "error: %s\n", error.c_str());
    return 1;
  }
  library.set_file = reinterpret_cast<SetFileFn>(library.loader.Find("SetFile"));
  library.get_file = reinterpret_cast<GetTextFn>(library.loader.Find("GetFile"));
  if (options.list) {
    ListExports(library.loader);
    return 0;
  }
  if (library.set_file == nullptr || library.get_file == nullptr) {
    std::fprintf(stderr, "error: the library lacks SetFile or GetFile\n");
    return 1;
  }
  if (options.info) {
    for (const char* name : {"GetShortInfo", "GetInfo", "Copyright"}) {
      auto text = reinterpret_cast<GetTextFn>(library.loader.Find(name));
      if (text != nullptr) std::printf("%s\n", text());
    }
    return 0;
  }

  std::string line;
  if (!options.unit.empty()) {
    library.set_file(options.unit.c_str());
    RunNamed(library, options, "Set_Angle_Measurement", line);
  }

  if (!options.op.empty()) {
    library.set_file(options.has_operand ? options.operand.c_str() : "");
    const bool ok = RunNamed(library, options, options.op, line);
    std::fprintf(ok ? stdout : stderr, "%s\n", line.c_str());
    return ok ? 0 : 1;
  }

  const bool interactive = isatty(fileno(stdin)) != 0;
  std::string input;
  for (;;) {
    if (interactive) {
      std::fputs("numora> ", stdout);
      std::fflush(stdout);
    }
    if (!std::getline(std::cin, input)) break;
    if (!input.empty() && input.back() == '\r') input.pop_back();
    if (input.empty()) continue;
    const std::size_t space = input.find(' ');
    const std::string name = input.substr(0, space);
    if (space != std::string::npos) library.set_file(input.substr(space + 1).c_str());
    RunNamed(library, options, name, line);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  }
  return 0;
}
