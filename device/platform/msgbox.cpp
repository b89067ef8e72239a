#include "device/platform/msgbox.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "device/platform/trace.h"

namespace sorv::platform {
namespace {

enum class Answer { Yes, No, Fail };

Answer configuredAnswer() {
  const char* v = std::getenv("SORV_MSGBOX_ANSWER");
  if (v == nullptr) return Answer::Fail;
  if (std::strcmp(v, "yes") == 0) return Answer::Yes;
  if (std::strcmp(v, "no") == 0) return Answer::No;
  return Answer::Fail;
}

int32_t buttonFor(Answer answer, uint32_t style) {
  if (answer == Answer::Fail) return kMsgBoxFailed;
  bool yes = answer == Answer::Yes;
  switch (style & 0xF) {
    case kMbYesNo:
    case kMbYesNoCancel:
      return yes ? kIdYes : kIdNo;
    case kMbOkCancel:
      return yes ? kIdOk : kIdCancel;
    default:
      return kIdOk;  // the only button there is
  }
}

// Keeps the trace one line per box.
std::string quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

int32_t messageBox(const std::string& text, const std::string& caption, uint32_t style) {
  int32_t result = buttonFor(configuredAnswer(), style);
  char tail[48];
  std::snprintf(tail, sizeof tail, " style=0x%X result=%d", style, result);
  traceEvent("msgbox caption=" + quoted(caption) + " text=" + quoted(text) + tail);
  // Nobody sees a box on the host: whoever started the program reads it here.
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  return result;
}

}  // namespace sorv::platform
