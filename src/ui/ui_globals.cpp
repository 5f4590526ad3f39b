#include "ui/ui_globals.h"

namespace vexo {

std::string g_strLanguage;
std::string g_strSkinDir;
std::string g_strSkinName;
TextColour g_textColor;
int g_nCurrentPage = kNoPage;
bool g_bBasicPageReady = false;
bool g_bReloadOnRestore = false;

} // namespace vexo
