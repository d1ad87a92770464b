// The frame unit: the frame styles and their drawing, the group and the frame.
#pragma once
#include "controls/base/framedraw.h"
#include "controls/base/zqframe.h"
#include "controls/base/zqgroup.h"
