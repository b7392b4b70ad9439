#include "io/jpeg_errors.h"

namespace wrimple {

namespace {

// The manager is the first member, so the codec's err pointer is the whole
// record.
[[noreturn]] void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}
void Silent(j_common_ptr, int) {}
void NoOutput(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* InstallJpegErrors(JpegErrors* errors) {
  jpeg_error_mgr* m = jpeg_std_error(&errors->manager);
  m->error_exit = JumpBack;
  m->emit_message = Silent;
  m->output_message = NoOutput;
  return m;
}

}  // namespace wrimple
