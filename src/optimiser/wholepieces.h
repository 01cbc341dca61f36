#pragma once

namespace vellicor {

class CLayout;
class CLayoutList;

// Lengthens the layout so that every part it cuts (kind 1, counted in pieces) comes out in whole
// pieces; the part that needs the longest run decides. Slits and fillers are not rounded.
void RoundUpToWholePieces(CLayout& layout);
void RoundUpToWholePieces(CLayoutList& layouts);

} // namespace vellicor
