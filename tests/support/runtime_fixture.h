// Test support: a fresh managed runtime per test, and a capture of the log lines.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/application.h"
#include "runtime/log.h"
#include "runtime/string.h"
#include "runtime/throwable.h"

namespace sorv::test {

// Collects what Debug::trace writes while it lives.
class LogCapture {
 public:
  LogCapture() : file_(std::tmpfile()) { Debug::setSink(file_); }
  ~LogCapture() {
    Debug::setSink(nullptr);
    std::fclose(file_);
  }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::string text() const {
    std::fflush(file_);
    std::string out;
    std::rewind(file_);
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file_)) > 0) out.append(chunk, n);
    return out;
  }
  bool contains(const std::string& needle) const { return text().find(needle) != std::string::npos; }
  void clear() {
    std::fflush(file_);
    Debug::setSink(nullptr);
    std::fclose(file_);
    file_ = std::tmpfile();
    Debug::setSink(file_);
  }

 private:
  std::FILE* file_;
};

// Zeroes the dead stack below the caller, so the conservative scan finds no stale word of
// an earlier helper's frame. Every slot of a later frame at the same depth is overwritten,
// redzones included, which a local array would not do. Only what lies below the stack
// pointer is dead: this function's own saved registers sit between it and the frame
// address, and clearing those handed the caller a null `this` under -O3 with ASan. The
// whole store is one asm block working in registers, so no level of optimisation keeps
// anything it needs in the area being cleared.
[[gnu::noinline]] __attribute__((no_sanitize_address)) inline void clobberStack() {
  constexpr size_t kBytes = 64 * 1024;
#if defined(__x86_64__)
  asm volatile(
      "mov %%rsp, %%rdi\n\t"
      "sub %[bytes], %%rdi\n\t"
      "mov %[bytes], %%rcx\n\t"
      "xor %%eax, %%eax\n\t"
      "rep stosb"
      :
      : [bytes] "i"(kBytes)
      : "rax", "rcx", "rdi", "cc", "memory");
#else
#error "clobberStack needs the stack pointer of this architecture"
#endif
}

// A started runtime (heaps, collector, class table) for each test; closed afterwards.
class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = new Application();
    Application::init(app_);
  }
  // The pending exception's class id and message, cleared; -1 when none is pending.
  int32_t takeException(std::string* message = nullptr) {
    Throwable* t = Application::pendingException();
    if (t == nullptr) return -1;
    app_->m_pendingException = nullptr;
    if (message != nullptr) *message = String::toUtf8(t->message);
    return t->classId;
  }

  void TearDown() override {
    Application::close(app_);
    delete app_;
    Application::setInstance(nullptr);
  }

  Application* app_ = nullptr;
};

}  // namespace sorv::test
