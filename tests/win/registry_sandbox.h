// Each test process gets its own HKEY_CURRENT_USER: a fresh key of the real registry that the
// process's HKEY_CURRENT_USER is mapped onto, deleted again at the end. Tests that run side by side
// in one prefix then never see each other's settings.
#pragma once

#include <windows.h>

#include <string>

#include "win/registry_values.h"

namespace k32::testing {

class RegistrySandbox {
 public:
  RegistrySandbox();
  ~RegistrySandbox();
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;

 private:
  std::string path_;  // of the mapped root, under the real HKEY_CURRENT_USER
  HKEY root_ = nullptr;
};

}  // namespace k32::testing
