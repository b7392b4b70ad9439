#include "io/imaging.h"

namespace wrimple {

bool WriteImageFile(std::FILE* file, ImageContainer container, const BgrRows& rows) {
  switch (container) {
    case ImageContainer::Bmp: return WriteBmp(file, rows);
    case ImageContainer::Jpeg: return WriteJpeg(file, rows);
    case ImageContainer::Png: return WritePng(file, rows);
    case ImageContainer::Tiff: return WriteTiff(file, rows);
  }
  return false;
}

}  // namespace wrimple
