// Writes docs/keys.md, the user's list of every key (app/KeyReference.h).
//   keys_doc             prints the list
//   keys_doc --check F   fails when F is not what it prints
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "app/KeyReference.h"

namespace {

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(std::string("cannot read ") + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string document = KeyReference();
    if (argc == 3 && std::string(argv[1]) == "--check") {
      if (ReadFile(argv[2]) == document) return 0;
      std::cerr << argv[2] << " does not match the key map: run make keys\n";
      return 1;
    }
    if (argc != 1) {
      std::cerr << "usage: keys_doc [--check FILE]\n";
      return 2;
    }
    std::cout << document;
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "keys_doc: " << e.what() << "\n";
    return 1;
  }
}
