// The splitter unit: a splitter and its two panes.
#pragma once
#include "korvane/controls/base/zqsplitter.h"
