// The splitter unit: a splitter and its two panes.
#pragma once
#include "controls/base/zqsplitter.h"
