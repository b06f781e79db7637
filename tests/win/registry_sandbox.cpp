#include "win/registry_sandbox.h"

#include <stdexcept>

namespace k32::testing {

namespace {
constexpr char kSandboxes[] = "Software\\Kestrel32 test roots";
}  // namespace

RegistrySandbox::RegistrySandbox() {
  path_ = std::string(kSandboxes) + "\\" + std::to_string(GetCurrentProcessId());
  DeleteKeyTree(path_);  // a root a crashed process left behind
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_,
                      nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create " + path_);
  if (RegOverridePredefKey(HKEY_CURRENT_USER, root_) != ERROR_SUCCESS)
    throw std::runtime_error("cannot map HKEY_CURRENT_USER");
}

RegistrySandbox::~RegistrySandbox() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(root_);
  DeleteKeyTree(path_);
  RegDeleteKeyA(HKEY_CURRENT_USER, kSandboxes);  // goes only when no other process has a root there
}

}  // namespace k32::testing
