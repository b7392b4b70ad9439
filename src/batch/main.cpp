#include <iostream>
#include <string>
#include <vector>

#include "batch/runner.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> words(argv + 1, argv + argc);
  return wrimple::batch::RunBatch(words, std::cin, std::cout, std::cerr);
}
