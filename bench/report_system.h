// The scripted system the report benchmarks share: processes under long paths, each with modules.
#pragma once

#include <cstdint>
#include <string>

#include "system/fake_services.h"

namespace k32::bench {

inline testing::FakeServices MakeReportSystem(int processes, int modulesPerProcess) {
  testing::FakeServices fake;
  for (int p = 0; p < processes; ++p) {
    const auto pid = static_cast<std::uint32_t>(4 + 4 * p);
    const std::wstring exe =
        L"C:\\Program Files\\Vendor " + std::to_wstring(p % 37) + L"\\app" + std::to_wstring(p) + L".exe";
    fake.AddProcess(exe, pid, pid / 2, static_cast<std::uint32_t>(1 + p % 40), p % 3 == 0 ? 0 : 0x20);
    for (int m = 0; m < modulesPerProcess; ++m) {
      const std::wstring name =
          m == 0 ? L"app" + std::to_wstring(p) + L".exe" : L"module" + std::to_wstring(m) + L".dll";
      const std::wstring path = m == 0 ? exe : L"C:\\WINDOWS\\system32\\" + name;
      fake.AddModule(pid, name, path, 0x10000000u + 0x01000000u * static_cast<std::uint32_t>(m),
                     static_cast<std::uint32_t>(4096 + 1000 * m));
    }
  }
  return fake;
}

}  // namespace k32::bench
