#pragma once

namespace vellicor {

class CVellicorDoc;

// Switches "Quantities by Length". Length mode keeps every record at the nominal thickness with its
// length unchanged, and the thickness it had beside it for the session; weight mode gives that
// thickness back. Weights, the result's included, follow so that no length changes.
void SetQuantitiesByLength(CVellicorDoc& doc, bool byLength);

} // namespace vellicor
