// What a process costs, as the process list reads and writes it: processor shares between
// snapshots, the cost texts, and the CSV an export writes.
#include <gtest/gtest.h>

#include "common/cost_text.h"
#include "common/csv.h"
#include "process/cpu_shares.h"

namespace k32 {
namespace {

ProcessEntry Process(std::uint32_t pid, std::uint64_t created, std::uint64_t cpu) {
  ProcessEntry process;
  process.processId = pid;
  process.createTime = created;
  process.cpuTime = cpu;
  return process;
}

TEST(CpuShares, ShareOfAllProcessorsSinceTheSnapshotBeforeByIdentity) {
  CpuShares shares;
  constexpr std::uint64_t kSecond = 10'000'000;
  shares.Update({Process(0, 0, 0), Process(8, 1, 5 * kSecond)}, 100 * kSecond, 2);
  EXPECT_EQ(shares.Share(Process(8, 1, 0)), std::nullopt) << "the first snapshot has nothing before it";
  EXPECT_EQ(shares.Total(), std::nullopt);
  // One second on a two-processor system: 0.5 s of processor time is 25 %. PID 8 was ended and its
  // identifier reused: the new process counts all of its own time. The idle process is no load.
  shares.Update({Process(0, 0, kSecond), Process(8, 2, kSecond / 10), Process(9, 3, 5 * kSecond / 10)},
                101 * kSecond, 2);
  EXPECT_DOUBLE_EQ(*shares.Share(Process(8, 2, 0)), 5.0);
  EXPECT_DOUBLE_EQ(*shares.Share(Process(9, 3, 0)), 25.0);
  EXPECT_DOUBLE_EQ(*shares.Total(), 30.0);
  // A clock that stands still divides by nothing: no shares, no crash.
  shares.Update({Process(9, 3, 6 * kSecond / 10)}, 101 * kSecond, 2);
  EXPECT_EQ(shares.Share(Process(9, 3, 0)), std::nullopt);
}

TEST(CostText, SharesTimesAndSizesAsTheListShowsThem) {
  EXPECT_EQ(CpuShareText(49.8749), "49.87");
  EXPECT_EQ(CpuShareText(0.0049), "") << "below 0.01";
  EXPECT_EQ(CpuTimeText(((27ull * 3600 + 4 * 60 + 5) * 1000 + 6) * 10'000 + 9'999), "27:04:05.006");
  EXPECT_EQ(KibText(1'234'567'890'123ull), "1,205,632,705 K");
  // And back to the numbers a sort compares.
  EXPECT_EQ(ReadCostNumber(L"27:04:05.006"), 27 * 3600 + 4 * 60 + 5.006L);
  EXPECT_EQ(ReadCostNumber(L"1,205,632,705 K"), 1'205'632'705.0L);
  EXPECT_EQ(ReadCostNumber(L""), 0.0L);
  EXPECT_EQ(ReadCostNumber(L"---"), std::nullopt);
}

TEST(Csv, QuotesWhatNeedsItInUtf8) {
  EXPECT_EQ(CsvRecord({L"a,b", L"say \"hi\"", L"two\r\nlines"}), "\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n");
  EXPECT_EQ(CsvRecord({L"\u8FDB\u7A0B \uD55C\uAE00"}), "\xE8\xBF\x9B\xE7\xA8\x8B \xED\x95\x9C\xEA\xB8\x80\r\n");
  const std::wstring emoji{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDD34)};
  EXPECT_EQ(Utf8(emoji), "\xF0\x9F\x94\xB4");
  EXPECT_EQ(Utf8(std::wstring(1, static_cast<wchar_t>(0xD83D))), "\xEF\xBF\xBD") << "half a pair";
}

}  // namespace
}  // namespace k32
