// The frame unit: the frame styles and their drawing, the group and the frame.
#pragma once
#include "korvane/controls/base/framedraw.h"
#include "korvane/controls/base/zqframe.h"
#include "korvane/controls/base/zqgroup.h"
