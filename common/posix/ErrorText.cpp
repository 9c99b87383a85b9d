#include "common/SystemLib.h"

namespace velmora {

std::string ErrorText(const std::error_code& error) { return error.message(); }

void SystemErrorBoxesOff() {}

}  // namespace velmora
