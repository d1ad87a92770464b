// The shell controls unit: locators, item records, helpers and the tree, list
// and combo controls. Include this header to use any of them.
#pragma once
#include "controls/shell/common/contextmenu.h"
#include "controls/shell/common/dragattributes.h"
#include "controls/shell/common/itemparent.h"
#include "controls/shell/common/itemrecords.h"
#include "controls/shell/common/itemtext.h"
#include "controls/shell/common/links.h"
#include "controls/shell/common/olestartup.h"
#include "controls/shell/common/paths.h"
#include "controls/shell/common/scrolling.h"
#include "controls/shell/common/sendto.h"
#include "controls/shell/common/shelllocator.h"
#include "controls/shell/common/shortcuts.h"
#include "controls/shell/common/tuning.h"
#include "controls/shell/common/windowhelpers.h"
#include "controls/shell/combo/shellcombo.h"
#include "controls/shell/tree/shelltree.h"
