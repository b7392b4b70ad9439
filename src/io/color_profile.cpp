#include "io/color_profile.h"

#include <lcms2.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace wrimple {

namespace {

struct ProfileCloser {
  void operator()(void* p) const { cmsCloseProfile(p); }
};
using UniqueProfile = std::unique_ptr<void, ProfileCloser>;

using Matrix = std::array<std::array<double, 3>, 3>;

// The profile's colorants as columns: the XYZ of its red, green and blue.
bool ReadColorants(cmsHPROFILE profile, Matrix& m) {
  const cmsTagSignature tags[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag};
  for (int c = 0; c < 3; ++c) {
    const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, tags[c]));
    if (xyz == nullptr) return false;
    m[0][c] = xyz->X;
    m[1][c] = xyz->Y;
    m[2][c] = xyz->Z;
  }
  return true;
}

bool Invert(const Matrix& a, Matrix& inverse) {
  const double det = a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
                     a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                     a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
  if (std::fabs(det) < 1e-12) return false;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      // The cofactor of a[c][r], by cyclic indices.
      const int r1 = (c + 1) % 3, r2 = (c + 2) % 3, c1 = (r + 1) % 3, c2 = (r + 2) % 3;
      inverse[r][c] = (a[r1][c1] * a[r2][c2] - a[r1][c2] * a[r2][c1]) / det;
    }
  return true;
}

const cmsToneCurve* Curve(cmsHPROFILE profile, int channel) {
  const cmsTagSignature tags[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
  return static_cast<const cmsToneCurve*>(cmsReadTag(profile, tags[channel]));
}

int Fixed(double v) { return int(std::lround(v * MatrixShaperTables::kLinearOne)); }

// Both profiles' curves and colorants, joined as LittleCMS joins them for
// two such profiles: linear input light, the input colorants to XYZ, XYZ to
// linear sRGB, the inverse sRGB curve.
bool FillTables(cmsHPROFILE input, cmsHPROFILE srgb, MatrixShaperTables& t) {
  Matrix in{}, out{}, out_inverse{};
  if (!ReadColorants(input, in) || !ReadColorants(srgb, out) || !Invert(out, out_inverse)) return false;
  Matrix m{};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      for (int k = 0; k < 3; ++k) m[r][c] += out_inverse[r][k] * in[k][c];
  for (int c = 0; c < 3; ++c) {
    const cmsToneCurve* curve = Curve(input, c);
    if (curve == nullptr) return false;
    for (int v = 0; v < 256; ++v) {
      const double linear = std::clamp(double(cmsEvalToneCurveFloat(curve, float(v) / 255.0f)), 0.0, 1.0);
      for (int r = 0; r < 3; ++r) t.contribution[c][v][r] = Fixed(m[r][c] * linear);
      t.contribution[c][v][3] = 0;
    }
  }
  const cmsToneCurve* srgb_curve = Curve(srgb, 0);
  if (srgb_curve == nullptr) return false;
  std::unique_ptr<cmsToneCurve, void (*)(cmsToneCurve*)> encode(cmsReverseToneCurve(srgb_curve), cmsFreeToneCurve);
  if (!encode) return false;
  for (int i = 0; i <= MatrixShaperTables::kLinearOne; ++i) {
    const double v = cmsEvalToneCurveFloat(encode.get(), float(i) / float(MatrixShaperTables::kLinearOne));
    t.encode[i] = std::uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
  }
  return true;
}

class TableConversion : public SrgbConversion {
 public:
  explicit TableConversion(std::unique_ptr<MatrixShaperTables> tables) : tables_(std::move(tables)) {}
  void ConvertRow(std::uint8_t* bgr, int width) const override { ConvertRowFast(*tables_, bgr, width); }

 private:
  std::unique_ptr<MatrixShaperTables> tables_;
};

class TransformConversion : public SrgbConversion {
 public:
  explicit TransformConversion(cmsHTRANSFORM transform) : transform_(transform) {}
  ~TransformConversion() override { cmsDeleteTransform(transform_); }
  void ConvertRow(std::uint8_t* bgr, int width) const override {
    cmsDoTransform(transform_, bgr, bgr, cmsUInt32Number(width));
  }

 private:
  cmsHTRANSFORM transform_;
};

UniqueProfile OpenRgbProfile(const std::uint8_t* icc, std::size_t size) {
  if (icc == nullptr || size == 0) return nullptr;
  UniqueProfile profile(cmsOpenProfileFromMem(icc, cmsUInt32Number(size)));
  if (!profile || cmsGetColorSpace(profile.get()) != cmsSigRgbData) return nullptr;
  return profile;
}

}  // namespace

std::unique_ptr<MatrixShaperTables> MatrixShaperTablesFor(const std::uint8_t* icc, std::size_t size) {
  const UniqueProfile input = OpenRgbProfile(icc, size);
  const UniqueProfile srgb(cmsCreate_sRGBProfile());
  if (!input || !srgb || !cmsIsMatrixShaper(input.get())) return nullptr;
  auto tables = std::make_unique<MatrixShaperTables>();
  if (!FillTables(input.get(), srgb.get(), *tables)) return nullptr;
  return tables;
}

std::unique_ptr<SrgbConversion> SrgbConversion::FromProfile(const std::uint8_t* icc, std::size_t size) {
  if (std::unique_ptr<MatrixShaperTables> tables = MatrixShaperTablesFor(icc, size))
    return std::make_unique<TableConversion>(std::move(tables));
  const UniqueProfile input = OpenRgbProfile(icc, size);
  const UniqueProfile srgb(cmsCreate_sRGBProfile());
  if (!input || !srgb) return nullptr;
  cmsHTRANSFORM transform =
      cmsCreateTransform(input.get(), TYPE_BGR_8, srgb.get(), TYPE_BGR_8, INTENT_PERCEPTUAL, 0);
  if (transform == nullptr) return nullptr;
  return std::make_unique<TransformConversion>(transform);
}

namespace {

inline int ClampLinear(int v) { return v < 0 ? 0 : v > MatrixShaperTables::kLinearOne ? MatrixShaperTables::kLinearOne : v; }

}  // namespace

void ConvertRowPlain(const MatrixShaperTables& t, std::uint8_t* bgr, int width) {
  for (int x = 0; x < width; ++x, bgr += 3) {
    const std::int32_t* red = t.contribution[0][bgr[2]];
    const std::int32_t* green = t.contribution[1][bgr[1]];
    const std::int32_t* blue = t.contribution[2][bgr[0]];
    std::uint8_t out[3];
    for (int c = 0; c < 3; ++c) out[c] = t.encode[ClampLinear(red[c] + green[c] + blue[c])];
    bgr[0] = out[2];
    bgr[1] = out[1];
    bgr[2] = out[0];
  }
}

}  // namespace wrimple
