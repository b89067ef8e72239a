#include <initializer_list>

#include "game/cgame.h"
#include "runtime/frames.h"
#include "runtime/lang_system.h"
#include "runtime/static_class.h"
#include "runtime/string.h"
#include "runtime/util_random.h"

namespace sorv {

// Every static of the shell is defined here beside the initialiser, so any code that uses
// one also links the initialiser that gives it its first value.
StaticRef<IntArray> CGame::stateStack;
int32_t CGame::stateTop = 0;
StaticRef<IntArray> CGame::optionValues;
StaticRef<IntArray> CGame::matchSettings;
int32_t CGame::matchMode = 0;
StaticRef<Random> CGame::random;
int32_t CGame::soundCountdown = -1;
int64_t CGame::lastFrameTime = 0;
bool CGame::paused = false;
bool CGame::hidden = false;
bool CGame::inPaint = false;
bool CGame::softKeysRequested = false;
bool CGame::debugMessageOn = false;
bool CGame::loadingDone = false;
int32_t CGame::softLeftState = -1;
int32_t CGame::softRightState = -1;
int32_t CGame::softKeyCounter = 0;
StaticRef<ObjectArray> CGame::padCells;
int32_t CGame::padYOffset = 0;
int32_t CGame::padLastKey = 0;
int32_t CGame::padLastCell = -1;
int32_t CGame::padFlash = 0;
StaticRef<ObjectArray> CGame::nameKeyChars;
int32_t CGame::phoneType = 0;
int32_t CGame::messageBarColour = 0;
StaticRef<StringBuffer> CGame::formatBuffer;
StaticRef<ByteArray> CGame::menuStateList;
StaticRef<ShortArray> CGame::careerLocations;
StaticRef<IntArray> CGame::careerAllLocations;
bool CGame::isCareer = false;
int32_t CGame::careerStyle = 0;
StaticRef<InputStream> CGame::libStream;
int32_t CGame::libOffsetCount = 0;
StaticRef<IntArray> CGame::libOffsets;
StaticRef<ObjectArray> CGame::libEntries;
int32_t CGame::libNextEntry = 0;
StaticRef<ObjectArray> CGame::textPacks;
StaticRef<ObjectArray> CGame::textPackData;
StaticRef<ObjectArray> CGame::textPackAux;
StaticRef<ObjectArray> CGame::homeNames;
StaticRef<IntArray> CGame::homeOrder;
StaticRef<ObjectArray> CGame::rosterNames;
StaticRef<ObjectArray> CGame::styleCaptions;
StaticRef<ObjectArray> CGame::firstNames;
StaticRef<ObjectArray> CGame::lastNames;
StaticRef<ShortArray> CGame::menuIndex;
StaticRef<ByteArray> CGame::menuData;
int32_t CGame::menuCacheId = -1;
StaticRef<IntArray> CGame::menuCache;
StaticRef<ObjectArray> CGame::poolObjects;
StaticRef<ByteArray> CGame::poolStates;
StaticRef<ObjectArray> CGame::pool2Objects;
StaticRef<ByteArray> CGame::pool2States;

namespace {

constexpr int32_t kPadCellCorners[CGame::kPadCells][2] = {
    {5, 200}, {105, 200}, {205, 200}, {5, 300}, {105, 300},
    {205, 300}, {5, 400}, {105, 400}, {205, 400}};

constexpr std::initializer_list<int32_t> kMenuStateList = {6,  7,  8,  9,  14, 15, 17, 18,
                                                           19, 20, 21, 22, 23, 24, 57, 58};
constexpr std::initializer_list<int32_t> kCareerAllLocations = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 23, 24, 25, 26, 27, 28, 13, 14, 15, 16, 17, 18, 19,
    20, 21, 22};
constexpr int32_t kMessageBarColour = 0x331FB7;
constexpr int32_t kFormatBufferCapacity = 16;

// Rows first, each stored in the outer array at once, so a collection during the build
// always finds them through the root that already holds the outer array.
void fillIntRows(ObjectArray* outer, const int32_t* values, int32_t rows, int32_t width) {
  for (int32_t r = 0; r < rows && !isNull(outer) && outer->inBounds(r); r++) {
    IntArray* row = Array::fillInts(Array::newIntArray(width), values + r * width, width);
    outer->elements()[r] = row;
  }
}

}  // namespace

void CGame::clinit() {
  SORV_FRAME("CGame.<clinit>()V");
  fillSpriteHooks();
  // Scalars first: a new runtime (the tests start many) begins from the same values.
  stateTop = 0;
  soundCountdown = -1;
  lastFrameTime = 0;
  paused = hidden = inPaint = softKeysRequested = debugMessageOn = loadingDone = false;
  softLeftState = softRightState = -1;
  softKeyCounter = 0;
  padYOffset = padLastKey = padFlash = 0;
  padLastCell = -1;
  phoneType = 0;
  isCareer = false;
  careerStyle = 0;
  language = 0;
  libOffsetCount = libNextEntry = 0;
  menuCacheId = -1;
  messageBarColour = kMessageBarColour;

  stateStack = Array::newIntArray(kStateStackSize);
  optionValues = Array::newIntArray(2);  // sound stays off until the saved options are read
  matchSettings = Array::newIntArray(5);
  matchMode = 0;
  poolObjects = Array::newObjectArray(0, kPoolSize);
  poolStates = Array::newByteArray(kPoolSize);
  pool2Objects = Array::newObjectArray(0, kPoolSize);
  pool2States = Array::newByteArray(kPoolSize);
  random = Random::create(Random::initialSeed(System::currentTimeMillis()));

  padCells = Array::newObjectArray(0, kPadCells);
  fillIntRows(padCells, &kPadCellCorners[0][0], kPadCells, 2);
  nameKeyChars = Array::newObjectArray(0, kNameKeys);
  for (int32_t k = 0; k < kNameKeys && !isNull(nameKeyChars.get()); k++) {
    CharArray* key = Array::newCharArray(1);
    if (!isNull(key)) key->elements()[0] = k < 26 ? static_cast<char16_t>(u'A' + k) : u'-';
    nameKeyChars->elements()[k] = key;
  }

  formatBuffer = StringBuffer::create(kFormatBufferCapacity);
  menuStateList = Array::fillBytes(Array::newByteArray(16), kMenuStateList);
  careerAllLocations = Array::fillInts(Array::newIntArray(29), kCareerAllLocations);

  textPacks = Array::newObjectArray(0, kTextPackSlots);
  textPackData = Array::newObjectArray(0, kTextPackSlots);
  textPackAux = Array::newObjectArray(0, kTextPackSlots);
}

SORV_STATIC_INIT(kCGame, CGame::clinit);

}  // namespace sorv
