// numora: run the library's operations from the command line.
//   numora [options] OP [OPERAND]     one operation on OPERAND
//   numora [options] OP < FILE        OP on each line's operand (standard input not a terminal)
//   numora [options]                  line mode: "OP [OPERAND]" per line from standard input;
//                                     at a terminal with a prompt, line editing, history and
//                                     completion of the operation names
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

#ifdef NUMORA_HOST_LINE_EDITING
#include <editline/readline.h>
#endif

#include "GuardedCall.h"
#include "LibraryLoader.h"
#include "numora/numora.h"
#include "numora/numora.hpp"
#include "plugin/OperationNames.h"

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
  // Each operation is looked up in the library once, at its first use.
  Operation operations[numora::names::kOperationCount] = {};
  bool looked_up[numora::names::kOperationCount] = {};

  // Names match in any case, with or without the "Get_" of the operations.
  Operation Resolve(const char* name, std::size_t length) {
    const int index = numora::names::FindOperation(name, length);
    if (index < 0) return nullptr;
    if (!looked_up[index]) {
      operations[index] =
          reinterpret_cast<Operation>(loader.Find(numora::names::kOperationNames[index]));
      looked_up[index] = true;
    }
    return operations[index];
  }
};

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

struct OperationHelp {
  const char* name;
  const char* operand;
  const char* meaning;
};
const OperationHelp kHelp[] = {
#include "OperationHelp.inc"
};

const OperationHelp* HelpOf(const char* name) {
  for (const OperationHelp& help : kHelp)
    if (std::strcmp(help.name, name) == 0) return &help;
  return nullptr;
}

void Usage(std::FILE* out) {
  std::fputs(
      "usage: numora [options] [--] OP [OPERAND]\n"
      "       numora [options] [--] OP < FILE   (OP on each line of stdin as its operand)\n"
      "       numora [options]            (line mode: \"OP [OPERAND]\" per line on stdin;\n"
      "                                    a line without operand works on the last result;\n"
      "                                    blank lines and lines starting with # are skipped;\n"
      "                                    each line gives one line of output, empty where\n"
      "                                    it failed, and its error on stderr after its\n"
      "                                    number; at a terminal: a prompt, line editing,\n"
      "                                    history and completion of operation names)\n"
      "OP is an operation name, any case, \"Get_\" optional: sqrt, power, dec_to_hex, ...\n"
      "Two-operand operations take \"a,b\": numora power 2,10\n"
      "options:\n"
      "  --library PATH   load this library instead of the one beside the program\n"
      "  --unit UNIT      angle unit for trigonometric operands: RAD, DEG or GRAD\n"
      "  --fpu-cw HEX     x87 control word for the calls (default: the process's own,\n"
      "                   usually 37F: all faults masked)\n"
      "  --list           list the operations: name, ordinal, operand, meaning\n"
      "  --info           show the library's identity texts\n"
      "  -V, --version    show the version\n"
      "  -h, --help       show this text\n"
      "Options take their value as --unit deg or --unit=deg. Exit status: 0 on success,\n"
      "1 when an operation (or, in line mode, any line) failed, 2 for a usage error.\n",
      out);
}

// Runs one operation; gives the error line when it fails.
bool Run(Operation op, unsigned cw, std::string& error_line) {
  const host::Outcome outcome = host::CallGuarded(op, static_cast<uint16_t>(cw));
  switch (outcome.kind) {
    case host::Outcome::Kind::kNormal:
      return true;
    case host::Outcome::Kind::kError:
      error_line = "error: " + outcome.error_kind + ": " + outcome.message;
      return false;
    case host::Outcome::Kind::kFault:
      error_line = "error: floating-point fault: " + outcome.message;
      return false;
  }
  return false;
}

struct Options {
  std::string library_path;
  std::string unit;
  unsigned control_word = 0;  // set from the process's own at start
  bool list = false, info = false, help = false, version = false;
  std::string op;
  std::string operand;
  bool has_operand = false;
};

// Fills `options`; on a usage error returns false with the reason in `problem`.
bool ParseOptions(int argc, char** argv, Options& options, std::string& problem) {
  int i = 1;
  for (; i < argc && argv[i][0] == '-' && argv[i][1] != '\0'; ++i) {
    std::string arg = argv[i];
    if (arg == "--") {
      ++i;
      break;
    }
    std::string inline_value;
    bool has_inline_value = false;
    const std::size_t eq = arg.find('=');
    if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      inline_value = arg.substr(eq + 1);
      has_inline_value = true;
      arg.resize(eq);
    }
    auto value = [&](std::string& into) {
      if (has_inline_value) {
        into = inline_value;
        return true;
      }
      if (i + 1 >= argc) {
        problem = arg + " needs a value";
        return false;
      }
      into = argv[++i];
      return true;
    };
    auto takes_no_value = [&]() {
      if (has_inline_value) problem = arg + " takes no value";
      return !has_inline_value;
    };
    if (arg == "--library") {
      if (!value(options.library_path)) return false;
    } else if (arg == "--unit") {
      if (!value(options.unit)) return false;
      const std::string upper = Upper(options.unit);
      if (upper != "RAD" && upper != "DEG" && upper != "GRAD") {
        problem = "invalid --unit '" + options.unit + "' (RAD, DEG or GRAD)";
        return false;
      }
    } else if (arg == "--fpu-cw") {
      std::string word;
      if (!value(word)) return false;
      const char* digits =
          word.rfind("0x", 0) == 0 || word.rfind("0X", 0) == 0 ? word.c_str() + 2 : word.c_str();
      char* end = nullptr;
      const unsigned long cw = std::strtoul(digits, &end, 16);
      if (*digits == '\0' || *end != '\0' || cw > 0xFFFF || !std::isxdigit(*digits)) {
        problem = "invalid --fpu-cw '" + word + "' (a hexadecimal control word, 0 to FFFF)";
        return false;
      }
      options.control_word = static_cast<unsigned>(cw);
    } else if (arg == "--list") {
      if (!takes_no_value()) return false;
      options.list = true;
    } else if (arg == "--info") {
      if (!takes_no_value()) return false;
      options.info = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version" || arg == "-V") {
      options.version = true;
    } else {
      problem = "unknown option '" + arg + "'";
      return false;
    }
  }
  if (i < argc) options.op = argv[i++];
  if (i < argc) {
    options.operand = argv[i++];
    options.has_operand = true;
  }
  if (i < argc) {
    problem = "too many arguments (an operand with blanks needs quotes)";
    return false;
  }
  return true;
}

// The operations the loaded library has, by ordinal, with their operand and meaning: every
// name listed can be called (the boundary entry points are the host's own business: --info
// shows the identity texts).
void ListExports(const host::LibraryLoader& loader) {
  for (int ordinal = 1; ordinal <= 79; ++ordinal) {
    for (const ExportName& e : kOperations) {
      if (e.ordinal != ordinal || loader.Find(e.name) == nullptr) continue;
      const OperationHelp* help = HelpOf(e.name);
      std::printf("%-22s %2d  %-14s %s\n", e.name, ordinal, help ? help->operand : "",
                  help ? help->meaning : "");
    }
  }
}

// Whether a name is one of the entry points a host drives the library through (SetFile,
// GetInfo, ...): not operations, but a user may well try them.
bool IsBoundaryName(const char* name, std::size_t length) {
  const std::string wanted = Upper(std::string(name, length));
  for (const ExportName& e : kBoundary)
    if (Upper(e.name) == wanted) return true;
  return false;
}

// A diagnostic on stderr, after the input line's number where there is one (stdout is flushed
// first, so the two keep their order where they meet).
void Say(long line, const std::string& text) {
  std::fflush(stdout);
  if (line > 0) {
    std::fprintf(stderr, "line %ld: %s\n", line, text.c_str());
  } else {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}

// Set_Angle_Measurement selects radians for any name but the three: said, so that a misspelt
// unit does not go unnoticed.
void WarnOfUnknownUnit(Operation op, Library& library, long line) {
  if (op != library.Resolve("Set_Angle_Measurement", std::strlen("Set_Angle_Measurement"))) return;
  const std::string unit = Upper(library.get_file());
  if (unit == "RAD" || unit == "DEG" || unit == "GRAD") return;
  Say(line, "warning: '" + std::string(library.get_file()) +
                "' is not RAD, DEG or GRAD: radians are selected");
}

// Runs the named operation on the register; the result goes to stdout, an error to stderr.
// With `one_line_each` (line modes) a failed line still gives its line: an empty one, so that
// the output pairs with the input line for line.
bool RunNamed(Library& library, const Options& options, const char* name, std::size_t length,
              long line = 0, bool one_line_each = false) {
  const Operation op = library.Resolve(name, length);
  std::string error_line;
  if (op == nullptr) {
    error_line = "error: unknown operation '" + std::string(name, length) +
                 "' (numora --list shows them" +
                 (IsBoundaryName(name, length) ? "; --info the identity texts)" : ")");
  } else {
    WarnOfUnknownUnit(op, library, line);
    if (Run(op, options.control_word, error_line)) {
      const char* text = library.get_file();
      std::fwrite(text, 1, std::strlen(text), stdout);
      std::fputc('\n', stdout);
      return true;
    }
  }
  if (one_line_each) std::fputc('\n', stdout);
  Say(line, error_line);
  return false;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Whole lines from a stream, read in large blocks; a line is NUL-terminated in place.
class LineReader {
 public:
  explicit LineReader(std::FILE* in, bool interactive) : in_(in), interactive_(interactive) {}
  // The next line without its end, or nullptr at the end of the input.
  char* Next(std::size_t& length) {
    for (;;) {
      char* newline = static_cast<char*>(std::memchr(buffer_.data() + start_, '\n', end_ - start_));
      if (newline != nullptr || (eof_ && start_ < end_)) {
        char* line = buffer_.data() + start_;
        char* stop = newline != nullptr ? newline : buffer_.data() + end_;
        start_ = static_cast<std::size_t>(stop - buffer_.data()) + (newline != nullptr ? 1 : 0);
        *stop = '\0';
        length = static_cast<std::size_t>(stop - line);
        return line;
      }
      if (eof_) return nullptr;
      Fill();
    }
  }

 private:
  void Fill() {
    if (start_ > 0) {  // keep the partial line at the front
      std::memmove(buffer_.data(), buffer_.data() + start_, end_ - start_);
      end_ -= start_;
      start_ = 0;
    }
    if (buffer_.size() - end_ < kBlock + 1) buffer_.resize(end_ + kBlock + 1);
    // At a terminal a line is all there is to read; elsewhere a whole block.
    const std::size_t got =
        interactive_ ? (std::fgets(buffer_.data() + end_, static_cast<int>(kBlock), in_) != nullptr
                            ? std::strlen(buffer_.data() + end_)
                            : 0)
                     : std::fread(buffer_.data() + end_, 1, kBlock, in_);
    end_ += got;
    if (got == 0) eof_ = true;
  }

  static constexpr std::size_t kBlock = 1 << 16;
  std::FILE* in_;
  bool interactive_;
  std::string buffer_ = std::string(kBlock + 1, '\0');
  std::size_t start_ = 0, end_ = 0;
  bool eof_ = false;
};

#ifdef NUMORA_HOST_LINE_EDITING
// A terminal's lines through libedit: a prompt, line editing, history, and completion of the
// operation names (the short ones, "sqrt"; after set_angle_measurement the three units).
class EditedLines {
 public:
  EditedLines() {
    rl_readline_name = "numora";
    rl_attempted_completion_function = Complete;
  }
  ~EditedLines() { std::free(line_); }
  char* Next(std::size_t& length) {
    std::free(line_);
    line_ = readline("numora> ");
    if (line_ == nullptr) {
      std::fputc('\n', stdout);
      return nullptr;
    }
    length = std::strlen(line_);
    if (length > 0) add_history(line_);
    return line_;
  }

 private:
  static std::string ShortName(const char* name) {
    std::string lower;
    for (const char* p = name; *p != '\0'; ++p) {
      lower += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    }
    return lower.rfind("get_", 0) == 0 ? lower.substr(4) : lower;
  }
  static char* Candidate(const char* text, int state) {
    static std::size_t next;
    if (state == 0) next = 0;
    const bool unit = unit_completion;
    const std::size_t count = unit ? 3 : sizeof kOperations / sizeof kOperations[0];
    while (next < count) {
      const std::string name = unit ? std::string(kUnits[next]) : ShortName(kOperations[next].name);
      ++next;
      if (name.compare(0, std::strlen(text), text) == 0) return strdup(name.c_str());
    }
    return nullptr;
  }
  static char** Complete(const char* text, int start, int) {
    rl_attempted_completion_over = 1;  // names, not file names
    unit_completion = start > 0 && std::strncmp(rl_line_buffer, "set_angle_measurement ", 22) == 0;
    if (start > 0 && !unit_completion) return nullptr;
    // A unit is the line's last word, and the register would keep a space after it.
    rl_completion_append_character = unit_completion ? '\0' : ' ';
    return rl_completion_matches(text, Candidate);
  }
  static constexpr const char* kUnits[] = {"RAD", "DEG", "GRAD"};
  static inline bool unit_completion = false;
  char* line_ = nullptr;
};
#endif

// The lines of standard input: through libedit at a terminal where the host has it, else read
// in large blocks (a line at a time at a terminal).
class InputLines {
 public:
  explicit InputLines(bool interactive) : interactive_(interactive), reader_(stdin, interactive) {}
  char* Next(std::size_t& length) {
#ifdef NUMORA_HOST_LINE_EDITING
    if (interactive_) return edited_.Next(length);
#endif
    if (interactive_) {
      std::fputs("numora> ", stdout);
      std::fflush(stdout);
    }
    char* line = reader_.Next(length);
    if (line != nullptr && length > 0 && line[length - 1] == '\r') line[--length] = '\0';
    return line;
  }

 private:
  bool interactive_;
  LineReader reader_;
#ifdef NUMORA_HOST_LINE_EDITING
  EditedLines edited_;
#endif
};

// Buffered output, unless someone waits for each answer.
void BufferOutputUnlessInteractive(bool interactive) {
  static char output_buffer[1 << 16];
  if (!interactive) std::setvbuf(stdout, output_buffer, _IOFBF, sizeof output_buffer);
}

// Line mode: each line "OP [OPERAND]" gives one line on stdout (empty where it failed), its
// error on stderr after the line's number; false when any line failed.
bool RunLines(Library& library, const Options& options) {
  const bool interactive = isatty(fileno(stdin)) != 0;
  BufferOutputUnlessInteractive(interactive);
  const host::FaultHandlerSession faults;  // installed once for all the lines
  InputLines lines(interactive);
  bool all_ok = true;
  for (long number = 1;; ++number) {
    std::size_t length = 0;
    char* input = lines.Next(length);
    if (input == nullptr) break;
    std::size_t start = 0;
    while (start < length && IsBlank(input[start])) ++start;
    if (start == length || input[start] == '#') continue;  // blank or comment
    std::size_t space = start;
    while (space < length && !IsBlank(input[space])) ++space;
    if (space < length) library.set_file(input + space + 1);
    all_ok = RunNamed(library, options, input + start, space - start, number, true) && all_ok;
    if (interactive) std::fflush(stdout);
  }
  std::fflush(stdout);
  return all_ok;
}

// Whether the named operation reads the register (pi, getinfo and the like do not, and so
// never wait for standard input).
bool ReadsOperand(const std::string& op) {
  const int index = numora::names::FindOperation(op.data(), op.size());
  if (index < 0) return true;  // said unknown by the run itself
  const OperationHelp* help = HelpOf(numora::names::kOperationNames[index]);
  return help == nullptr || std::strcmp(help->operand, "none") != 0;
}

// One operation on each line of standard input as its operand: one line of output each, empty
// where it failed, its error on stderr after the line's number. False when standard input held
// no line at all; `all_ok` false when a line failed.
bool RunOperandLines(Library& library, const Options& options, bool& all_ok) {
  BufferOutputUnlessInteractive(false);
  const host::FaultHandlerSession faults;
  InputLines lines(false);
  long number = 1;
  for (;; ++number) {
    std::size_t length = 0;
    char* operand = lines.Next(length);
    if (operand == nullptr) break;
    library.set_file(operand);
    all_ok =
        RunNamed(library, options, options.op.data(), options.op.size(), number, true) && all_ok;
  }
  std::fflush(stdout);
  return number > 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_NUMERIC, "");
  Options options;
  options.control_word = host::ProcessControlWord();
  std::string problem;
  if (!ParseOptions(argc, argv, options, problem)) {
    std::fprintf(stderr, "numora: %s\n(numora --help shows the usage)\n", problem.c_str());
    return 2;
  }
  if (options.help) {
    Usage(stdout);
    return 0;
  }
  if (options.version) {
    std::printf("numora %d.%d.%d\n", NUMORA_VERSION_MAJOR, NUMORA_VERSION_MINOR,
                NUMORA_VERSION_PATCH);
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

  if (!options.unit.empty()) {
    library.set_file(options.unit.c_str());
    const Operation set_unit =
        library.Resolve("Set_Angle_Measurement", std::strlen("Set_Angle_Measurement"));
    std::string error_line;
    if (set_unit != nullptr) Run(set_unit, options.control_word, error_line);
  }

  if (!options.op.empty()) {
    if (!options.has_operand && isatty(fileno(stdin)) == 0 && ReadsOperand(options.op)) {
      bool all_ok = true;
      if (RunOperandLines(library, options, all_ok)) return all_ok ? 0 : 1;
      // Nothing on standard input: the operation runs once on an empty operand.
    }
    library.set_file(options.has_operand ? options.operand.c_str() : "");
    return RunNamed(library, options, options.op.data(), options.op.size()) ? 0 : 1;
  }
  return RunLines(library, options) ? 0 : 1;
}
