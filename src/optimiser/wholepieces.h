#pragma once

namespace vellicor {

class CLayout;
class CLayoutList;

// Lengthens the layout so that every part it cuts (kind 1, counted in pieces) comes out in whole
// pieces; the part that needs the longest run decides. Slits and fillers are not rounded.
void RoundUpToWholePieces(CLayout& layout);
// The same for every layout, within the stock: a layout whose stock row cannot give its last
// pieces is shortened to whole pieces instead.
void RoundUpToWholePieces(CLayoutList& layouts);

} // namespace vellicor
