// Inputs shared by the benchmarks: number texts found in public software, and their values.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "numtext/RealText.h"

namespace numora::bench {

inline const std::vector<std::string>& NumberTexts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> all;
    std::ifstream in(NUMORA_DATA_DIR "/real-world-numbers.txt");
    std::string line;
    long double value;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#') continue;
      if (ParseReal(line, '.', value)) all.push_back(line);
    }
    return all;
  }();
  return texts;
}

inline const std::vector<long double>& Values() {
  static const std::vector<long double> values = [] {
    std::vector<long double> all;
    for (const std::string& text : NumberTexts()) {
      long double v;
      ParseReal(text, '.', v);
      all.push_back(v);
    }
    return all;
  }();
  return values;
}

}  // namespace numora::bench
