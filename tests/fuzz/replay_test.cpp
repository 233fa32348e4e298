// Every fuzz target run over its seed corpus and over the inputs of past findings
// (fuzz/corpus/<target>, fuzz/regressions/<target>), as part of the ordinary suite. A
// broken check stops the process and names the input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzTarget.h"

namespace {

namespace fs = std::filesystem;

const char* const kTargetNames[] = {"scanner",  "highlight", "load_save",
                                    "commands", "encoding",  "codepage"};

std::vector<fs::path> InputsOf(const std::string& target) {
  std::vector<fs::path> inputs;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path dir = fs::path(FUZZ_INPUTS) / kind / target;
    if (!fs::is_directory(dir)) continue;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir))
      if (entry.is_regular_file()) inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

class FuzzReplay : public ::testing::TestWithParam<const char*> {};

TEST_P(FuzzReplay, SeedsAndPastFindingsPassTheTargetsChecks) {
  const std::string name = GetParam();
  ASSERT_EQ(fuzz::Targets().count(name), 1u);
  const std::vector<fs::path> inputs = InputsOf(name);
  EXPECT_FALSE(inputs.empty()) << "no seed inputs for " << name;
  for (const fs::path& input : inputs) {
    std::fprintf(stderr, "replaying %s\n", input.string().c_str());
    const std::string bytes = ReadAll(input);
    fuzz::Targets().at(name)(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(kTargetNames));

TEST(FuzzReplayTargets, EveryTargetIsReplayed) {
  EXPECT_EQ(fuzz::Targets().size(), std::size(kTargetNames));
}

}  // namespace
