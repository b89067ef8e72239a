// IGP, the promotion screen: a class with static state only. It reads its own data file
// (texts, a bitmap font, pictures and product lists: igp_data.cpp), builds its pages and
// links from that file and the application properties (igp_model.cpp), shows the pages and
// answers keys and touch (igp_screen.cpp), and draws with its own font (igp_drawing.cpp).
//
// Invariants:
// - Everything read from the file is checked against the bytes there: a bad header makes
//   the screen unavailable, a bad entry loses its loading step; each logs one line starting
//   "promotion data:". A picture lost with its step is skipped when drawn.
// - The page model (pageLinks, pageValid, pageKinds, the lists) is built once by
//   initialize and only read afterwards; the pictures live from enterIGP to leaving.
// - The shell's pointer handlers call pointerPressedIGP / pointerReleasedIGP (which fill
//   touchAction, action and touchPending) and updatePointerDragged while in the screen's
//   states; update reads and clears them. Game thread only.
#pragma once

#include <cstdint>

#include "runtime/array.h"
#include "runtime/object.h"
#include "runtime/runnable.h"

namespace sorv {

class Canvas;
class Command;
class Font;
class Graphics;
class Image;
class InputStream;
class MIDlet;
class String;

class IGP : public Object, public Runnable {
 public:
  static constexpr ClassId kClassId = kIGP;

  // Action codes of update and updateTouchIGP.
  static constexpr int32_t kActionUp = 21, kActionDown = 32, kActionLeft = 23, kActionRight = 24;
  static constexpr int32_t kActionSelect = 25, kActionBack = 26, kActionBox = 27;
  // Screen states.
  static constexpr int32_t kStateLoading = 0, kStatePage = 1, kStateLeaving = 4;
  static constexpr int32_t kStateOpening = 6, kStateVipPending = 7;
  static constexpr int32_t kLineWidthSlots = 10;

  void run() override;                                      // slot 6: nothing to run
  virtual void commandAction(Object* command, Object* displayable);  // slot 7
  void* getInterface(int32_t classId) override;

  static void clinit();

  // --- data file (igp_data.cpp) ---
  static int32_t dataCursor;
  static int32_t dataOffsetCount;
  static StaticRef<IntArray> dataOffsets;
  static int32_t dataFileSize;  // bytes the file really has, -1 when unknown
  // Set by a reader that would pass its entry's end; the step then loses what it read.
  static bool readFailed;
  static bool openDataIGP();
  static void closeDataIGP();
  static InputStream* getResourceAsStreamIGP(String* name);
  static ByteArray* readDataIGP(int32_t index);
  static int32_t readInt(ByteArray* b);
  static ByteArray* getImageBytes(ByteArray* b);
  static Image* readImage(ByteArray* b);
  static Image* CreateImage(ByteArray* bytes, int32_t offset, int32_t length);
  static ObjectArray* readHeaderList(ByteArray* b);
  static String* readHeaderString(ByteArray* b);
  static String* getString(int32_t id);
  static int32_t getFontMetric(int32_t c, int32_t metric);
  static void loadResources(int32_t step);
  static void unloadResources(bool all);
  // A bad-data line ("promotion data: ..."); always written, unlike IGP.log.
  static void logBadData(const char* what, int32_t value);

  static StaticRef<ObjectArray> texts;
  static StaticRef<ShortArray> textEnds;
  static StaticRef<ObjectArray> fontImages;
  static StaticRef<ByteArray> fontMetrics;
  static int32_t fontMaxCode;
  static int32_t wideMetrics, metricX, metricY, metricWidth, metricHeight;
  static int32_t fontHeight, charSpacing;
  static StaticRef<ObjectArray> uiImages, pageImages, listImages;
  static StaticRef<Image> languageImage, extraImage;
  static int32_t language;
  static StaticRef<ObjectArray> languageCodes, firstListCodes, secondListCodes, thirdListCodes;
  static StaticRef<BoolArray> pageFlags;
  static StaticRef<String> dataVersion, codeVersion;

  // --- set-up, pages and links (igp_model.cpp) ---
  static StaticRef<MIDlet> midlet;
  static StaticRef<Canvas> canvas;
  static StaticRef<IGP> instance;
  static StaticRef<Object> commandListener;
  static bool useCommands;
  static int32_t screenWidth, screenHeight, screenCenterX, screenCenterY, topMargin;
  static int32_t boxTop, boxBottom;
  // promotionSource is the property as read; promotionText its wrapped form (a new wrap
  // from the source on every load, never a wrap of a wrap).
  static StaticRef<String> portalLink, linkTemplate, promotionSource, promotionText, vipLink;
  static bool appendCounters, available, vipLinkReady;
  static int32_t validPageCount, productPageCount, productCount, pageCount;
  static int32_t promoPage, firstListPage, secondListPage, linkPage, extraPage;
  static StaticRef<ObjectArray> pageLinks;
  static StaticRef<BoolArray> pageValid;
  static StaticRef<IntArray> pageKinds;
  static StaticRef<ObjectArray> listLinks, listEntryCodes, listTextIds;
  static StaticRef<IntArray> listLinkCounts, extraPageSteps;
  static int32_t lastLoadStep;
  static int32_t textExtraTitle, textExtraBody, textOk, textBack, textVisit, textVisitProduct;
  static int32_t firstListLastText, secondListLastText;

  static void initialize(MIDlet* midlet, Canvas* canvas, int32_t width, int32_t height,
                         Object* listener);
  static bool IsAvailable();
  static int32_t getPagesCount();
  static int32_t getFirstValidPage();
  static int32_t getPageChunkIndex(int32_t page);
  static bool isZVipAvailable();
  static void MarkIGPsAsVisited();
  static String* getAppProperty(String* key);
  static void log(String* text);
  static bool checkURL(String* link, int32_t flags);
  static String* getRedirLink(String* property, String* key, String* linkTemplate);
  static void readAndParseURLs();
  static void initGenericIndex(ObjectArray* productCodes);
  static void parseSplash(int32_t page, String* code, int32_t flags, String* key, String* linkTemplate);
  static void parseList(int32_t list, ObjectArray* codes, int32_t page, int32_t lastText, String* key);
  static void loadPromotionText();
  static void doPlatformRequest();
  static bool pageIsValid(int32_t page);
  static String* pageLink(int32_t page);

  // --- screen (igp_screen.cpp) ---
  static int32_t state;
  static bool active, vipMode;
  static int32_t loadStep, loadStepCount, currentPage, pageText, action, touchAction;
  static bool touchPending;
  static StaticRef<String> pendingLink, title;
  static bool isListPage;
  static int32_t listIndex, listRowCount, listVisibleRows, listTop, listSelection;
  static int32_t listRowX, listRowWidth, listRowsY, listRowHeight, listUpArrowY, listDownArrowY;
  static bool pageHasLink;
  static int32_t actionText, boxX, boxY, boxWidth, boxHeight;
  static bool leftArrowFlash, rightArrowFlash;
  static int32_t arrowFlashFrames;
  static StaticRef<Font> titleFont;
  static StaticRef<Command> okCommand, backCommand;

  static void enterIGP(String* title, int32_t language);
  static void commonConstruct(String* title, int32_t language);
  static void enterZVIP();
  static bool update(int32_t action);
  static void initPage();
  static void paint(Graphics* g);
  static void drawPage(Graphics* g);
  static void drawList(Graphics* g);
  static void getFlashingBoxRect();
  static void drawFlashingBox(Graphics* g);
  static void drawSoftkeys(Graphics* g);
  static int32_t updateTouchIGP(int32_t x, int32_t y);
  static void pointerPressedIGP(int32_t x, int32_t y);
  static void pointerReleasedIGP(int32_t x, int32_t y);
  static void updatePointerDragged(int32_t x, int32_t y);
  static void setCommandBar(bool left, bool right);
  static void removeCommands();

  // --- drawing (igp_drawing.cpp) ---
  static int32_t currentFont;
  static StaticRef<IntArray> lineWidths;
  static int32_t textBlockWidth, textBlockHeight;
  static bool measureOnly;

  static void drawString(String* text, Graphics* g, int32_t width, int32_t x, int32_t y, int32_t anchor);
  static void drawString(int32_t textId, Graphics* g, int32_t x, int32_t y, int32_t anchor);
  static Image* createFont(ByteArray* data, int32_t offset, int32_t length, int32_t paletteIndex, int32_t colour);
  static void drawGradient(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t from, int32_t to, bool mirrored);
  static void fillAlphaRect(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t argb);
  static void DrawImage(Graphics* g, Image* image, int32_t x, int32_t y, int32_t anchor);
  static void SetClip(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h);
  static void drawArrow(Graphics* g, int32_t x, int32_t y, int32_t size, int32_t colour, bool vertical, bool down);
  static void drawProgressBar(Graphics* g, int32_t y, int32_t width, int32_t step, int32_t steps);
  // Width and height of a picture, 0 for a lost one.
  static int32_t imageWidth(Image* image);
  static int32_t imageHeight(Image* image);
  static Image* imageAt(ObjectArray* images, int32_t index);
};

}  // namespace sorv
