// The message box answered from SORV_MSGBOX_ANSWER, and its line in the trace.
#include <gtest/gtest.h>

#include "device/platform/msgbox.h"
#include "tests/support/temp_root.h"

namespace sorv::platform {
namespace {

TEST(MessageBox, AnswerPressesTheButtonTheBoxHas) {
  struct Case {
    const char* answer;  // nullptr: unset
    uint32_t style;
    int32_t result;
  };
  const Case cases[] = {
      {"yes", kMbYesNo | kMbIconQuestion, kIdYes}, {"no", kMbYesNo, kIdNo},
      {"yes", kMbYesNoCancel, kIdYes},             {"no", kMbOkCancel, kIdCancel},
      {"yes", kMbOk | kMbIconExclamation, kIdOk},  {"no", kMbOk, kIdOk},
      {"fail", kMbYesNo, kMsgBoxFailed},           {nullptr, kMbYesNo, kMsgBoxFailed},
      {"YES", kMbYesNo, kMsgBoxFailed},
  };
  for (const Case& c : cases) {
    test::TempRoot root;
    ASSERT_TRUE(root.active());
    if (c.answer != nullptr) setenv("SORV_MSGBOX_ANSWER", c.answer, 1);
    EXPECT_EQ(messageBox("Quit?\n\"Really\"", "Sorvantel 2009", c.style), c.result)
        << (c.answer ? c.answer : "unset") << " style " << c.style;
    char tail[48];
    std::snprintf(tail, sizeof tail, " style=0x%X result=%d", c.style, c.result);
    EXPECT_EQ(root.traceLines(), (std::vector<std::string>{
                                     "msgbox caption=\"Sorvantel 2009\" text=\"Quit?\\n\\\"Really\\\"\"" +
                                     std::string(tail)}));
  }
}

}  // namespace
}  // namespace sorv::platform
