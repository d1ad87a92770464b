#include <gtest/gtest.h>

#include "controls/shell/Uzqshellcontrols.h"
#include "tests/support/TempDir.h"
#include "tests/support/Ui.h"

using namespace korvane;
