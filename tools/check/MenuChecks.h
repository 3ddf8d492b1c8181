// Checks of the menu files and of the menus each level holds.
#pragma once
#include "Report.h"

#include <string>

void CheckMenus(const std::string& data, Report& rep);
