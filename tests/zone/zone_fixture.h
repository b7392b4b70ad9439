// Small pictures and zones shared by the zone tests.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "document/state.h"
#include "support/scripted_platform.h"
#include "zone/zone_geometry.h"
#include "zone/zone_row_bands.h"
#include "zone_model.h"

namespace wrimple::testing {

class ZoneTest : public ::testing::Test {
 protected:
  // A target of w x h with one loaded source (or two), patterned planes and
  // target, and no zone.
  void Start(int w, int h, int sources = 2) {
    st = std::make_unique<State>();
    st->SetTargetSize(w, h);
    st->SourceCount = sources;
    FillTargetPattern(*st, 1);
    FillPlanePattern(*st, 1, 2);
    FillPlanePattern(*st, 2, 9);
  }
  void SetZone(int x1, int y1, int x2, int y2) {
    st->zone.X1 = x1, st->zone.Y1 = y1, st->zone.X2 = x2, st->zone.Y2 = y2;
  }
  ModelPicture Picture(ConstTargetImage image) const {
    ModelPicture p{image.width(), image.height(), {}};
    p.bytes.assign(image.bits(), image.bits() + image.byte_size());
    return p;
  }
  ModelPicture TargetPicture() const { return Picture(st->Target()); }
  ModelPicture BackupPicture() const { return Picture(st->Backup()); }
  ModelZone Zone() const { return {st->zone.X1, st->zone.Y1, st->zone.X2, st->zone.Y2}; }
  Bgr TargetAt(int x, int y) const { return ReadPixel(st->Target().pixel(x, y)); }
  Bgr BackupAt(int x, int y) const { return ReadPixel(st->Backup().pixel(x, y)); }
  Bgr PlaneAt(int n, int x, int y) const {
    return ReadPixel(st->doc.Source(n).plane().pixel(x, y));
  }

  TestPlatform tp;
  std::unique_ptr<State> st;
};

// The fast kernels against the per-pixel model on one zone, with one or two
// threads.
struct KernelCase {
  std::string name;
  ModelZone zone;
  int threads;
};
inline void PrintTo(const KernelCase& c, std::ostream* os) { *os << c.name; }

class KernelMatchesModel : public ZoneTest, public ::testing::WithParamInterface<KernelCase> {
 protected:
  static constexpr int kWidth = 97, kHeight = 80;

  void SetUp() override {
    Start(kWidth, kHeight);
    SetZone(GetParam().zone.X1, GetParam().zone.Y1, GetParam().zone.X2, GetParam().zone.Y2);
    SnapshotTarget(*st);
    SetRowThreads(GetParam().threads);
  }
  void TearDown() override { SetRowThreads(threads_before_); }
  const int threads_before_ = RowThreads();

  // Runs the kernel on a fresh target (unlike the base, so unwritten pixels
  // show) and the model on a copy, and compares every byte.
  template <typename Kernel, typename Model>
  void Compare(const std::string& what, Kernel kernel, Model model) {
    FillTargetPattern(*st, 77);
    ModelPicture expected = TargetPicture();
    model(BackupPicture(), expected);
    kernel(ZoneGeometry::Of(st->zone, kWidth, kHeight));
    const ModelPicture got = TargetPicture();
    ASSERT_EQ(got.bytes, expected.bytes) << what;
  }
};

}  // namespace wrimple::testing
