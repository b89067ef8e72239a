#include "tools/mkdata/player_art.h"

#include <deque>
#include <utility>

#include "tools/mkdata/figure_painter.h"
#include "tools/mkdata/player_palettes.h"
#include "tools/mkdata/player_poses.h"

namespace sorv::mkdata {

namespace {

// The first woman among the avatars: the sprites' own palettes dress their figures in the
// outfits of the first avatars of their kind until the game sets its players'.
constexpr int kFirstWomanAvatar = 18;
constexpr int kActionPalettes = 2, kEntryPalettes = 4, kDemoPalettes = 4;

// Figures painted once for every sprite that shows them (the opponents' mirror the user's).
class PaintedFigures {
 public:
  struct Figure {
    Canvas body, shadow;
    Pt bodyOrigin, shadowOrigin;
  };

  const Figure& of(const Pose& pose, FigureKind kind, int height) {
    for (const Entry& e : painted_) {
      if (e.kind == kind && e.height == height && e.pose == pose) return e.figure;
    }
    Entry e{pose, kind, height, {}};
    e.figure.body = paintedFigure(pose, kind, height, &e.figure.bodyOrigin);
    e.figure.shadow = paintedFigureShadow(pose, kind, height, &e.figure.shadowOrigin);
    painted_.push_back(std::move(e));
    return painted_.back().figure;
  }

 private:
  struct Entry {
    Pose pose;
    FigureKind kind;
    int height;
    Figure figure;
  };
  std::deque<Entry> painted_;
};

// A sprite's figures, a frame per distinct pose and kind, shared among its animations.
class FigureFrames {
 public:
  FigureFrames(ArtSprite& art, PaintedFigures& figures, int height, bool mirror)
      : art_(art), figures_(figures), height_(height), mirror_(mirror) {}

  int frameOf(const Pose& pose, FigureKind kind) {
    for (const Framed& f : framed_) {
      if (f.kind == kind && f.pose == pose) return f.frame;
    }
    const PaintedFigures::Figure& figure = figures_.of(pose, kind, height_);
    std::vector<SpriteFModule> entries =
        art_.place(figure.shadow, figure.shadowOrigin.x, figure.shadowOrigin.y, mirror_);
    for (const SpriteFModule& e : art_.place(figure.body, figure.bodyOrigin.x, figure.bodyOrigin.y, mirror_)) {
      entries.push_back(e);
    }
    const int frame = art_.addFrame(entries);
    framed_.push_back({pose, kind, frame});
    return frame;
  }

  void addPlan(const PosePlan& plan, FigureKind kind) {
    std::vector<ArtStep> shown;
    for (const PoseStep& s : plan) shown.push_back({frameOf(s.pose, kind), s.time, mirror_ ? -s.dx : s.dx, s.dy});
    art_.addAnim(shown);
  }

 private:
  struct Framed {
    Pose pose;
    FigureKind kind;
    int frame;
  };
  ArtSprite& art_;
  PaintedFigures& figures_;
  int height_;
  bool mirror_;
  std::vector<Framed> framed_;
};

bool isFarSide(int32_t pack) {
  return pack == kConstStrokesRival || pack == kConstRunningRival || pack == kConstSpecialRival;
}

std::vector<PosePlan> plansOf(int32_t pack) {
  if (pack == kConstStrokesUser || pack == kConstStrokesRival) return strokePlans();
  if (pack == kConstRunningUser || pack == kConstRunningRival) return runningPlans();
  return specialPlans();
}

FigureKind kindOf(int32_t entry) { return entry == kActionFirstPlayer ? FigureKind::kMan : FigureKind::kWoman; }

void addOutfits(ArtSprite& art, const std::vector<Look>& looks, int firstAvatar, int count) {
  for (int i = 0; i < count; i++) art.addPalette(playerPalette(looks[static_cast<size_t>(firstAvatar + i)]));
}

int firstAvatarOf(FigureKind kind) { return kind == FigureKind::kMan ? 0 : kFirstWomanAvatar; }

}  // namespace

namespace {

ArtSprite actionSprite(int32_t pack, int32_t entry, const std::vector<Look>& looks, PaintedFigures& figures) {
  ArtSprite art;
  FigureFrames frames(art, figures, kPlayerFigureHeight, isFarSide(pack));
  const FigureKind kind = kindOf(entry);
  for (const PosePlan& plan : plansOf(pack)) frames.addPlan(plan, kind);
  addOutfits(art, looks, firstAvatarOf(kind), kActionPalettes);
  return art;
}

}  // namespace

ArtSprite playerActionSprite(int32_t pack, int32_t entry, const std::vector<Look>& looks) {
  PaintedFigures figures;
  return actionSprite(pack, entry, looks, figures);
}

ArtSprite playerEntrySprite(const std::vector<Look>& looks) {
  ArtSprite art;
  PaintedFigures figures;
  FigureFrames frames(art, figures, kPlayerFigureHeight, false);
  // Animation 0 the men's walk, 1 the women's.
  frames.addPlan(entryWalkPlan(), FigureKind::kMan);
  frames.addPlan(entryWalkPlan(), FigureKind::kWoman);
  addOutfits(art, looks, 0, kEntryPalettes);
  return art;
}

ArtSprite playerDemoSprite(int32_t entry, const std::vector<Look>& looks) {
  ArtSprite art;
  PaintedFigures figures;
  FigureFrames frames(art, figures, kDemoFigureHeight, false);
  const FigureKind kind = entry == kPlayerDemoMen ? FigureKind::kMan : FigureKind::kWoman;
  frames.addPlan(jogPlan(), kind);
  addOutfits(art, looks, firstAvatarOf(kind), kDemoPalettes);
  return art;
}

void paintPlayerArt(PackSet& packs, const std::vector<Look>& looks, const CareerChoices& choices) {
  PackEntries& players = packs[kConstPlayerPack];
  players[kPlayerIntro] = playerEntrySprite(looks).write();
  players[kPlayerDemoMen] = playerDemoSprite(kPlayerDemoMen, looks).write();
  players[kPlayerDemoWomen] = playerDemoSprite(kPlayerDemoWomen, looks).write();
  PaintedFigures figures;
  for (int32_t pack = kConstActionPackFirst; pack < kConstActionPackFirst + kActionPackCount; pack++) {
    PackEntries& entries = packs[pack];
    for (int32_t e = 0; e < kActionPackEntries; e++) {
      entries[static_cast<size_t>(e)] = actionSprite(pack, e, looks, figures).write();
    }
  }
  packs[kConstColourPack] = colourPackArt(looks, choices);
}

}  // namespace sorv::mkdata
