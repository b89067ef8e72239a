#include "tools/mkdata/art_sprite.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace sorv::mkdata {

namespace {

constexpr int kMaxModuleSide = 255;
constexpr uint8_t kFrameEntryFlag = 0x10, kHighModuleFlag = 0x40;
constexpr uint8_t kMirrorFlag = 1;

void require(bool ok, const char* what) {
  if (!ok) throw std::invalid_argument(std::string("art sprite: ") + what);
}

size_t encodedSize(const SpriteSpec& spec, int32_t format, int32_t colours) {
  size_t n = 0;
  for (const SpriteModule& m : spec.modules) {
    if (m.kind != kModuleImage) continue;
    // Plain 8-bit modules are their pixels: no need to encode them to count.
    n += format == 0x5602 ? m.pixels.size() : encodeModulePixels(m.pixels, format, colours).size();
  }
  return n;
}

}  // namespace

int ArtSprite::addModule(const Canvas& canvas) {
  require(canvas.width() >= 1 && canvas.height() >= 1, "empty module");
  require(canvas.width() <= kMaxModuleSide && canvas.height() <= kMaxModuleSide, "module over 255 pixels");
  auto key = std::make_pair(std::make_pair(canvas.width(), canvas.height()), canvas.pixels());
  if (auto it = shared_.find(key); it != shared_.end()) return it->second;
  require(moduleCount() < kArtMaxModules, "more than 512 modules");
  SpriteModule m;
  m.width = static_cast<int16_t>(canvas.width());
  m.height = static_cast<int16_t>(canvas.height());
  m.pixels = canvas.pixels();
  spec_.modules.push_back(std::move(m));
  shared_.emplace(std::move(key), moduleCount() - 1);
  return moduleCount() - 1;
}

int ArtSprite::addRectangle(uint32_t colour, int width, int height, bool filled) {
  require(moduleCount() < kArtMaxModules, "more than 512 modules");
  SpriteModule m;
  m.kind = filled ? kModuleFilled : kModuleOutline;
  m.colour = colour;
  m.width = static_cast<int16_t>(width);
  m.height = static_cast<int16_t>(height);
  spec_.modules.push_back(m);
  return moduleCount() - 1;
}

SpriteFModule ArtSprite::entry(int module, int x, int y, int flags, int palette) {
  require(module >= 0 && module < kArtMaxModules, "module index");
  SpriteFModule e;
  e.module = static_cast<uint8_t>(module & 0xFF);
  e.x = static_cast<int16_t>(x);
  e.y = static_cast<int16_t>(y);
  e.palette = static_cast<uint8_t>(palette);
  e.flags = static_cast<uint8_t>((flags & 3) | (module > 0xFF ? kHighModuleFlag : 0));
  return e;
}

SpriteFModule ArtSprite::frameEntry(int frame, int x, int y, int flags) {
  require(frame >= 0 && frame <= 0xFF, "frame index");
  SpriteFModule e;
  e.module = static_cast<uint8_t>(frame);
  e.x = static_cast<int16_t>(x);
  e.y = static_cast<int16_t>(y);
  e.flags = static_cast<uint8_t>(kFrameEntryFlag | (flags & 3));
  return e;
}

std::vector<SpriteFModule> ArtSprite::place(const Canvas& canvas, int originX, int originY, bool mirror) {
  if (mirror) return place(canvas.mirrored(), canvas.width() - 1 - originX, originY, false);
  std::vector<SpriteFModule> entries;
  for (int ty = 0; ty < canvas.height(); ty += kArtTileSide) {
    for (int tx = 0; tx < canvas.width(); tx += kArtTileSide) {
      const Canvas tile = canvas.crop({tx, ty, std::min(kArtTileSide, canvas.width() - tx),
                                       std::min(kArtTileSide, canvas.height() - ty)});
      const Box ink = tile.bounds();
      if (ink.empty()) continue;
      const int module = addModule(tile.crop(ink));
      entries.push_back(entry(module, tx + ink.x - originX, ty + ink.y - originY));
    }
  }
  return entries;
}

int ArtSprite::addFrame(const std::vector<SpriteFModule>& entries) {
  require(frameCount() < 0x10000, "frame count");
  return mkdata::addFrame(spec_, entries);
}

int ArtSprite::addPicture(const Canvas& canvas, int originX, int originY, bool mirror) {
  return addFrame(place(canvas, originX, originY, mirror));
}

int ArtSprite::addAnim(const std::vector<ArtStep>& steps) {
  std::vector<SpriteAFrame> frames;
  for (const ArtStep& s : steps) {
    require(s.frame >= 0 && s.frame <= 0xFF && s.frame < frameCount(), "animation frame index");
    require(s.time >= 1 && s.time <= 0xFF, "animation time");
    SpriteAFrame f;
    f.frame = static_cast<uint8_t>(s.frame);
    f.time = static_cast<uint8_t>(s.time);
    f.x = static_cast<int16_t>(s.x);
    f.y = static_cast<int16_t>(s.y);
    frames.push_back(f);
  }
  return mkdata::addAnim(spec_, frames);
}

int ArtSprite::setFrame(int frame, const std::vector<SpriteFModule>& entries) {
  require(frame >= 0 && frame < 0x10000, "frame index");
  if (frame == frameCount()) return addFrame(entries);
  while (frameCount() <= frame) addFrame({});
  mkdata::setFrame(spec_, frame, entries);
  return frame;
}

int ArtSprite::setAnim(int anim, const std::vector<ArtStep>& steps, int filler) {
  require(anim >= 0 && anim < 0x10000 && !steps.empty(), "animation index");
  while (animCount() < anim) addAnim({{filler, 1}});
  if (anim == animCount()) return addAnim(steps);
  const int shared = addAnim(steps);
  // The new animation's steps become the numbered one's; the extra record goes again.
  spec_.anims[static_cast<size_t>(anim)] = spec_.anims[static_cast<size_t>(shared)];
  spec_.anims.pop_back();
  return anim;
}

void ArtSprite::padModules(int count) {
  require(count <= kArtMaxModules && moduleCount() <= count, "module padding");
  while (moduleCount() < count) addRectangle(kArtKey, 1, 1, true);
}

int ArtSprite::addSequence(int first, int count, int time) {
  std::vector<ArtStep> steps;
  for (int i = 0; i < count; i++) steps.push_back({first + i, time});
  return addAnim(steps);
}

void ArtSprite::addPalette(std::vector<uint32_t> colours) {
  require(!colours.empty() && colours.size() <= 256, "palette size");
  require(spec_.palettes.empty() || spec_.palettes[0].size() == colours.size(), "palettes of one size");
  require(spec_.palettes.size() < 48, "more than 48 palettes");
  spec_.palettes.push_back(std::move(colours));
}

std::vector<uint8_t> ArtSprite::write() const {
  require(!spec_.palettes.empty(), "no palette");
  SpriteSpec out = spec_;
  const auto colours = static_cast<int32_t>(out.palettes[0].size());
  out.dataFormat = encodedSize(out, 0x56F2, colours) < encodedSize(out, 0x5602, colours) ? 0x56F2 : 0x5602;
  return writeSprite(out);
}

uint32_t mixColour(uint32_t from, uint32_t to, int numerator, int denominator) {
  if (denominator <= 0) return from;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>(from >> shift & 0xFF), b = static_cast<int>(to >> shift & 0xFF);
    const int v = a + (b - a) * numerator / denominator;
    out |= static_cast<uint32_t>(std::clamp(v, 0, 255)) << shift;
  }
  return out;
}

std::vector<uint32_t> shades(uint32_t dark, uint32_t light, int n) {
  std::vector<uint32_t> out;
  for (int i = 0; i < n; i++) out.push_back(n == 1 ? dark : mixColour(dark, light, i, n - 1));
  return out;
}

int appendShades(std::vector<uint32_t>& palette, uint32_t dark, uint32_t light, int n) {
  const int first = static_cast<int>(palette.size());
  for (uint32_t c : shades(dark, light, n)) palette.push_back(c);
  return first;
}

}  // namespace sorv::mkdata
