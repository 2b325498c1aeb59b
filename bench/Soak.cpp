// 10 million mixed calls through the public entry points; resident memory must stay flat.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "numora/numora.h"
#include "numora/numora.hpp"

namespace {

long ResidentKilobytes() {
  long pages = 0, resident = 0;
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (f == nullptr) return -1;
  if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = -1;
  std::fclose(f);
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct Step {
  void (*op)();
  const char* operand;
};

const Step kSteps[] = {
    {Get_Sqrt, "2"},         {Get_Sin, "1.5"},
    {Get_Power, "2,10"},     {Get_Sqrt, "abc"},
    {Dec_To_Hex, "255"},     {Hex_To_Bin, "DEADBEEF"},
    {Bin_To_Oct, "1011011"}, {Oct_To_Dec, "777"},
    {Get_And, "12,10"},      {Get_Not, "12a"},
    {Get_LogN, "2,8"},       {Get_RoundTo, "1234.5678,-2"},
    {Oct_To_Hex, "8"},       {Get_ShR, "5,1"},
    {Get_ATanH, "1"},        {Set_Angle_Measurement, "DEG"},
    {Get_Cos, "60"},         {Set_Angle_Measurement, "RAD"},
};

}  // namespace

int main(int argc, char** argv) {
  const long calls = argc > 1 ? std::atol(argv[1]) : 10000000;
  const std::size_t steps = sizeof kSteps / sizeof kSteps[0];
  long errors = 0, warm = 0;
  for (long i = 0; i < calls; ++i) {
    const Step& step = kSteps[static_cast<std::size_t>(i) % steps];
    SetFile(step.operand);
    try {
      step.op();
    } catch (const numora::Exception&) {
      ++errors;
    }
    if (i == calls / 10) warm = ResidentKilobytes();
  }
  const long end = ResidentKilobytes();
  std::printf("calls %ld, errors %ld, resident after warm-up %ld kB, at end %ld kB\n", calls,
              errors, warm, end);
  return end > warm + 1024 ? 1 : 0;  // flat: not more than 1 MB of growth
}
