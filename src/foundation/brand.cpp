#include "foundation/brand.h"

#include "foundation/globals.h"

namespace {

// The id under which the language server keeps this product's language files.
constexpr std::int16_t kProgramId = 21;

}  // namespace

void InitBrandSettings() {
    InitBrandSettingsFrom(platform::ProgramVersionBlock());
}

void InitBrandSettingsFrom(const platform::VersionBlock& block) {
    gProgramName = block.productName;
    gCompanyName = block.companyName;
    gWebsite = block.comments;
    gProgramId = kProgramId;
    gUseSkin = false;
    gUseSplashIcon = true;
    gShowBanner = false;
    gBannerURL.clear();
}
