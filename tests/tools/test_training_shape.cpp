// An independent check of the training levels in every language's data set: its own reader
// of data.bar, of the constant strings and of the training pack (nothing of the data builder
// or of training/), written from the pack's layout. Every record of every game lies inside
// its entry and keeps the level rules (counts, rectangles, weights adding up to 100, ring
// maths, objects that fit the object list and the pool), plays on the court (boards,
// barriers, tanks and checkpoints in the far half, the machine on the far baseline aiming
// into the near half, bonuses and the circle in the near half), gets harder level by level,
// and every game's tutorial gives its page count.
#include <gtest/gtest.h>
#include <strings.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int32_t kFarBaseline = 6355, kNearBaseline = 30185, kNet = 18300;
constexpr int32_t kLeftLine = 3660, kRightLine = 14510;
constexpr int32_t kNetAccuracyReach = 22800;
constexpr int32_t kObjectList = 12, kFlightFrames = 56;
constexpr int32_t kPages[5] = {4, 3, 3, 4, 3};
const char* const kLanguages[] = {"EN", "FR", "IT", "DE", "ES", "PT", "NL", "PL", "CS", "TR", "RU"};

int32_t be16(const Bytes& b, size_t at) { return static_cast<int16_t>(b.at(at) << 8 | b.at(at + 1)); }
int32_t be32(const Bytes& b, size_t at) {
  return static_cast<int32_t>(uint32_t{b.at(at)} << 24 | uint32_t{b.at(at + 1)} << 16 | uint32_t{b.at(at + 2)} << 8 | b.at(at + 3));
}
int32_t le32(const Bytes& b, size_t at) {
  return static_cast<int32_t>(b.at(at) | uint32_t{b.at(at + 1)} << 8 | uint32_t{b.at(at + 2)} << 16 | uint32_t{b.at(at + 3)} << 24);
}

// The archive's entry of the name (ASCII case ignored).
Bytes archiveEntry(const Bytes& bar, const std::string& name) {
  const int32_t count = be16(bar, 0);
  size_t p = 2;
  for (int32_t i = 0; i < count; i++) {
    const size_t length = static_cast<uint16_t>(be16(bar, p));
    const std::string entry(bar.begin() + static_cast<long>(p + 2), bar.begin() + static_cast<long>(p + 2 + length));
    const int32_t offset = be32(bar, p + 2 + length), size = be32(bar, p + 6 + length);
    p += 10 + length;
    if (strcasecmp(entry.c_str(), name.c_str()) == 0) return Bytes(bar.begin() + offset, bar.begin() + offset + size);
  }
  return {};
}

std::string constantString(const Bytes& table, int32_t n) {
  size_t p = 4;
  for (int32_t i = 0; i < n; i++) p += 2 + static_cast<uint16_t>(be16(table, p));
  const size_t length = static_cast<uint16_t>(be16(table, p));
  return std::string(table.begin() + static_cast<long>(p + 2), table.begin() + static_cast<long>(p + 2 + length));
}

std::vector<Bytes> packEntries(const Bytes& pack) {
  const int32_t offsets = pack.at(0) | pack.at(1) << 8;
  const size_t base = 2 + 4 * static_cast<size_t>(offsets);
  std::vector<Bytes> out;
  for (int32_t i = 0; i + 1 < offsets; i++) {
    const size_t from = base + static_cast<size_t>(le32(pack, 2 + 4 * i)), to = base + static_cast<size_t>(le32(pack, 6 + 4 * i));
    EXPECT_LE(from, to);
    EXPECT_LE(to, pack.size());
    out.emplace_back(pack.begin() + static_cast<long>(from), pack.begin() + static_cast<long>(to));
  }
  return out;
}

// A record read unit by unit; every read outside the entry is a failure.
struct Record {
  const Bytes& data;
  size_t at;
  std::string where;
  bool inside = true;
  int32_t next() {
    if (2 * at + 2 > data.size()) {
      inside = false;
      ADD_FAILURE() << where << ": read past the entry at unit " << at;
      at++;
      return 0;
    }
    const int32_t v = static_cast<int16_t>(data[2 * at] | data[2 * at + 1] << 8);
    at++;
    return v;
  }
  std::vector<int32_t> take(int32_t n) {
    std::vector<int32_t> v;
    for (int32_t i = 0; i < n && inside; i++) v.push_back(next());
    return v;
  }
  int32_t count(const char* what) {
    const int32_t n = next();
    EXPECT_GE(n, 1) << where << ": " << what;
    return n < 1 ? 0 : n;
  }
};

bool onCourtX(int32_t x) { return x >= kLeftLine && x <= kRightLine; }
bool farHalf(int32_t z) { return z >= kFarBaseline && z < kNet; }
bool nearHalf(int32_t z, int32_t reach = kNearBaseline) { return z > kNet && z <= reach; }

// A weighted table: weights not negative and adding up to 100, rectangles the right way
// round, on the court and in the half given; the rows of positive weight.
int32_t weightedRows(Record& r, int32_t rows, int32_t reach, const std::string& what) {
  int32_t sum = 0, positive = 0;
  for (int32_t i = 0; i < rows; i++) {
    const std::vector<int32_t> row = r.take(5);
    if (row.size() < 5) return positive;
    EXPECT_GE(row[0], 0) << r.where << " " << what;
    EXPECT_LE(row[1], row[3]) << r.where << " " << what;
    EXPECT_LE(row[2], row[4]) << r.where << " " << what;
    EXPECT_TRUE(onCourtX(row[1]) && onCourtX(row[3])) << r.where << " " << what;
    EXPECT_TRUE(nearHalf(row[2], reach) && nearHalf(row[4], reach)) << r.where << " " << what << " " << row[2] << ".." << row[4];
    sum += row[0];
    positive += row[0] > 0 ? 1 : 0;
  }
  EXPECT_EQ(sum, 100) << r.where << " " << what;
  return positive;
}

// The ball machine on the far baseline, launching no quicker than the free slots allow.
void machine(Record& r, int32_t fixedObjects, int32_t reach) {
  const std::vector<int32_t> m = r.take(6);
  if (m.size() < 6) return;
  const int32_t frames = m[0] * 7 / 1000;
  EXPECT_GE(frames, 1) << r.where;
  if (frames >= 1) EXPECT_LE(kFlightFrames / frames + 1, kObjectList - 1 - fixedObjects) << r.where;
  EXPECT_GE(m[1], 1) << r.where;
  EXPECT_LE(m[1], m[2]) << r.where;
  EXPECT_TRUE(onCourtX(m[3])) << r.where;
  EXPECT_EQ(m[5], kFarBaseline) << r.where;
  weightedRows(r, r.count("aim rows"), reach, "aim");
}

// Every game's record of a level; the level's measure of difficulty.
int32_t serve(Record& r) {
  const int32_t goal = r.next(), balls = r.count("balls");
  r.take(3);
  const int32_t radius = r.next(), rings = r.count("rings");
  EXPECT_LE(rings, 58) << r.where;
  EXPECT_GE(radius, rings) << r.where;
  r.take(rings);
  EXPECT_GT(r.next(), 0) << r.where << " barrier height";
  EXPECT_GT(r.next(), 0) << r.where << " barrier width";
  const int32_t rows = r.count("target rows");
  EXPECT_GE(rows, balls + 1) << r.where << ": a row for every board hit";
  for (int32_t i = 0; i < 2 * rows && r.inside; i++) {
    const std::vector<int32_t> row = r.take(6);
    if (row.size() < 6) break;
    for (int32_t k : {0, 2}) EXPECT_TRUE(onCourtX(row[static_cast<size_t>(k)])) << r.where << " row " << i;
    for (int32_t k : {1, 3}) EXPECT_TRUE(farHalf(row[static_cast<size_t>(k)])) << r.where << " row " << i;
    EXPECT_TRUE(row[5] == 0 || row[5] == 1) << r.where;
  }
  return goal;
}

int32_t power(Record& r) {
  const int32_t tanks = r.count("tanks");
  r.take(6);
  for (int32_t x : r.take(3)) EXPECT_TRUE(onCourtX(x)) << r.where << " slot";
  machine(r, 3, kNearBaseline);
  EXPECT_GT(r.next(), 0) << r.where;
  EXPECT_GT(r.next(), 0) << r.where;
  const int32_t lanes = r.count("lanes");
  EXPECT_LE(lanes, 3) << r.where;
  for (int32_t i = 0; i < lanes && r.inside; i++) {
    const std::vector<int32_t> lane = r.take(2);
    if (lane.size() < 2) break;
    EXPECT_TRUE(farHalf(lane[0])) << r.where;
    EXPECT_GT(lane[1], 0) << r.where;
  }
  return tanks;
}

int32_t accuracy(Record& r, int32_t reach) {
  const int32_t goal = r.next();
  r.count("balls");
  r.next();
  machine(r, 1, reach);
  r.next();
  const int32_t rows = r.count("checkpoints");
  for (int32_t i = 0; i < rows && r.inside; i++) {
    const std::vector<int32_t> c = r.take(7);
    if (c.size() < 7) break;
    EXPECT_TRUE(onCourtX(c[0]) && onCourtX(c[0] + c[2])) << r.where;
    EXPECT_TRUE(farHalf(c[1]) && farHalf(c[1] + c[3])) << r.where;
    EXPECT_GT(c[2], 0);
    EXPECT_GT(c[3], 0);
    EXPECT_TRUE(c[4] >= 0 && c[4] < 4 && c[5] >= 0 && c[5] < 4) << r.where << " a frame and animation of the checkpoint sprite";
  }
  return goal;
}

int32_t step(Record& r) {
  r.take(3);
  const std::vector<int32_t> shape = r.take(5);
  const std::vector<int32_t> open = r.take(3), closed = r.take(3);
  EXPECT_NE(open, closed) << r.where << ": the circle's colours differ";
  const std::vector<int32_t> circle = r.take(6);
  if (circle.size() == 6) EXPECT_TRUE(onCourtX(circle[0]) && nearHalf(circle[2])) << r.where;
  const int32_t stages = r.count("stages");
  int32_t bonuses = 0;
  for (int32_t s = 0; s < stages && r.inside; s++) {
    EXPECT_GE(r.next() * 7 / 1000, 1) << r.where << " stage time";
    const int32_t n = r.next();
    EXPECT_TRUE(n >= 1 && n <= 10) << r.where;
    EXPECT_LE(n, weightedRows(r, r.count("spot rows"), kNearBaseline, "spot")) << r.where;
    bonuses += n;
  }
  return bonuses;
}

class TrainingShapeTest : public ::testing::Test {
 protected:
  static Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(TrainingShapeTest, EveryLanguagesLevelsKeepTheLayoutAndTheRules) {
  const std::string dir = std::filesystem::temp_directory_path() / ("sorv-shape-" + std::to_string(getpid()));
  for (const char* code : kLanguages) {
    SCOPED_TRACE(code);
    std::filesystem::remove_all(dir);
    const std::string cmd = std::string("'") + SORV_BUILD_DIR + "/tools/mkdata' --out '" + dir + "' --language " + code + " > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const Bytes bar = readFile(dir + "/data.bar");
    const Bytes constants = archiveEntry(bar, "constants.bin");
    ASSERT_FALSE(constants.empty());
    const Bytes pack = archiveEntry(bar, constantString(constants, 96));
    ASSERT_FALSE(pack.empty());
    const std::vector<Bytes> entries = packEntries(pack);
    ASSERT_EQ(entries.size(), 22u);
    for (int32_t game = 0; game < 5; game++) {
      const Bytes& data = entries[static_cast<size_t>(2 + 2 * game)];
      const Bytes& index = entries[static_cast<size_t>(3 + 2 * game)];
      ASSERT_GE(index.size(), 10u) << game;
      int32_t previous = -1;
      size_t end = 0;
      for (int32_t level = 0; level < 5; level++) {
        const int32_t q = static_cast<int16_t>(index[2 * level] | index[2 * level + 1] << 8);
        ASSERT_GE(q, 0);
        EXPECT_GE(static_cast<size_t>(q), end) << "records do not overlap";
        Record r{data, static_cast<size_t>(q), std::string(code) + " game " + std::to_string(game) + " level " + std::to_string(level)};
        int32_t measure = 0;
        switch (game) {
          case 0: measure = serve(r); break;
          case 1: measure = power(r); break;
          case 3: measure = step(r); break;
          default: measure = accuracy(r, game == 4 ? kNetAccuracyReach : kNearBaseline); break;
        }
        EXPECT_TRUE(r.inside) << r.where;
        EXPECT_GT(measure, previous) << r.where << ": harder than the level before";
        previous = measure;
        end = r.at;
      }
      EXPECT_EQ(end * 2, data.size()) << game << ": the last record ends the entry";
      const Bytes& tutorialData = entries[static_cast<size_t>(12 + 2 * game)];
      const Bytes& tutorialIndex = entries[static_cast<size_t>(13 + 2 * game)];
      ASSERT_GE(tutorialIndex.size(), 2u);
      const size_t at = static_cast<size_t>(static_cast<int16_t>(tutorialIndex[0] | tutorialIndex[1] << 8));
      ASSERT_LE(2 * at + 2, tutorialData.size());
      EXPECT_EQ(static_cast<int16_t>(tutorialData[2 * at] | tutorialData[2 * at + 1] << 8), kPages[game]);
    }
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
