// Writes a one-level process document of N unplaced stations, linked as the
// organiser benchmarks' random level of N nodes (seed 42):
//   PexOneLevelDocument 10000 level_10k.xml
#include <cstdlib>
#include <iostream>
#include <string>

#include "MoxPFVBenchDocument.h"

int main(int argc, char** argv) {
  const int size = argc == 3 ? std::atoi(argv[1]) : 0;
  if (size < 1) {
    std::cerr << "usage: PexOneLevelDocument ACTIVITIES OUTPUT.xml\n";
    return 2;
  }
  std::string error;
  if (!MoxPFVWriteOneLevelDocument(size, argv[2], error)) {
    std::cerr << "PexOneLevelDocument: " << error << "\n";
    return 1;
  }
  return 0;
}
