// Whole definition files downloaded into their staged copies.
#include "ui/frm_main.h"

void FrmMainForm::DownloadRegistryDefinitions(std::int32_t) {}

void FrmMainForm::DownloadFileDefinitions(std::int32_t) {}

void FrmMainForm::DownloadExeDefinitions(std::int32_t) {}

void FrmMainForm::DownloadCookieDefinitions(std::int32_t) {}
