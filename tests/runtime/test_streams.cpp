#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "runtime/io_streams.h"
#include "runtime/lang_system.h"
#include "runtime/static_class.h"
#include "runtime/throwable.h"
#include "tests/runtime/classlib_fixture.h"

namespace sorv {
namespace {

using test::ClassLibTest;
using test::LogCapture;
using test::byteArrayOf;
using test::host;
using test::str;

class Streams : public ClassLibTest {
 protected:
  DataInputStream* dataOver(const std::vector<uint8_t>& bytes) {
    return DataInputStream::create(ByteArrayInputStream::create(byteArrayOf(bytes)));
  }
};

// A stream that has nothing but never says so: read gives 0.
class StalledStream : public InputStream {
 public:
  static constexpr ClassId kClassId = kInputStream;
  using InputStream::read;
  int32_t read(ByteArray*, int32_t, int32_t) override { return 0; }
};

TEST_F(Streams, DataInputReadsBigEndianNumbersAndThrowsAtTheEnd) {
  DataInputStream* in = dataOver({0x00, 0x00, 0x01, 0x02, 0xFF, 0xFE, 0x80});
  EXPECT_EQ(in->readInt(), 258);
  EXPECT_EQ(in->readShort(), -2);
  EXPECT_EQ(in->readByte(), -128);
  EXPECT_EQ(in->readByte(), 0);
  EXPECT_EQ(takeException(), kEOFException);

  DataInputStream* three = dataOver({1, 2, 3});
  EXPECT_EQ(three->readInt(), 0);
  EXPECT_EQ(takeException(), kEOFException);
  DataInputStream* one = dataOver({0xAB});
  EXPECT_EQ(one->readUnsignedShort(), 0);
  EXPECT_EQ(takeException(), kEOFException);
  EXPECT_EQ(dataOver({0xAB, 0xCD})->readUnsignedShort(), 0xABCD);
}

TEST_F(Streams, ReadFullyTakesWhatThereIsThenThrows) {
  DataInputStream* in = dataOver({1, 2, 3, 4});
  ByteArray* b = Array::newByteArray(10);
  in->readFully(b, 0, 10);
  EXPECT_EQ(takeException(), kEOFException);
  EXPECT_EQ(b->elements()[3], 4);
  EXPECT_EQ(b->elements()[4], 0);

  // Without the end-of-data rule this would never return.
  DataInputStream* stalled = DataInputStream::create(newObject<StalledStream>());
  stalled->readFully(b, 0, 1);
  EXPECT_EQ(takeException(), kEOFException);

  in = dataOver({1, 2});
  in->readFully(b, 9, 2);
  EXPECT_EQ(takeException(), kIndexOutOfBoundsException);
  in->readFully(b, 1, INT_MAX);
  EXPECT_EQ(takeException(), kIndexOutOfBoundsException);
  in->readFully(nullptr, 0, 1);
  EXPECT_EQ(takeException(), kNullPointerException);
  in->readFully(b, 8, 2);
  EXPECT_EQ(takeException(), -1);
  EXPECT_EQ(b->elements()[9], 2);
}

TEST_F(Streams, ReadUtfDecodesOrThrows) {
  struct Case {
    std::vector<uint8_t> bytes;
    const char* text;  // null: throws
    int32_t exception;
  };
  const Case cases[] = {
      {{0x00, 0x03, 'a', 'b', 'c'}, "abc", -1},
      {{0x00, 0x00}, "", -1},
      {{0x00, 0x02, 0xC3, 0xA9}, "\xC3\xA9", -1},
      {{0x00, 0x01, 0xC3}, nullptr, kUTFDataFormatException},
      {{0x00, 0x02, 0xC3, 0x41}, nullptr, kUTFDataFormatException},
      {{0x00, 0x01, 0xFF}, nullptr, kUTFDataFormatException},
      {{0x00, 0x05, 'a'}, nullptr, kEOFException},
      {{0x00}, nullptr, kEOFException},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.size());
    LogCapture log;
    String* s = dataOver(c.bytes)->readUTF();
    EXPECT_EQ(takeException(), c.exception);
    if (c.text == nullptr) {
      EXPECT_EQ(s, nullptr);
      EXPECT_FALSE(log.contains("UTFDataFormatException"));  // thrown, not logged
    } else {
      ASSERT_NE(s, nullptr);
      EXPECT_EQ(host(s), c.text);
    }
  }
}

TEST_F(Streams, ByteArrayInputStaysInsideItsArray) {
  ByteArray* bytes = byteArrayOf({1, 2, 3});
  ByteArrayInputStream* in = ByteArrayInputStream::create(bytes, 1, 5);
  EXPECT_EQ(in->available(), 2);
  EXPECT_EQ(in->read(), 2);
  EXPECT_EQ(in->read(), 3);
  EXPECT_EQ(in->read(), -1);

  for (auto [offset, length] : {std::pair{-5, 2}, std::pair{7, 1}, std::pair{2, INT_MAX}, std::pair{1, -4}}) {
    ByteArrayInputStream* odd = ByteArrayInputStream::create(bytes, offset, length);
    EXPECT_GE(odd->pos, 0);
    EXPECT_LE(odd->count, 3);
    EXPECT_LE(odd->pos, odd->count);
    while (odd->read() >= 0) {
    }
  }

  ByteArrayInputStream* whole = ByteArrayInputStream::create(bytes);
  ByteArray* target = Array::newByteArray(4);
  EXPECT_EQ(whole->skip(1), 1);
  whole->setMark(0);
  EXPECT_EQ(whole->read(target, 1, 3), 2);
  EXPECT_EQ(target->elements()[2], 3);
  EXPECT_EQ(whole->read(target, 0, 1), -1);
  whole->reset();
  EXPECT_EQ(whole->read(), 2);
  EXPECT_EQ(whole->skip(-3), 0);
  EXPECT_EQ(whole->skip(100), 1);
  EXPECT_EQ(whole->read(target, 3, INT_MAX), 0);
  EXPECT_EQ(takeException(), kIndexOutOfBoundsException);
  EXPECT_TRUE(whole->markSupported());
  EXPECT_EQ(whole->InputStream::read(target), -1);
}

TEST_F(Streams, ByteArrayOutputGrowsAndAlwaysCopiesOut) {
  ByteArrayOutputStream* out = ByteArrayOutputStream::create();
  EXPECT_EQ(out->buf->length, 32);
  for (int i = 0; i < 33; ++i) out->write(i);
  EXPECT_EQ(out->buf->length, 64);
  EXPECT_EQ(out->size(), 33);
  out->write(byteArrayOf(std::vector<uint8_t>(40, 7)), 5, 35);
  EXPECT_EQ(out->buf->length, 128);
  EXPECT_EQ(out->size(), 68);

  ByteArrayOutputStream* exact = ByteArrayOutputStream::create();
  for (int i = 0; i < 32; ++i) exact->write('a' + i % 26);
  exact->close();
  ByteArray* copy = exact->toByteArray();
  EXPECT_NE(copy, exact->buf);
  exact->reset();
  exact->write('Z');
  EXPECT_EQ(copy->elements()[0], 'a');
  EXPECT_EQ(host(exact->toString()), "Z");

  exact->write(nullptr, 0, 1);
  EXPECT_EQ(takeException(), kNullPointerException);
  exact->write(copy, 30, 3);
  EXPECT_EQ(takeException(), kIndexOutOfBoundsException);
  EXPECT_EQ(exact->size(), 1);
}

TEST_F(Streams, DataOutputWritesBigEndianThroughItsStream) {
  ByteArrayOutputStream* bytes = ByteArrayOutputStream::create();
  DataOutputStream* out = DataOutputStream::create(bytes);
  out->writeInt(0x01020304);
  out->writeInt(-2);
  out->write(byteArrayOf({9, 8}));
  ByteArray* result = bytes->toByteArray();
  std::vector<int8_t> got(result->elements(), result->elements() + result->length);
  EXPECT_EQ(got, (std::vector<int8_t>{1, 2, 3, 4, -1, -1, -1, -2, 9, 8}));
  DataOutputStream* broken = DataOutputStream::create(nullptr);
  broken->writeInt(5);
  EXPECT_EQ(takeException(), kNullPointerException);
}

// An output stream that fails every write with an IOException.
class FailingStream : public OutputStream {
 public:
  static constexpr ClassId kClassId = kOutputStream;
  int32_t writes = 0;
  using OutputStream::write;
  void write(int32_t) override {
    ++writes;
    throwNew(kIOException);
  }
  void write(ByteArray*, int32_t, int32_t) override {
    ++writes;
    throwNew(kIOException);
  }
};

TEST_F(Streams, PrintStreamDropsIOExceptionsAndPrintsLowBytes) {
  FailingStream* failing = newObject<FailingStream>();
  PrintStream* print = PrintStream::create(failing);
  print->print(str("abc"));
  print->println();
  print->write(1);
  EXPECT_EQ(failing->writes, 3);
  EXPECT_EQ(takeException(), -1);

  ByteArrayOutputStream* bytes = ByteArrayOutputStream::create();
  PrintStream* ok = PrintStream::create(bytes);
  ok->println(str("hi"));
  ok->print(nullptr);
  EXPECT_EQ(host(bytes->toString()), "hi\nnull");
}

}  // namespace
}  // namespace sorv
