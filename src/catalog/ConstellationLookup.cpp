#include "catalog/ConstellationLookup.h"

namespace catalog {

namespace {
const ConstellationLookup* g_lookup = nullptr;
}

void setConstellationLookup(const ConstellationLookup* lookup) { g_lookup = lookup; }

const ConstellationLookup* constellationLookup() { return g_lookup; }

} // namespace catalog
