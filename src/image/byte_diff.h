#pragma once
// Where two images differ, as the ranges a patch writes: a range is a run of
// differing bytes, and runs separated by fewer than kDiffMergeGap equal bytes
// are one range, the equal bytes between them included. An S3 line holds
// 16 bytes, so a shorter gap would cost a line end and an address for fewer
// bytes than it saves. The command line's diff and verify and the patch of
// all changes use the same rule, so that their ranges agree.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "image/outcome.h"
#include "image/types.h"

namespace korvana::image {

inline constexpr Length kDiffMergeGap = 16;

// Collects runs of differing bytes in ascending address order and joins them
// by the rule above.
class DiffRangeBuilder {
 public:
  // One run first .. last; it must start after every run added before.
  void AddRun(Address first, Address last);
  // The runs where older and newer differ; older[0] and newer[0] are the byte
  // at base. Both spans have the same size.
  void AddDifferences(std::span<const std::uint8_t> older, std::span<const std::uint8_t> newer, Address base);
  [[nodiscard]] std::vector<AddressRange> Take() { return std::move(m_ranges); }

 private:
  std::vector<AddressRange> m_ranges;
};

// The ranges where newer differs from older, which must have its size.
[[nodiscard]] std::vector<AddressRange> DifferingRanges(std::span<const std::uint8_t> older,
                                                        std::span<const std::uint8_t> newer);

// One S-record file at path holding image's bytes in ranges, one
// WriteS3Range call per range in the order given. Success carries message
// 10; failure message 2 and no file. Ranges must be inside image and not
// empty.
[[nodiscard]] Outcome WriteRangesS3(std::span<const std::uint8_t> image, const std::vector<AddressRange>& ranges,
                                    std::string_view path);

// "0x" and eight upper-case hex digits, as the range lines and the list of
// changes show an address.
[[nodiscard]] std::string AddressText(Address address);

}  // namespace korvana::image
