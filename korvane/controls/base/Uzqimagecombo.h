// The image combo unit: the combo with drop-down notifications and the
// owner-drawn image combo.
#pragma once
#include "korvane/controls/base/zqcombobox.h"
#include "korvane/controls/base/zqimagecombo.h"
