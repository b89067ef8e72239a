// The menu layouts against what the game's built code reads of them (tools/data/menu_needs.h),
// the menus the screen table takes lists from (tools/data/menu_screens.h) and the soft-key
// buttons' place.
#pragma once

#include <string>
#include <vector>

#include "tools/mkdata/menu_source.h"

namespace sorv::mkdata {

// Every menu the screen table names has ids; every row of kMenuNeeds holds; every frame-119 item stands left of x 60 or right of x 200.
// The error names the menu, the item and what is missing.
bool checkMenuNeeds(const std::vector<MenuRecord>& menus, std::string* error);

}  // namespace sorv::mkdata
