#pragma once

#include "platform/version_block.h"

// The white-label identity: the names the windows show come from the version block, not from the
// code, and a few switches decide how the windows present the product. The values live in
// foundation/globals.h.

// Sets the identity from this build's version block. Running it again gives the same values.
void InitBrandSettings();

// Sets the identity from the given version block.
void InitBrandSettingsFrom(const platform::VersionBlock& block);
