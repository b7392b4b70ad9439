#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "special_effects_fixture.h"
#include "support/script_session.h"

namespace wrimple::batch {
namespace {

// A runner session with a patterned 64 x 48 target and one source counted, the
// generator seeded as after the initial update that follows a new source.
class SpecialEffectsScript : public ::testing::Test {
 protected:
  explicit SpecialEffectsScript(std::uint32_t seed = 77) {
    options.seed = seed;
  }
  // A session on the prepared target.
  std::unique_ptr<testing::ScriptSession> Prepared() const {
    auto s = std::make_unique<testing::ScriptSession>(options);
    s->state().SetTargetSize(64, 48);
    s->state().SourceCount = 1;
    testing::FillPhotoLike(s->state().Target(), 4);
    s->session().random.SeedFromClock();
    return s;
  }
  std::vector<std::uint8_t> PictureAfter(const std::string& script, bool& ran) const {
    const auto s = Prepared();
    ran = s->Run(script);
    return testing::PixelsOf(s->state().Target());
  }

  Options options;
};

struct ScriptCase {
  const char* name;
  const char* script;
};
class SeededScript : public SpecialEffectsScript, public ::testing::WithParamInterface<ScriptCase> {};

TEST_P(SeededScript, GivesTheSamePictureOnEveryRun) {
  bool first_ran = false, second_ran = false;
  const auto first = PictureAfter(GetParam().script, first_ran);
  const auto second = PictureAfter(GetParam().script, second_ran);
  ASSERT_TRUE(first_ran);
  ASSERT_TRUE(second_ran);
  EXPECT_EQ(first, second);
  EXPECT_NE(first, testing::PixelsOf(Prepared()->state().Target())) << "the script changes the target";
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, SeededScript,
    ::testing::Values(ScriptCase{"Effects1", "effects1 3 2 1 4 5\n"},
                      ScriptCase{"PencilDraw", "pencil-draw\n"},
                      ScriptCase{"Effects2", "effects2 12 40\n"},
                      ScriptCase{"Effects3", "effects3 4\n"},
                      ScriptCase{"Dapple", "dapple 7\n"},
                      ScriptCase{"AllInARow", "effects1 1 1 1 1 1\npencil-draw\neffects2 5 5\ndapple 3\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SpecialEffectsScript, AnotherSeedGivesAnotherPencilPicture) {
  bool ran = false;
  const auto seeded = PictureAfter("pencil-draw\n", ran);
  options.seed = 78;
  EXPECT_NE(PictureAfter("pencil-draw\n", ran), seeded);
}

TEST_F(SpecialEffectsScript, RefusedFieldFailsAndLeavesTheTarget) {
  const auto s = Prepared();
  const auto before = testing::PixelsOf(s->state().Target());
  EXPECT_FALSE(s->Run("effects2 0 10\n"));
  EXPECT_NE(s->err().find("wrimple: error: Enter an integer between 1 and 100.\n"), std::string::npos);
  EXPECT_EQ(testing::PixelsOf(s->state().Target()), before);
  EXPECT_FALSE(s->Run("dapple 11\n"));
  EXPECT_EQ(testing::PixelsOf(s->state().Target()), before) << "the runner cancels the dialog";
}

TEST_F(SpecialEffectsScript, EffectsOneRunsOneRoundOfDraws) {
  const auto s = Prepared();
  RandomGenerator expected([] { return 0u; });
  expected.Srand(77);
  for (int i = 0; i < 2 * 63 * 47; ++i) expected.Rand();
  ASSERT_TRUE(s->Run("effects1 0 0 0 0 0\n"));
  EXPECT_EQ(s->session().random.Rand(), expected.Rand());
}

struct RunnerCase {
  const char* name;
  const char* script;
  int status;
  const char* err;
};
class SpecialEffectsRunner : public ::testing::TestWithParam<RunnerCase> {};

TEST_P(SpecialEffectsRunner, ChecksArgumentsAndEnabling) {
  std::istringstream in(GetParam().script);
  std::ostringstream out, err;
  EXPECT_EQ(RunBatch({"--seed", "1", "-"}, in, out, err), GetParam().status);
  EXPECT_NE(err.str().find(GetParam().err), std::string::npos) << err.str();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SpecialEffectsRunner,
    ::testing::Values(
        RunnerCase{"SpinOutOfRange", "effects1 0 0 8 0 0\n", kExitScriptError, "-:1: TEAR must be in 0..7"},
        RunnerCase{"MissingSpin", "effects1 0 0 0 0\n", kExitScriptError, "-:1: effects1 needs more arguments"},
        RunnerCase{"FieldNotAnInteger", "effects2 ten 10\n", kExitScriptError, "-:1: AMPLITUDE must be an integer"},
        RunnerCase{"DisabledWithoutSource", "pencil-draw\n", kExitCommandFailed,
                   "wrimple: error: pencil-draw is not available now"},
        RunnerCase{"DappleDisabled", "dapple 5\n", kExitCommandFailed, "wrimple: error: dapple is not available now"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wrimple::batch

namespace wrimple::batch {
namespace {

// A 24-bit uncompressed TGA file of w x h with a smooth pattern, rows bottom
// first.
void WriteTga(const std::string& path, int w, int h) {
  std::vector<std::uint8_t> bytes(18, 0);
  bytes[2] = 2;
  bytes[12] = std::uint8_t(w), bytes[13] = std::uint8_t(w >> 8);
  bytes[14] = std::uint8_t(h), bytes[15] = std::uint8_t(h >> 8);
  bytes[16] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      bytes.push_back(std::uint8_t(60 + x * 2 + (x * y) % 7));
      bytes.push_back(std::uint8_t(40 + y * 3 + (x + y) % 5));
      bytes.push_back(std::uint8_t(x + y));
    }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class SeededRunnerScript : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("wrimple_special_effects_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    WriteTga((folder / "in.tga").string(), 120, 100);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  // The picture the script saves, or empty when the run failed.
  std::string Run(const std::string& seed, const std::string& out) {
    const std::string script = "target-size 120 100\nopen " + (folder / "in.tga").string() +
                               "\neffects1 3 2 1 4 5\npencil-draw\neffects2 12 40\neffects3 3\n"
                               "dapple 7\nsave-as " + (folder / out).string() + " filter=5\n";
    std::istringstream in(script);
    std::ostringstream stdout_text, stderr_text;
    const int status = RunBatch({"--seed", seed, "-"}, in, stdout_text, stderr_text);
    EXPECT_EQ(status, kExitOk) << stderr_text.str();
    return ReadFile((folder / out).string());
  }

  std::filesystem::path folder;
};

TEST_F(SeededRunnerScript, SameSeedSamePictureOtherSeedOtherPicture) {
  const std::string first = Run("5", "a.tga");
  ASSERT_GE(first.size(), 18u + 120u * 100u * 3u);
  EXPECT_EQ(Run("5", "b.tga"), first);
  EXPECT_NE(Run("6", "c.tga"), first);
}

}  // namespace
}  // namespace wrimple::batch
