// The image combo unit: the combo with drop-down notifications and the
// owner-drawn image combo.
#pragma once
#include "controls/base/zqcombobox.h"
#include "controls/base/zqimagecombo.h"
