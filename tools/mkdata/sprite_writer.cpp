#include "tools/mkdata/sprite_writer.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace sorv::mkdata {

namespace {

class Bytes {
 public:
  std::vector<uint8_t> out;

  void u8(uint32_t v) { out.push_back(static_cast<uint8_t>(v)); }
  void u16(uint32_t v) {
    u8(v);
    u8(v >> 8);
  }
  void u32(uint32_t v) {
    u16(v);
    u16(v >> 16);
  }
  void be32(uint32_t v) {
    u8(v >> 24);
    u8(v >> 16);
    u8(v >> 8);
    u8(v);
  }
  void append(const std::vector<uint8_t>& b) { out.insert(out.end(), b.begin(), b.end()); }
};

void require(bool ok, const std::string& what) {
  if (!ok) throw std::invalid_argument("sprite writer: " + what);
}
// The same for a fixed text, which becomes a string only on failure: the check runs for
// every pixel of every module.
void require(bool ok, const char* what) {
  if (!ok) require(false, std::string(what));
}

void s8(Bytes& b, int v, const char* what) {
  require(v >= -128 && v <= 127, std::string(what) + " does not fit a signed byte");
  b.u8(static_cast<uint32_t>(v));
}

uint32_t crc32(const uint8_t* p, size_t n, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < n; i++) {
    crc ^= p[i];
    for (int k = 0; k < 8; k++) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// A chunk's CRC covers its type and data.
uint32_t chunkCrc(const char* type, const std::vector<uint8_t>& data) {
  uint32_t crc = crc32(reinterpret_cast<const uint8_t*>(type), 4);
  return crc32(data.data(), data.size(), crc);
}

void chunk(Bytes& png, const char* type, const std::vector<uint8_t>& data) {
  png.be32(static_cast<uint32_t>(data.size()));
  for (int i = 0; i < 4; i++) png.u8(static_cast<uint8_t>(type[i]));
  png.append(data);
  png.be32(chunkCrc(type, data));
}

// zlib stream of stored (uncompressed) deflate blocks: small, exact and dependency-free.
std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& raw) {
  Bytes z;
  z.u8(0x78);
  z.u8(0x01);
  size_t pos = 0;
  do {
    size_t n = std::min<size_t>(raw.size() - pos, 65535);
    z.u8(pos + n == raw.size() ? 1 : 0);
    z.u16(static_cast<uint32_t>(n));
    z.u16(static_cast<uint32_t>(~n & 0xFFFF));
    z.out.insert(z.out.end(), raw.begin() + static_cast<long>(pos),
                 raw.begin() + static_cast<long>(pos + n));
    pos += n;
  } while (pos < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  z.be32((b << 16) | a);
  return z.out;
}

std::vector<uint8_t> plteData(const std::vector<uint32_t>& palette) {
  std::vector<uint8_t> d;
  for (uint32_t c : palette) {
    d.push_back(static_cast<uint8_t>(c >> 16));
    d.push_back(static_cast<uint8_t>(c >> 8));
    d.push_back(static_cast<uint8_t>(c));
  }
  return d;
}

std::vector<uint8_t> trnsData(const std::vector<uint32_t>& palette) {
  std::vector<uint8_t> d;
  for (uint32_t c : palette) d.push_back(static_cast<uint8_t>(c >> 24));
  return d;
}

void packBits(const std::vector<uint8_t>& idx, int bits, std::vector<uint8_t>& out) {
  int perByte = 8 / bits;
  for (size_t i = 0; i < idx.size(); i += static_cast<size_t>(perByte)) {
    uint32_t b = 0;
    for (int k = 0; k < perByte; k++) {
      uint32_t v = i + static_cast<size_t>(k) < idx.size() ? idx[i + static_cast<size_t>(k)] : 0;
      b |= (v & ((1u << bits) - 1)) << (8 - bits * (k + 1));
    }
    out.push_back(static_cast<uint8_t>(b));
  }
}

size_t runLength(const std::vector<uint8_t>& idx, size_t i, size_t limit) {
  size_t n = 1;
  while (i + n < idx.size() && n < limit && idx[i + n] == idx[i]) n++;
  return n;
}

int maxBits(int32_t format) {
  switch (format) {
    case 0x1600: return 4;
    case 0x0400: return 2;
    case 0x0200: return 1;
    default: return 8;
  }
}

}  // namespace

int addFrame(SpriteSpec& spec, const std::vector<SpriteFModule>& entries) {
  SpriteFrame f;
  f.first = static_cast<uint16_t>(spec.fmodules.size());
  f.count = static_cast<uint16_t>(entries.size());
  spec.fmodules.insert(spec.fmodules.end(), entries.begin(), entries.end());
  spec.frames.push_back(f);
  return static_cast<int>(spec.frames.size()) - 1;
}

int addAnim(SpriteSpec& spec, const std::vector<SpriteAFrame>& entries) {
  SpriteAnim a;
  a.first = static_cast<uint16_t>(spec.aframes.size());
  a.count = static_cast<uint16_t>(entries.size());
  spec.aframes.insert(spec.aframes.end(), entries.begin(), entries.end());
  spec.anims.push_back(a);
  return static_cast<int>(spec.anims.size()) - 1;
}

void setFrame(SpriteSpec& spec, int frame, const std::vector<SpriteFModule>& entries) {
  require(frame >= 0 && frame < static_cast<int>(spec.frames.size()), "no such frame");
  SpriteFrame& f = spec.frames[static_cast<size_t>(frame)];
  f.first = static_cast<uint16_t>(spec.fmodules.size());
  f.count = static_cast<uint16_t>(entries.size());
  spec.fmodules.insert(spec.fmodules.end(), entries.begin(), entries.end());
}

void setAnim(SpriteSpec& spec, int anim, const std::vector<SpriteAFrame>& entries) {
  require(anim >= 0 && anim < static_cast<int>(spec.anims.size()), "no such animation");
  SpriteAnim& a = spec.anims[static_cast<size_t>(anim)];
  a.first = static_cast<uint16_t>(spec.aframes.size());
  a.count = static_cast<uint16_t>(entries.size());
  spec.aframes.insert(spec.aframes.end(), entries.begin(), entries.end());
}

std::vector<uint8_t> encodeModulePixels(const std::vector<uint8_t>& idx, int32_t format,
                                        int32_t colourCount) {
  int bits = maxBits(format);
  for (uint8_t v : idx) {
    require(v < colourCount && (bits == 8 || v < (1 << bits)), "pixel index out of range");
  }
  std::vector<uint8_t> out;
  switch (format) {
    case 0x5602: out = idx; break;
    case 0x1600: packBits(idx, 4, out); break;
    case 0x0400: packBits(idx, 2, out); break;
    case 0x0200: packBits(idx, 1, out); break;
    case 0x64F0: {
      int32_t b = 0;
      while ((1 << b) < colourCount) b++;
      size_t maxRun = static_cast<size_t>(255 >> b) + 1;
      for (size_t i = 0; i < idx.size();) {
        size_t n = runLength(idx, i, maxRun);
        out.push_back(static_cast<uint8_t>(((n - 1) << b) | idx[i]));
        i += n;
      }
      break;
    }
    case 0x27F1:
      for (size_t i = 0; i < idx.size();) {
        size_t n = runLength(idx, i, 127);
        if (n >= 3 || idx[i] >= 0x80) {
          out.push_back(static_cast<uint8_t>(0x80 + n));
          out.push_back(idx[i]);
        } else {
          n = 1;
          out.push_back(idx[i]);
        }
        i += n;
      }
      break;
    case 0x56F2:
      for (size_t i = 0; i < idx.size();) {
        size_t n = runLength(idx, i, 127);
        if (n >= 3) {
          out.push_back(static_cast<uint8_t>(n));
          out.push_back(idx[i]);
          i += n;
          continue;
        }
        size_t start = i;
        while (i < idx.size() && i - start < 127 && runLength(idx, i, 3) < 3) i++;
        if (i == start) i++;
        out.push_back(static_cast<uint8_t>(0x80 + (i - start)));
        out.insert(out.end(), idx.begin() + static_cast<long>(start),
                   idx.begin() + static_cast<long>(i));
      }
      break;
    default: require(false, "unknown module data format");
  }
  return out;
}

std::vector<uint8_t> writeIndexedPng(int width, int height, const std::vector<uint8_t>& indexes,
                                     const std::vector<uint32_t>& palette) {
  require(width > 0 && height > 0 && indexes.size() == static_cast<size_t>(width) * height,
          "PNG size");
  require(!palette.empty() && palette.size() <= 256, "PNG palette size");
  Bytes png;
  for (uint8_t b : {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}) png.u8(b);
  Bytes ihdr;
  ihdr.be32(static_cast<uint32_t>(width));
  ihdr.be32(static_cast<uint32_t>(height));
  for (uint8_t b : {8, 3, 0, 0, 0}) ihdr.u8(b);  // 8-bit palette, no interlace
  chunk(png, "IHDR", ihdr.out);
  chunk(png, "PLTE", plteData(palette));
  chunk(png, "tRNS", trnsData(palette));
  std::vector<uint8_t> raw;
  for (int y = 0; y < height; y++) {
    raw.push_back(0);
    raw.insert(raw.end(), indexes.begin() + static_cast<long>(y) * width,
               indexes.begin() + static_cast<long>(y + 1) * width);
  }
  chunk(png, "IDAT", zlibStored(raw));
  chunk(png, "IEND", {});
  return png.out;
}

std::vector<uint8_t> writeSprite(const SpriteSpec& spec) {
  const uint32_t fl = spec.flags;
  const bool wideModules = fl & kSpriteWideModules;
  Bytes b;
  b.u16(0xDF03);  // leading word: not read by the game
  b.u32(fl);

  b.u16(static_cast<uint32_t>(spec.modules.size()));
  for (const SpriteModule& m : spec.modules) {
    if (m.kind == kModuleOutline || m.kind == kModuleFilled) {
      b.u8(m.kind == kModuleOutline ? 0xFF : 0xFE);
      b.u32(m.colour);
    } else {
      // An image module has no marker: its first size byte must not look like one.
      uint32_t first = static_cast<uint8_t>(wideModules ? m.x : m.width);
      require(first < 0xFE, "image module's first size byte reads as a rectangle marker");
    }
    if (wideModules) {
      b.u16(static_cast<uint16_t>(m.x));
      b.u16(static_cast<uint16_t>(m.y));
      b.u16(static_cast<uint16_t>(m.width));
      b.u16(static_cast<uint16_t>(m.height));
    } else {
      s8(b, m.width, "module width");
      s8(b, m.height, "module height");
    }
  }

  b.u16(static_cast<uint32_t>(spec.fmodules.size()));
  for (const SpriteFModule& e : spec.fmodules) {
    b.u8(e.module);
    if (fl & kSpriteWideFModuleOffsets) {
      b.u16(static_cast<uint16_t>(e.x));
      b.u16(static_cast<uint16_t>(e.y));
    } else {
      s8(b, e.x, "frame-module x");
      s8(b, e.y, "frame-module y");
    }
    if (fl & kSpriteFModulePalettes) b.u8(e.palette);
    b.u8(e.flags);
  }

  b.u16(static_cast<uint32_t>(spec.frames.size()));
  for (const SpriteFrame& f : spec.frames) {
    b.u16(f.count);
    b.u16(f.first);
  }
  for (const SpriteFrame& f : spec.frames) {
    for (uint8_t r : f.rect) b.u8(r);
  }

  b.u16(static_cast<uint32_t>(spec.aframes.size()));
  for (const SpriteAFrame& a : spec.aframes) {
    b.u8(a.frame);
    b.u8(a.time);
    if (fl & kSpriteWideAFrameOffsets) {
      b.u16(static_cast<uint16_t>(a.x));
      b.u16(static_cast<uint16_t>(a.y));
    } else {
      s8(b, a.x, "animation-frame x");
      s8(b, a.y, "animation-frame y");
    }
    b.u8(a.flags);
  }

  b.u16(static_cast<uint32_t>(spec.anims.size()));
  for (const SpriteAnim& a : spec.anims) {
    if (fl & kSpriteShortAnimCounts) {
      s8(b, a.count, "animation frame count");
    } else {
      b.u16(a.count);
    }
    b.u16(a.first);
  }

  const size_t colours = spec.palettes.empty() ? 0 : spec.palettes[0].size();
  if (fl & (kSpriteIndexed | kSpriteSingleImage)) {
    require(!spec.palettes.empty() && spec.palettes.size() <= 255, "palette count");
    require(colours >= 1 && colours <= 256, "colour count");
    for (const auto& p : spec.palettes) require(p.size() == colours, "palettes differ in size");
  }

  if (fl & kSpriteIndexed) {
    b.u16(static_cast<uint16_t>(spec.paletteFormat));
    b.u8(static_cast<uint32_t>(spec.palettes.size()));
    b.u8(static_cast<uint32_t>(colours & 0xFF));  // 256 is written as 0
    if (spec.paletteFormat == static_cast<int16_t>(0x8888)) {
      for (const auto& p : spec.palettes) {
        for (uint32_t c : p) b.u32(c);
      }
    }
    b.u16(static_cast<uint32_t>(spec.dataFormat));
    for (const SpriteModule& m : spec.modules) {
      std::vector<uint8_t> data;
      if (m.kind == kModuleImage && !m.pixels.empty()) {
        require(m.pixels.size() == static_cast<size_t>((m.width & 0xFF) * (m.height & 0xFF)),
                "module pixels do not match its size");
        data = encodeModulePixels(m.pixels, spec.dataFormat, static_cast<int32_t>(colours));
      }
      require(data.size() <= 0xFFFF, "module data longer than 65535 bytes");
      b.u16(static_cast<uint32_t>(data.size()));
      b.append(data);
    }
  }

  if (fl & kSpriteSingleImage) {
    int sheetW = 1, sheetH = 1;
    for (const SpriteModule& m : spec.modules) {
      if (m.kind != kModuleImage) continue;
      sheetW = std::max(sheetW, m.x + (m.width & 0xFF));
      sheetH = std::max(sheetH, m.y + (m.height & 0xFF));
    }
    std::vector<uint8_t> sheet(static_cast<size_t>(sheetW) * sheetH, 0);
    for (const SpriteModule& m : spec.modules) {
      int w = m.width & 0xFF, h = m.height & 0xFF;
      if (m.kind != kModuleImage || m.pixels.size() != static_cast<size_t>(w * h)) continue;
      require(m.x >= 0 && m.y >= 0, "single-image module position");
      for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
          sheet[static_cast<size_t>(m.y + y) * sheetW + m.x + x] = m.pixels[static_cast<size_t>(y * w + x)];
        }
      }
    }
    std::vector<uint8_t> png = writeIndexedPng(sheetW, sheetH, sheet, spec.palettes[0]);
    require(png.size() <= 0xFFFF, "single image longer than 65535 bytes");
    b.u16(static_cast<uint32_t>(png.size()));
    b.append(png);
    b.u8(static_cast<uint32_t>(spec.palettes.size()));
    b.u8(static_cast<uint32_t>(colours & 0xFF));
    for (const auto& p : spec.palettes) {
      std::vector<uint8_t> plte = plteData(p), trns = trnsData(p);
      b.append(plte);
      b.be32(chunkCrc("PLTE", plte));
      b.append(trns);
      b.be32(chunkCrc("tRNS", trns));
    }
  }
  return b.out;
}

}  // namespace sorv::mkdata
