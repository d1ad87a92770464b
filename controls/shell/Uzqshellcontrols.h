// The shell controls unit: locators, item records, helpers and the tree, list
// and combo controls. Include this header to use any of them.
#pragma once
#include "controls/shell/shelllocator.h"
#include "controls/shell/shellhelpers.h"
#include "controls/shell/itemrecords.h"
