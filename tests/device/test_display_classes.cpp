#include <gtest/gtest.h>

#include "device/command.h"
#include "device/display.h"
#include "device/font.h"
#include "runtime/collector.h"
#include "runtime/string.h"
#include "runtime/throwable.h"
#include "tests/support/runtime_fixture.h"

namespace sorv {
namespace {

using test::RuntimeTest;

class DisplayClasses : public RuntimeTest {};

TEST_F(DisplayClasses, FontsWithTheSameOrOfFaceStyleAndSizeAreShared) {
  Font* a = Font::getFont(0, 1, 8);
  Font* b = Font::getFont(1, 0, 8);
  Font* c = Font::getFont(0, 0, 8);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  EXPECT_EQ(a->getSize(), 8);
  EXPECT_EQ(a->getHeight(), 12);
  EXPECT_EQ(a->face, 0);
  EXPECT_EQ(a->style, 1);
  // The cache keeps them through collections.
  test::clobberStack();
  app_->objectManager->gc(0);
  EXPECT_EQ(Font::getFont(0, 0, 8), c);
  EXPECT_EQ(Font::getFont(1, 0, 8), a);
}

TEST_F(DisplayClasses, CommandChecksItsLabelAndType) {
  String* label = String::fromCString("Back");
  const struct {
    String* label;
    int32_t type;
    int32_t exception;
  } cases[] = {{label, 1, -1}, {label, 8, -1}, {label, 9, kIllegalArgumentException},
               {label, 0, kIllegalArgumentException}, {label, -1, kIllegalArgumentException},
               {nullptr, 2, kNullPointerException}};
  for (const auto& c : cases) {
    auto* command = newObject<Command>();
    command->init(c.label, c.type, 3);
    EXPECT_EQ(takeException(), c.exception) << c.type;
    if (c.exception == -1) {
      EXPECT_EQ(command->label, label);
      EXPECT_EQ(command->longLabel, nullptr);
      EXPECT_EQ(command->commandType, c.type);
      EXPECT_EQ(command->priority, 3);
    } else {
      EXPECT_EQ(command->commandType, 0);
    }
  }
}

TEST_F(DisplayClasses, EveryGetDisplayIsNewAndAllSetTheOneCurrentDisplayable) {
  Display* a = Display::getDisplay(nullptr);
  Display* b = Display::getDisplay(nullptr);
  ASSERT_NE(a, nullptr);
  EXPECT_NE(a, b);
  auto* font = Font::getFont(0, 0, 0);  // any object will do as the current one
  a->setCurrent(font);
  EXPECT_EQ(app_->currentDisplayable, font);
  b->setCurrent(nullptr);
  EXPECT_EQ(app_->currentDisplayable, nullptr);
}

}  // namespace
}  // namespace sorv
