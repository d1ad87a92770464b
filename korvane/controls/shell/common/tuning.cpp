#include "korvane/controls/shell/common/tuning.h"

namespace korvane {

int ZQSH_CHANGE_NOTIFY_DELAY = 2000;
int ZQSH_CHANGE_NOTIFY_FASTDELAY = 400;
int ZQSH_TREE_KEY_UPDATE_DELAY = 500;
int ZQSH_MAX_FOLDER_ATTEMPTS = 50;
int ZQSH_AUTOSCROLL_THRESHOLD_X = 26;
int ZQSH_AUTOSCROLL_THRESHOLD_Y = 20;
int ZQSH_AUTOSCROLL_MINDELAY_MS = 100;

}  // namespace korvane
