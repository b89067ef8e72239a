// The message box (the stand-in for MessageBoxW): nobody sits at the host to answer, so the
// answer comes from SORV_MSGBOX_ANSWER: "yes", "no" or "fail" (the default; also any other
// value). "yes" presses Yes, or OK on a box without Yes; "no" presses No, or Cancel, or OK
// on a box with OK alone; "fail" makes the box fail as if it could not be shown.
// Every box is written to the trace: "msgbox caption=\"...\" text=\"...\" style=0x.. result=N",
// and its caption and text to the standard error, where a person starting the program reads it.
#pragma once

#include <cstdint>
#include <string>

namespace sorv::platform {

// Button sets (low four bits of the style) and icons.
inline constexpr uint32_t kMbOk = 0x0;
inline constexpr uint32_t kMbOkCancel = 0x1;
inline constexpr uint32_t kMbYesNoCancel = 0x3;
inline constexpr uint32_t kMbYesNo = 0x4;
inline constexpr uint32_t kMbIconQuestion = 0x20;
inline constexpr uint32_t kMbIconExclamation = 0x30;

// Results: the button pressed, or kMsgBoxFailed.
inline constexpr int32_t kMsgBoxFailed = 0;
inline constexpr int32_t kIdOk = 1;
inline constexpr int32_t kIdCancel = 2;
inline constexpr int32_t kIdYes = 6;
inline constexpr int32_t kIdNo = 7;

// Shows a box with UTF-8 text and caption and returns the button pressed.
int32_t messageBox(const std::string& text, const std::string& caption, uint32_t style);

}  // namespace sorv::platform
