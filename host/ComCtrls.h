// The common-control wrappers: tree view and list view.
#pragma once
#include "host/ListView.h"
#include "host/TreeView.h"
