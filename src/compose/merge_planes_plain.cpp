#include <utility>

#include "compose/merge_planes.h"
#include "compose/pixel_operators.h"

namespace wrimple {

namespace {

void ApplyContrast(int mode, int threshold, std::uint8_t* o) {
  if (mode == 2)
    ContrastStep<2>(threshold, o);
  else if (mode == 1)
    ContrastStep<1>(threshold, o);
}

}  // namespace

void MergePlanesPlain(State& st) {
  MergeOperators operators(st);
  pixel* op = operators.Choose(st.MergeMethod, st.doc.Source(1).SourceKind == kKindTypedText,
                               st.doc.Source(2).SourceKind == kKindTypedText);
  if (op == nullptr) return;
  const ConstPlane plane1 = std::as_const(st.doc).Source(1).plane();
  const ConstPlane plane2 = std::as_const(st.doc).Source(2).plane();
  const TargetImage target = st.Target();
  for (int y = 0; y < target.height(); ++y)
    for (int x = 0; x < target.width(); ++x) {
      std::uint8_t* o = target.pixel(x, y);
      op->combine(ReadPixel(plane1.pixel(x, y)), ReadPixel(plane2.pixel(x, y)), o, o + 1, o + 2);
      ApplyContrast(st.ContrastMode, st.ContrastThreshold, o);
    }
}

}  // namespace wrimple
