// The custom-draw tree and list view base: TZQCustomDraw, TZQTreeView and
// TZQListView with their custom-draw and context-menu events and the list's
// sort-arrow header.
#pragma once
#include "controls/base/customdraw.h"
#include "controls/base/headerglyphs.h"
#include "controls/base/zqlistview.h"
#include "controls/base/zqtreeview.h"
