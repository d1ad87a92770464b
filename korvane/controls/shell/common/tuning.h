// The shell controls' exported tuning variables; an application may change them
// before or while the controls run (user-interface thread only).
#pragma once

namespace korvane {

extern int ZQSH_CHANGE_NOTIFY_DELAY;      // ms before a refresh after a change, control without focus
extern int ZQSH_CHANGE_NOTIFY_FASTDELAY;  // the same while the control has the focus
extern int ZQSH_TREE_KEY_UPDATE_DELAY;    // ms a keyboard selection in a tree waits before it is handed on
extern int ZQSH_MAX_FOLDER_ATTEMPTS;      // names tried per pass when creating a new folder
extern int ZQSH_AUTOSCROLL_THRESHOLD_X;   // pixels from an edge that scroll while dragging
extern int ZQSH_AUTOSCROLL_THRESHOLD_Y;
extern int ZQSH_AUTOSCROLL_MINDELAY_MS;   // ms between two drag auto-scroll steps

}  // namespace korvane
