#pragma once

namespace vellicor {

class CVellicorDoc;
struct ReportContent;

// The operator's knife sheet: for each layout in cutting order, on a page of its own and in large
// type, the coil, the number of knives, each knife's position from the coil's left edge with the
// strip that follows it, the rest, and the weight and length to run. Lengths in the display unit.
ReportContent DescribeKnifeSheet(const CVellicorDoc& doc);

} // namespace vellicor
