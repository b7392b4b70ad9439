#include "compose/pixel_operators.h"

namespace wrimple {

namespace {

void Write(const Bgr& p, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  *o0 = p[0];
  *o1 = p[1];
  *o2 = p[2];
}

// first * w + second * (255 - w), channel by channel.
void Mix(const Bgr& first, const Bgr& second, int w, std::uint8_t* o0, std::uint8_t* o1,
         std::uint8_t* o2) {
  *o0 = MixChannel(first[0], second[0], w);
  *o1 = MixChannel(first[1], second[1], w);
  *o2 = MixChannel(first[2], second[2], w);
}

}  // namespace

void picture1::combine(Bgr p1, Bgr, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  Write(p1, o0, o1, o2);
}

void picture2::combine(Bgr, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  Write(p2, o0, o1, o2);
}

void average::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  const int beta = st_.MergeBias;
  std::uint8_t* out[3] = {o0, o1, o2};
  for (int c = 0; c < 3; ++c) *out[c] = std::uint8_t((p1[c] * (255 - beta) + p2[c] * beta) >> 8);
}

void least::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  const int beta = st_.MergeBias;
  Write(MergeBrightness(p1, 255 - beta) < MergeBrightness(p2, beta) ? p1 : p2, o0, o1, o2);
}

void most::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  const int beta = st_.MergeBias;
  Write(MergeBrightness(p1, 255 - beta) < MergeBrightness(p2, beta) ? p2 : p1, o0, o1, o2);
}

void subtract12::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  const int beta = st_.MergeBias;
  const SubtractWeights k = SubtractWeightsFor(beta);
  std::uint8_t* out[3] = {o0, o1, o2};
  for (int c = 0; c < 3; ++c) *out[c] = ClampByte(((k.a * p1[c] - k.b * p2[c]) >> 7) + beta);
}

void subtract21::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  const int beta = st_.MergeBias;
  const SubtractWeights k = SubtractWeightsFor(beta);
  std::uint8_t* out[3] = {o0, o1, o2};
  for (int c = 0; c < 3; ++c) *out[c] = ClampByte(((k.b * p2[c] - k.a * p1[c]) >> 7) + 255 - beta);
}

void comp12::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  Mix(p1, p2, CompWeight(p1, st_.ReferenceColor, CompOffsetSource1(st_.MergeBias)), o0, o1, o2);
}

void comp21::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  Mix(p2, p1, CompWeight(p1, st_.ReferenceColor, CompOffsetSource1(st_.MergeBias)), o0, o1, o2);
}

void comp_h_12::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  Mix(p1, p2, CompWeight(p2, st_.ReferenceColor, CompOffsetSource2(st_.MergeBias)), o0, o1, o2);
}

void comp_h_21::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  Mix(p2, p1, CompWeight(p2, st_.ReferenceColor, CompOffsetSource2(st_.MergeBias)), o0, o1, o2);
}

void text_comp12::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  Write(IsBackground(p1) ? p2 : color_, o0, o1, o2);
}

void text_comp21::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  Write(IsBackground(p1) ? p1 : p2, o0, o1, o2);
}

void text_comp_h_12::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  Write(IsBackground(p2) ? p2 : p1, o0, o1, o2);
}

void text_comp_h_21::combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) {
  Write(IsBackground(p2) ? p1 : color_, o0, o1, o2);
}

MergeOperators::MergeOperators(const State& st)
    : brightest(st),
      darkest(st),
      sub12(st),
      sub21(st),
      mean(st),
      c12(st),
      c21(st),
      ch12(st),
      ch21(st),
      t12(st.doc, st.doc.Source(1).TextColor),
      t21(st.doc, st.doc.Source(1).TextColor),
      th12(st.doc, st.doc.Source(2).TextColor),
      th21(st.doc, st.doc.Source(2).TextColor) {}

pixel* MergeOperators::Choose(int method, bool text1, bool text2) {
  switch (method) {
    case 0: return &only1;
    case 1: return &only2;
    case 2: return &brightest;
    case 3: return &darkest;
    case 4: return &sub12;
    case 5: return &sub21;
    case 6: return &mean;
    case 7: return text1 ? static_cast<pixel*>(&t12) : &c12;
    case 8: return text1 ? static_cast<pixel*>(&t21) : &c21;
    case 9: return text2 ? static_cast<pixel*>(&th12) : &ch12;
    case 10: return text2 ? static_cast<pixel*>(&th21) : &ch21;
    default: return nullptr;
  }
}

}  // namespace wrimple
