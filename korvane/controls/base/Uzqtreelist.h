// The custom-draw tree and list view base: TZQCustomDraw, TZQTreeView and
// TZQListView with their custom-draw and context-menu events and the list's
// sort-arrow header.
#pragma once
#include "korvane/controls/base/customdraw.h"
#include "korvane/controls/base/headerglyphs.h"
#include "korvane/controls/base/zqlistview.h"
#include "korvane/controls/base/zqtreeview.h"
