// The two phases seen from inside, for scripts/measure_first_phase.py and
// scripts/second_phase_rates.py: runs each line's operation and prints, one line each,
//   numora_phase_probe first   the first phase's result (the accurate phase off): its
//                              sign-and-exponent field and significand in hexadecimal
//   numora_phase_probe count   1 where the accurate phase ran, else 0
//   in:  UNIT <TAB> ENTRY <TAB> OPERAND; "!" for a call that failed
#include <cstdio>
#include <iostream>
#include <string>

#include "numora/numora.h"
#include "numtext/Extended.h"
#include "plugin/PluginState.h"
#include "realops/CorrectRounding.h"
#include "support/EntryCall.h"

int main(int argc, char** argv) {
  const bool count = argc > 1 && std::string(argv[1]) == "count";
  numora::EnableAccuratePhase(count);
  std::string line, unit;
  while (std::getline(std::cin, line)) {
    const std::size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
    const std::string line_unit = line.substr(0, tab1);
    if (line_unit != unit) {
      SetFile(line_unit.c_str());
      Set_Angle_Measurement();
      unit = line_unit;
    }
    const numora::test::Operation op =
        numora::test::FindOperation(line.substr(tab1 + 1, tab2 - tab1 - 1));
    SetFile(line.c_str() + tab2 + 1);
    numora::State().last_result = 0.0L;
    const long runs = numora::AccuratePhaseRuns();
    const numora::test::Outcome outcome = numora::test::CallOperation(op, 0x037F);
    if (op == nullptr || outcome.kind != numora::test::Outcome::Kind::kNormal) {
      std::puts("!");
      continue;
    }
    if (count) {
      std::puts(numora::AccuratePhaseRuns() != runs ? "1" : "0");
      continue;
    }
    const numora::ExtendedBits bits = numora::BitsOfExtended(numora::State().last_result);
    std::printf("%04X %016llX\n", bits.sign_and_exponent,
                static_cast<unsigned long long>(bits.significand));
  }
  return 0;
}
