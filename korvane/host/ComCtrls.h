// The common-control wrappers: tree view and list view.
#pragma once
#include "korvane/host/ListView.h"
#include "korvane/host/TreeView.h"
